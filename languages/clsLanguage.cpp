#include "languages/clsLanguage.h"

#include "languages/FilePattern.h"
#include "languages/LanguageFile.h"

#include <filesystem>
#include <system_error>

namespace rq7 {

namespace fs = std::filesystem;

clsLanguage::clsLanguage() {
    Reset();
}

void clsLanguage::Reset() {
    names_.clear();
    files_.clear();
    index_ = -1;
}

void clsLanguage::Index(int value) {
    if (value >= -1 && value < Count())
        index_ = value;
}

std::string clsLanguage::Name() const {
    return index_ < 0 ? std::string() : names_[index_];
}

std::string clsLanguage::File() const {
    return index_ < 0 ? std::string() : files_[index_];
}

std::string clsLanguage::GetName() const {
    return "Languages";
}

std::string clsLanguage::GetVersion() const {
    return std::to_string(RQ7_LANGUAGES_VERSION_MAJOR) + "." +
           std::to_string(RQ7_LANGUAGES_VERSION_MINOR) +
           std::to_string(RQ7_LANGUAGES_VERSION_PATCH);
}

bool clsLanguage::GetLanguages(const std::string& SourceDir, const std::string& Path) {
    Reset();
    const languages::FileSearch search = languages::splitSearch(SourceDir);
    std::error_code error;
    fs::directory_iterator entry(search.directory, error);
    const fs::directory_iterator end;
    // Directory order as the file system returns it; nothing is sorted.
    while (!error && entry != end && Count() < kMaxLanguages) {
        const std::string name = entry->path().filename().string();
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && languages::matchesPattern(search.pattern, name)) {
            files_.push_back(languages::joinPath(Path, name));
            names_.emplace_back();
            index_ = Count() - 1;
            // A file that cannot be read keeps the empty name: it stays
            // listed but is never offered.
            std::string languageName;
            if (GetExpression("gLanguage", "", languageName) == LanguageStatus::Ok)
                names_.back() = languageName;
        }
        entry.increment(error);
    }
    index_ = -1;
    return Count() > 0;
}

std::string clsLanguage::GetExpression(const std::string& KeyWord,
                                       const std::string& DefaultString) const {
    std::string result;
    GetExpression(KeyWord, DefaultString, result);
    return result;
}

LanguageStatus clsLanguage::GetExpression(const std::string& KeyWord,
                                          const std::string& DefaultString,
                                          std::string& result) const {
    std::size_t line = 0;
    const LanguageStatus status = FindEntry(KeyWord, result, line);
    if (status != LanguageStatus::Ok || result.empty())
        result = DefaultString;
    return status;
}

LanguageStatus clsLanguage::FindEntry(const std::string& KeyWord, std::string& text,
                                      std::size_t& line) const {
    text.clear();
    line = 0;
    if (index_ < 0 || index_ >= Count())
        return LanguageStatus::Ok;
    return languages::findEntry(files_[index_], KeyWord, text, line);
}

} // namespace rq7
