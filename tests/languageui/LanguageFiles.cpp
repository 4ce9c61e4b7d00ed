#include "tests/languageui/LanguageFiles.h"

#include "ui/language/catalogue/Catalogue.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace rq7::test {

std::string tagged(const std::string& key, const std::string& tag) {
    // The default UTO field holds at most four characters: a number of the tag.
    if (key == "valUTO") {
        unsigned sum = 0;
        for (const char c : tag)
            sum += static_cast<unsigned char>(c);
        return "+" + std::to_string(100 + sum % 900);
    }
    return key + "@" + tag;
}

void writeLanguageFile(const std::filesystem::path& dir, const std::string& fileName,
                       const LanguageFileContent& content) {
    std::map<std::string, std::string> texts;
    if (!content.tag.empty())
        for (const std::string& key : catalogueKeys())
            texts[key] = tagged(key, content.tag);
    for (const auto& [key, text] : content.texts)
        texts[key] = text;
    // A key contained in another must stand above it: shorter keys first.
    std::vector<std::string> keys;
    for (const auto& entry : texts)
        keys.push_back(entry.first);
    std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return a.size() < b.size();
    });

    std::ofstream out(dir / fileName, std::ios::binary | std::ios::trunc);
    out << "\xEF\xBB\xBF; test language\r\n";
    if (!content.name.empty())
        out << std::string(kLanguageNameKey) << " = '" << content.name << "'\r\n";
    if (!content.programName.empty())
        out << std::string(kProgramNameKey) << " = '" << content.programName << "'\r\n";
    for (const std::string& key : keys)
        out << key << " = '" << texts[key] << "'\r\n";
    if (!out)
        throw std::runtime_error("cannot write " + (dir / fileName).string());
}

std::vector<std::string> lngFilesInDirectoryOrder(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > 4 && name.substr(name.size() - 4) == ".lng")
            names.push_back(name);
    }
    return names;
}

} // namespace rq7::test
