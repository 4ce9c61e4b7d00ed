#include "ui/language/choice/ProgramIdentity.h"

#ifndef RQ7_VERSION_MAJOR
#error "the build passes RQ7_VERSION_MAJOR, RQ7_VERSION_MINOR and RQ7_VERSION_BETA"
#endif

namespace rq7 {

ProgramVersion programVersion() {
    return {RQ7_VERSION_MAJOR, RQ7_VERSION_MINOR, RQ7_VERSION_BETA};
}

std::string VersionText(const std::string& versionWord, const ProgramVersion& version) {
    std::string text =
        versionWord + " " + std::to_string(version.major) + "." + std::to_string(version.minor);
    if (version.revision != 0)
        text += " Beta " + std::to_string(version.revision);
    return text;
}

} // namespace rq7
