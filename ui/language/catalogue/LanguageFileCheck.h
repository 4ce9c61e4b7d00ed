#pragma once
// Checks a language file against the catalogue: every key must be present
// and must be answered by its own entry, with the text written there.

#include <cstddef>
#include <string>
#include <vector>

namespace rq7 {

struct LanguageFileProblem {
    enum class Kind {
        Missing,           // no entry for the key
        Captured,          // an earlier entry that contains the key answers first
        NotAnswered,       // the key's own entry never answers (";" or an empty or
                           // unclosed text) and no later entry does either
        Altered,           // the own entry answers, but not with the text written
                           // (blanks after a comma collapse to one)
        DoubledApostrophe, // the own entry's text ends at an apostrophe that
                           // is doubled: the rest of the text is lost
        Utf8WithoutMark,   // the whole file (key empty): UTF-8 with letters
                           // beyond ASCII but no byte-order mark, so it is
                           // read as Windows-1250
    };
    Kind kind;
    std::string key;
    std::size_t ownLine = 0;       // line of the key's own entry, 0 if missing
    std::size_t answeringLine = 0; // line whose entry answers, 0 if none
    std::string written;           // text written on the own line (UTF-8)
    std::string answered;          // text the lookup answers (UTF-8)
};

struct LanguageFileReport {
    bool readable = false; // false: the file could not be listed or read
    std::string error;     // why, when not readable
    std::vector<LanguageFileProblem> problems;
};

// Checks the catalogue keys plus gLanguage and gProgramName.
LanguageFileReport checkLanguageFile(const std::string& path);

// One line of text describing a problem, e.g.
// "msg038: captured by line 12 (own entry on line 40)".
std::string describe(const LanguageFileProblem& problem);

// An entry as written on one line of a language file: the key left of the
// first "=" with blanks trimmed, and the text between the first apostrophe
// after it and the next one. Lines starting with ";" and lines without "="
// hold no entry.
struct WrittenEntry {
    std::string key;
    std::string text;
    bool closed = false; // both apostrophes present
    // The closing apostrophe is followed by another one: the writer meant
    // an apostrophe inside the text, which the lookup does not take.
    bool doubledApostrophe = false;
};
bool parseWrittenEntry(const std::string& line, WrittenEntry& entry);

} // namespace rq7
