#include "tests/support/TempDir.h"

#include "tests/support/Files.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace rq7::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rq7-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have taken the directory's write permission away.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    if (!writeFile(file, bytes))
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

} // namespace rq7::test
