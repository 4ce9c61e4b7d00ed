#pragma once
// The program's own identity as the about window shows it: product name and
// version. The version numbers come from the build (the project's version
// and the beta number).

#include <string>

namespace rq7 {

inline constexpr const char* kProgramProductName = "RQ7 Init";

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0; // the beta number; 0 for a release
};

// The version this program was built as.
ProgramVersion programVersion();

// "<word> <major>.<minor>", followed by " Beta <revision>" when the revision
// is not 0: "Version 1.9 Beta 1", "Version 1.9".
std::string VersionText(const std::string& versionWord, const ProgramVersion& version);

} // namespace rq7
