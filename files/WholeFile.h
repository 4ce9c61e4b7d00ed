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
// Never waits: a named pipe or device is refused before it is read.
FileRead readWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                       std::size_t limit = std::numeric_limits<std::size_t>::max() - 1);

// Writes `bytes` to `path` through a temporary file (a fresh name, created
// exclusively beside the target) that takes the path's place only once
// complete and synced; the folder is synced after the rename. On any
// failure the path keeps whatever it held before (or stays absent) and no
// temporary file is left; an exceeded file-size limit is such a failure.
// - An existing target must be a regular file; anything else is refused.
// - A symbolic link is written through (the file it ends at is replaced)
//   only when it belongs to the user or to its folder's owner, or its folder
//   is not world-writable and sticky; a link planted by another user in a
//   shared folder, or a link to no file, is refused.
// - A replaced file keeps its mode (and its owner and group where we may
//   set them); a new one is created as the umask allows.
// `error` says which step failed, naming the path and the reason.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

} // namespace rq7::files
