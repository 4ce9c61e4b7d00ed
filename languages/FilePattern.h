#pragma once
// File-search patterns of the form "directory/pattern", where the pattern
// holds * (any run of characters) and ? (any one character).

#include <string>
#include <string_view>

namespace rq7::languages {

struct FileSearch {
    std::string directory; // "." when the pattern names no directory
    std::string pattern;   // the last path component
};

FileSearch splitSearch(const std::string& sourceDir);

// True when name matches pattern as a whole. ASCII letters match regardless
// of case, as file searches do on the systems language files come from. An
// empty pattern matches nothing.
bool matchesPattern(std::string_view pattern, std::string_view name);

// path joined with name by one "/" (none added when path already ends with
// one; name alone when path is empty).
std::string joinPath(const std::string& path, const std::string& name);

} // namespace rq7::languages
