#pragma once
// Whole files as byte strings, for setting up and checking what programs
// and workflows read and write.

#include <filesystem>
#include <string>

namespace rq7::test {

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Replaces the file's contents with `bytes`; false when that failed.
bool writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace rq7::test
