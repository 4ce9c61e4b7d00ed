#pragma once
// A file read or written as a whole: reading refuses anything but a regular
// file, writing replaces the file only once the new contents are complete.

#include <cstddef>
#include <limits>
#include <string>

namespace rq7::files {

enum class FileRead { Read, Missing, Failed };

// Reads the regular file at `path` into `bytes`, at most `limit` bytes and
// one more (so that the caller can tell a file that is too long). Missing:
// there is no such file. Failed: `reason` says why (the system's words, or
// that it is no regular file). `bytes` is empty unless the read succeeded.
FileRead readWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                       std::size_t limit = std::numeric_limits<std::size_t>::max() - 1);

// Writes `bytes` to `path` through a temporary file beside it that takes
// the path's place only once complete and on the disk: on any failure the
// path keeps whatever it held before (or stays absent) and no temporary
// file is left. The new file is readable as the umask allows. `error` says
// which step failed, naming the path and the system's reason.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

} // namespace rq7::files
