// The language files shipped with the program: each holds every catalogue
// key, and each key answers the text written on its own line.

#include "encoding/Cp1250.h"
#include "languages/clsLanguage.h"
#include "ui/language/catalogue/Catalogue.h"
#include "ui/language/catalogue/LanguageFileCheck.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace rq7 {
namespace {

namespace fs = std::filesystem;

// The test environment names the directories; the build's own paths stand
// in when it does not.
std::string env(const char* name) {
    const char* value = std::getenv(name);
    if (value && *value)
        return value;
    const std::string which(name);
    return which == "RQ7_SOURCE_DIR" ? RQ7_TEST_SOURCE_DIR
           : which == "RQ7_BIN_DIR"  ? RQ7_TEST_BIN_DIR
                                     : "";
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ShippedFile {
    const char* file;
    const char* language;
};
const ShippedFile kShipped[] = {{"cestina.lng", "Čeština"}, {"english.lng", "English"}};

fs::path sourceLangDir() {
    return fs::path(env("RQ7_SOURCE_DIR")) / "lang";
}

// key -> text as written on the key's own line ("key = 'text'"), read
// line by line without the lookup's field rules.
std::map<std::string, std::string> writtenTexts(const fs::path& path) {
    std::map<std::string, std::string> texts;
    std::string line;
    std::ifstream in(path, std::ios::binary);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t equals = line.find(" = '");
        if (line.empty() || line[0] == ';' || equals == std::string::npos || line.back() != '\'')
            continue;
        const std::string key = line.substr(0, equals);
        EXPECT_EQ(texts.count(key), 0u) << path << ": key written twice: " << key;
        texts[key] = cp1250::toUtf8(line.substr(equals + 4, line.size() - equals - 5));
    }
    return texts;
}

TEST(ShippedLanguageFiles, EveryKeyAnswersItsOwnLine) {
    ASSERT_FALSE(env("RQ7_SOURCE_DIR").empty());
    clsLanguage language;
    ASSERT_TRUE(
        language.GetLanguages(sourceLangDir().string() + "/*.lng", sourceLangDir().string()));
    std::set<std::string> found;
    for (int i = 0; i < language.Count(); ++i) {
        language.Index(i);
        const fs::path file(language.File());
        found.insert(file.filename().string());
        const std::map<std::string, std::string> written = writtenTexts(file);
        std::vector<std::string> keys = catalogueKeys();
        keys.emplace_back(kLanguageNameKey);
        keys.emplace_back(kProgramNameKey);
        for (const std::string& key : keys) {
            const auto own = written.find(key);
            ASSERT_NE(own, written.end()) << file << " lacks " << key;
            std::string text;
            EXPECT_EQ(language.GetExpression(key, "\x01no answer", text), LanguageStatus::Ok);
            EXPECT_EQ(text, own->second) << file << ", key " << key;
        }
        EXPECT_FALSE(language.GetExpression(std::string(kProgramNameKey), "").empty()) << file;
        EXPECT_TRUE(checkLanguageFile(file.string()).problems.empty()) << file;
    }
    for (const ShippedFile& shipped : kShipped)
        EXPECT_EQ(found.count(shipped.file), 1u) << shipped.file;
}

TEST(ShippedLanguageFiles, NamesAndEncoding) {
    for (const ShippedFile& shipped : kShipped) {
        const fs::path path = sourceLangDir() / shipped.file;
        const std::string bytes = readBytes(path);
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_NE(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0) << path << " must not carry a BOM";
        clsLanguage language;
        ASSERT_TRUE(language.GetLanguages(path.string(), sourceLangDir().string()));
        language.Index(0);
        EXPECT_EQ(language.Name(), shipped.language) << path;
    }
    // Windows-1250: "Č" is the single byte 0xC8, which is no valid UTF-8 here.
    const std::string czech = readBytes(sourceLangDir() / "cestina.lng");
    EXPECT_NE(czech.find("'\xC8"
                         "e\x9Atina'"),
              std::string::npos);
    EXPECT_NE(cp1250::sanitizeUtf8(czech), czech);
}

TEST(ShippedLanguageFiles, CzechFileMatchesTheBuiltInTexts) {
    // The about window's built-in texts are English; the Czech file
    // translates them.
    const std::set<std::string> translated = {"lblAboutForm", "lblVersion", "lblLanguage",
                                              "btClose"};
    const std::map<std::string, std::string> written =
        writtenTexts(sourceLangDir() / "cestina.lng");
    for (const CatalogueEntry& entry : catalogue()) {
        const std::string key(entry.key);
        const auto own = written.find(key);
        ASSERT_NE(own, written.end()) << key;
        if (translated.count(key))
            EXPECT_NE(own->second, entry.czechDefault) << key;
        else
            EXPECT_EQ(own->second, entry.czechDefault) << key;
    }
}

TEST(ShippedLanguageFiles, EnglishFlagMessagesNameTheColumnsAsHeaded) {
    // The headings are the two halves of the caption (the dialog joins them
    // with a space, the page's heading with a line break).
    const std::map<std::string, std::string> written =
        writtenTexts(sourceLangDir() / "english.lng");
    const std::pair<const char*, const char*> messages[] = {
        {"msg051", "lblTCPrijem"}, {"msg052", "lblTCPoplach"}, {"msg053", "lblTCUdalost"}};
    for (const auto& [message, heading] : messages) {
        const std::string caption =
            written.at(heading + std::string("1")) + " " + written.at(heading + std::string("2"));
        EXPECT_NE(written.at(message).find(caption), std::string::npos)
            << message << " does not name \"" << caption << "\"";
    }
}

TEST(ShippedLanguageFiles, BuildCopiesThemBesideThePrograms) {
    ASSERT_FALSE(env("RQ7_BIN_DIR").empty());
    for (const ShippedFile& shipped : kShipped) {
        const fs::path copy = fs::path(env("RQ7_BIN_DIR")) / shipped.file;
        ASSERT_TRUE(fs::exists(copy)) << copy;
        EXPECT_EQ(readBytes(copy), readBytes(sourceLangDir() / shipped.file)) << copy;
    }
}

} // namespace
} // namespace rq7
