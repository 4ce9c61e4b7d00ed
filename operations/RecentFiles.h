#pragma once
// The settings files opened or saved last, newest first, kept in the
// settings store as one value with a path per line.

#include "ports/SettingsStore.h"

#include <string>
#include <vector>

namespace rq7 {

inline constexpr std::size_t kRecentFileCount = 8;

// The remembered paths that still name a regular file (the others are
// dropped from the store as well).
std::vector<std::string> ReadRecentFiles(SettingsStore& store);
// `path` first, each path once, at most kRecentFileCount. A path that cannot
// be kept on one line is not remembered.
void RememberRecentFile(SettingsStore& store, const std::string& path);
// `path` no longer offered (it has vanished).
void ForgetRecentFile(SettingsStore& store, const std::string& path);

} // namespace rq7
