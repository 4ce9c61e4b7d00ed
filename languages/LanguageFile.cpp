#include "languages/LanguageFile.h"

#include "encoding/Cp1250.h"
#include "languages/FieldReader.h"

#include <cstdio>
#include <memory>

namespace rq7::languages {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// True when the first apostrophe of s has no second one after it: the text
// goes on in the next field.
bool textOpen(const std::string& s) {
    const std::size_t first = s.find('\'');
    return first != std::string::npos && s.find('\'', first + 1) == std::string::npos;
}

} // namespace

std::string entryText(const std::string& entry, const std::string& key) {
    constexpr auto npos = std::string::npos;
    const std::size_t equals = entry.find('=');
    if (equals == npos || entry.find(key) == npos)
        return {};
    const std::size_t open = entry.find('\'', equals + 1);
    if (open == npos)
        return {};
    const std::size_t close = entry.find('\'', open + 1);
    if (close == npos)
        return {};
    const std::size_t comment = entry.find(';');
    if (comment != npos && comment < close)
        return {};
    return entry.substr(open + 1, close - open - 1);
}

LanguageStatus findEntry(const std::string& path, const std::string& key, std::string& text,
                         std::size_t& line) {
    text.clear();
    line = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return LanguageStatus::FileNotOpened;
    FieldReader reader(file.get());
    const bool utf8 = reader.skipUtf8Bom();

    std::string entry;
    std::string piece;
    while (reader.next(entry)) {
        const std::size_t entryLine = reader.line();
        // A comma inside a text splits it; gather the pieces up to the
        // closing apostrophe. Only the newest piece can hold it.
        for (bool open = textOpen(entry); open; open = piece.find('\'') == std::string::npos) {
            if (!reader.next(piece))
                return reader.failed() ? LanguageStatus::ReadFailed : LanguageStatus::TextNotClosed;
            entry += ", ";
            entry += piece;
        }
        if (entry.find('=') == std::string::npos)
            continue;
        const std::string decoded = utf8 ? cp1250::sanitizeUtf8(entry) : cp1250::toUtf8(entry);
        std::string found = entryText(decoded, key);
        if (!found.empty()) {
            text = std::move(found);
            line = entryLine;
            return LanguageStatus::Ok;
        }
    }
    return reader.failed() ? LanguageStatus::ReadFailed : LanguageStatus::Ok;
}

} // namespace rq7::languages
