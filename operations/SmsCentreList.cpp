#include "operations/SmsCentreList.h"

#include "encoding/Cp1250.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace rq7 {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Consumes one line end at pos ("\r\n" counts as one).
void skipLineEnd(const std::string& text, std::size_t& pos) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        ++pos;
    ++pos;
}

} // namespace

std::vector<std::string> ReadCsvFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    bool afterComma = false; // a comma announces one more field, even an empty one
    while (true) {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos >= text.size() || isLineEnd(text[pos])) {
            if (afterComma)
                fields.emplace_back();
            afterComma = false;
            if (pos >= text.size())
                break;
            skipLineEnd(text, pos);
            continue;
        }
        std::string field;
        if (text[pos] == '"') {
            const std::size_t close = text.find('"', pos + 1);
            const std::size_t end = close == std::string::npos ? text.size() : close;
            field = text.substr(pos + 1, end - pos - 1);
            pos = close == std::string::npos ? text.size() : close + 1;
            // Whatever stands between the closing quote and the delimiter is dropped.
            while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
                ++pos;
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
                ++pos;
            // Blanks before the delimiter belong to the layout, not the value.
            std::size_t end = pos;
            while (end > start && isBlank(text[end - 1]))
                --end;
            field = text.substr(start, end - start);
        }
        fields.push_back(std::move(field));
        afterComma = pos < text.size() && text[pos] == ',';
        if (afterComma)
            ++pos;
        else if (pos < text.size())
            skipLineEnd(text, pos);
    }
    return fields;
}

std::vector<std::string> ParseSmsCentreList(const std::string& fileBytes) {
    const std::vector<std::string> fields = ReadCsvFields(fileBytes);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2)
        entries.push_back(cp1250::toUtf8(fields[i] + " <" + fields[i + 1] + ">"));
    return entries;
}

std::filesystem::path FindSmsCentreFile(const std::filesystem::path& programDir,
                                        const std::filesystem::path& systemDir) {
    for (const std::filesystem::path& dir : {programDir, systemDir}) {
        if (dir.empty())
            continue;
        std::error_code error;
        const std::filesystem::path candidate = dir / kSmsCentreFileName;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

std::vector<std::string> LoadSmsCentreList(const std::filesystem::path& programDir,
                                           const std::filesystem::path& systemDir) {
    const std::filesystem::path file = FindSmsCentreFile(programDir, systemDir);
    if (file.empty())
        return {};
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return {};
    return ParseSmsCentreList(bytes);
}

} // namespace rq7
