#pragma once
// Language files for the tests: a file whose every catalogue text is its own
// key tagged with the language ("lblMainForm@E"), so that a control shows
// which key and which file its text came from; and the directory order the
// language object lists files in.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace rq7::test {

struct LanguageFileContent {
    std::string name;        // gLanguage; "" leaves the line out
    std::string programName; // gProgramName; "" leaves the line out
    std::string tag;         // every catalogue key answers key + "@" + tag; "" none
    std::map<std::string, std::string> texts; // further or replacing entries
};

// The text of `key` in a file written with `tag`: the key, "@", the tag;
// valUTO, which must fit its field, a short number made from the tag.
std::string tagged(const std::string& key, const std::string& tag);

// Writes the file (UTF-8 with byte order mark) as dir/fileName.
void writeLanguageFile(const std::filesystem::path& dir, const std::string& fileName,
                       const LanguageFileContent& content);

// The *.lng file names of `dir` in the order the directory lists them.
std::vector<std::string> lngFilesInDirectoryOrder(const std::filesystem::path& dir);

} // namespace rq7::test
