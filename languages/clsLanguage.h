#pragma once
// The language object: finds the language files (*.lng) of a directory,
// keeps the list of languages found, holds which one is current and answers
// the text of a key in the current language.
//
// Strings cross this interface as UTF-8. Language files are read as
// Windows-1250, or as UTF-8 when they start with the UTF-8 byte order mark.
// Nothing is cached: every lookup opens the current file, reads it from the
// top and closes it again.

#include "languages/LanguagesExport.h"

#include <cstddef>
#include <string>
#include <vector>

namespace rq7 {

// Outcome of reading the current language file during a lookup.
enum class LanguageStatus {
    Ok = 0,        // file read (or no language current): the answer stands
    FileNotOpened, // the current file is gone or cannot be opened
    ReadFailed,    // the file could not be read to its end
    TextNotClosed, // the file ended inside a text opened by an apostrophe
};

class RQ7_LANGUAGES_API clsLanguage {
public:
    // At most this many languages are listed by one GetLanguages.
    static constexpr int kMaxLanguages = 255;

    clsLanguage();

    // Current language, 0 to Count() - 1, or -1 for none.
    int Index() const { return index_; }
    // Makes a language current; a value outside -1 .. Count() - 1 is ignored.
    void Index(int value);
    // Number of languages found by the last GetLanguages (0 to 255).
    int Count() const { return static_cast<int>(files_.size()); }
    // Display name and full path of the current language; "" when none.
    std::string Name() const;
    std::string File() const;

    // The library's title, "Languages".
    std::string GetName() const;
    // The library's version, major "." minor followed directly by the
    // revision: "1.02" for version 1.0.2.
    std::string GetVersion() const;

    // Lists the files matching SourceDir, a directory followed by a file
    // pattern with * and ? ("/opt/rq7/*.lng"; letters match regardless of
    // case), in the order the directory returns them, joining each name to
    // Path. Each language's name is its file's gLanguage text. Afterwards no
    // language is current. False when no file matched.
    bool GetLanguages(const std::string& SourceDir, const std::string& Path);

    // The text of KeyWord in the current language, or DefaultString when the
    // language has none, when no language is current, or when the file
    // cannot be read.
    std::string GetExpression(const std::string& KeyWord, const std::string& DefaultString) const;
    // The same, telling why the file could not be read: on any status other
    // than Ok, result is DefaultString.
    LanguageStatus GetExpression(const std::string& KeyWord, const std::string& DefaultString,
                                 std::string& result) const;

    // The entry of the current file that answers KeyWord: its text and the
    // line (from 1) on which the entry starts. Line 0 and an empty text when
    // no entry answers or no language is current.
    LanguageStatus FindEntry(const std::string& KeyWord, std::string& text,
                             std::size_t& line) const;

private:
    void Reset();

    int index_ = -1;
    std::vector<std::string> names_;
    std::vector<std::string> files_;
};

} // namespace rq7
