#pragma once
// A fresh directory for one test under the system's temporary directory,
// removed with everything in it afterwards.

#include <filesystem>
#include <string>

namespace rq7::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes bytes to `name` inside the directory (throws when it cannot);
    // returns the file's path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

} // namespace rq7::test
