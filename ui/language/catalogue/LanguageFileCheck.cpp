#include "ui/language/catalogue/LanguageFileCheck.h"

#include "encoding/Cp1250.h"
#include "languages/clsLanguage.h"
#include "ui/language/catalogue/Catalogue.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace rq7 {

namespace {

std::string trimBlanks(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Own entries by key: the first line that writes each key.
struct OwnEntry {
    std::size_t line = 0;
    WrittenEntry entry;
};

// A file without a byte-order mark is read as Windows-1250; one that is
// valid UTF-8 with characters beyond ASCII was meant as UTF-8.
bool utf8WithoutMark(const std::string& bytes) {
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && cp1250::sanitizeUtf8(bytes) == bytes;
}

bool readOwnEntries(const std::string& path, std::map<std::string, OwnEntry>& own,
                    bool& unmarkedUtf8) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return false;
    }
    if (in.bad())
        return false;
    bool utf8 = false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        utf8 = true;
        bytes.erase(0, 3);
    }
    unmarkedUtf8 = !utf8 && utf8WithoutMark(bytes);
    // Lines end at LF, CR LF or a lone CR, numbered as the lookup numbers them.
    std::size_t lineNumber = 1;
    for (std::size_t start = 0; start <= bytes.size(); ++lineNumber) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string raw = bytes.substr(start, end - start);
        const std::string line = utf8 ? cp1250::sanitizeUtf8(raw) : cp1250::toUtf8(raw);
        WrittenEntry entry;
        if (parseWrittenEntry(line, entry) && own.count(entry.key) == 0)
            own[entry.key] = OwnEntry{lineNumber, entry};
        if (end == bytes.size())
            break;
        start = end +
                ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    return true;
}

// Makes the file at path the current language of language.
bool selectFile(clsLanguage& language, const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    const std::string name = file.filename().string();
    const std::string directory = file.has_parent_path() ? file.parent_path().string() : ".";
    if (!fs::is_regular_file(file)) {
        error = "not a file: " + path;
        return false;
    }
    language.GetLanguages(directory + "/" + name, directory);
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        if (fs::path(language.File()).filename().string() == name)
            return true;
    }
    error = "cannot list " + path;
    return false;
}

} // namespace

bool parseWrittenEntry(const std::string& line, WrittenEntry& entry) {
    const std::string trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';')
        return false;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos)
        return false;
    entry.key = trimBlanks(trimmed.substr(0, equals));
    entry.text.clear();
    entry.closed = false;
    const std::size_t open = trimmed.find('\'', equals + 1);
    if (open != std::string::npos) {
        const std::size_t close = trimmed.find('\'', open + 1);
        entry.closed = close != std::string::npos;
        entry.text = trimmed.substr(open + 1, entry.closed ? close - open - 1 : std::string::npos);
        entry.doubledApostrophe = entry.closed && trimmed.compare(close + 1, 1, "'") == 0;
    }
    return !entry.key.empty();
}

LanguageFileReport checkLanguageFile(const std::string& path) {
    LanguageFileReport report;
    std::map<std::string, OwnEntry> own;
    bool unmarkedUtf8 = false;
    if (!readOwnEntries(path, own, unmarkedUtf8)) {
        report.error = "cannot read " + path;
        return report;
    }
    clsLanguage language;
    if (!selectFile(language, path, report.error))
        return report;
    report.readable = true;
    using Kind = LanguageFileProblem::Kind;
    if (unmarkedUtf8)
        report.problems.push_back({Kind::Utf8WithoutMark, {}, 0, 0, {}, {}});

    std::vector<std::string> keys{std::string(kLanguageNameKey), std::string(kProgramNameKey)};
    for (const std::string& key : catalogueKeys())
        keys.push_back(key);

    for (const std::string& key : keys) {
        LanguageFileProblem problem{Kind::Missing, key, 0, 0, {}, {}};
        const auto found = own.find(key);
        if (found == own.end()) {
            report.problems.push_back(problem);
            continue;
        }
        problem.ownLine = found->second.line;
        problem.written = found->second.entry.text;
        // A read error counts as no answer: the program then shows its default.
        if (language.FindEntry(key, problem.answered, problem.answeringLine) !=
            LanguageStatus::Ok) {
            problem.answered.clear();
            problem.answeringLine = 0;
        }
        if (problem.answeringLine == problem.ownLine) {
            if (found->second.entry.doubledApostrophe) {
                problem.kind = Kind::DoubledApostrophe;
                report.problems.push_back(problem);
                continue;
            }
            if (problem.answered == problem.written)
                continue;
            problem.kind = Kind::Altered;
        } else if (problem.answeringLine != 0 && problem.answeringLine < problem.ownLine) {
            problem.kind = Kind::Captured;
        } else {
            problem.kind = Kind::NotAnswered;
        }
        report.problems.push_back(problem);
    }
    return report;
}

std::string describe(const LanguageFileProblem& problem) {
    if (problem.kind == LanguageFileProblem::Kind::Utf8WithoutMark)
        return "warning: the file is UTF-8 without a byte-order mark and is read as "
               "Windows-1250 (every accented letter garbled); save it with the mark";
    std::ostringstream out;
    out << problem.key << ": ";
    switch (problem.kind) {
    case LanguageFileProblem::Kind::Missing:
        out << "missing";
        break;
    case LanguageFileProblem::Kind::Captured:
        out << "captured by line " << problem.answeringLine << " (own entry on line "
            << problem.ownLine << ')';
        break;
    case LanguageFileProblem::Kind::NotAnswered:
        out << "own entry on line " << problem.ownLine << " never answers";
        if (problem.answeringLine != 0)
            out << " (line " << problem.answeringLine << " answers instead)";
        break;
    case LanguageFileProblem::Kind::DoubledApostrophe:
        out << "line " << problem.ownLine << ": a doubled apostrophe ends the text at '"
            << problem.answered << "'; an apostrophe cannot stand inside a text";
        break;
    case LanguageFileProblem::Kind::Utf8WithoutMark:
        break;
    case LanguageFileProblem::Kind::Altered:
        out << "line " << problem.ownLine << " answers '" << problem.answered << "' instead of '"
            << problem.written << '\'';
        break;
    }
    return out.str();
}

} // namespace rq7
