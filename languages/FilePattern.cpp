#include "languages/FilePattern.h"

namespace rq7::languages {

namespace {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

FileSearch splitSearch(const std::string& sourceDir) {
    const std::size_t slash = sourceDir.find_last_of('/');
    if (slash == std::string::npos)
        return {".", sourceDir};
    return {slash == 0 ? std::string("/") : sourceDir.substr(0, slash),
            sourceDir.substr(slash + 1)};
}

bool matchesPattern(std::string_view pattern, std::string_view name) {
    if (pattern.empty())
        return false;
    // Greedy match with one backtrack point: the last '*' seen. Linear in
    // practice and never exponential.
    std::size_t p = 0, n = 0;
    std::size_t star = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || foldCase(pattern[p]) == foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starName = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string joinPath(const std::string& path, const std::string& name) {
    if (path.empty())
        return name;
    if (path.back() == '/')
        return path + name;
    return path + '/' + name;
}

} // namespace rq7::languages
