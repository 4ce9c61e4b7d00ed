#pragma once
// The per-user settings store in memory, by section and key (the
// application name is the same for every caller), and a switch that makes
// every access fail.

#include "ports/SettingsStore.h"

#include <map>
#include <string>

namespace rq7::test {

class MemoryStore : public SettingsStore {
public:
    std::map<std::string, std::string> values; // "section/key" -> value
    bool broken = false;

    bool read(const std::string&, const std::string& section, const std::string& key,
              std::string& value) override {
        const auto found = values.find(section + "/" + key);
        if (broken || found == values.end())
            return false;
        value = found->second;
        return true;
    }
    bool write(const std::string&, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (broken)
            return false;
        values[section + "/" + key] = value;
        return true;
    }
};

} // namespace rq7::test
