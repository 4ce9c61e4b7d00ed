#pragma once
// A settings store in memory: values by application, section and key, and a
// switch that makes every access fail.

#include "ports/SettingsStore.h"

#include <map>
#include <string>

namespace rq7::test {

class MemoryStore : public SettingsStore {
public:
    std::map<std::string, std::string> values; // "application/section/key"
    bool broken = false;

    bool read(const std::string& application, const std::string& section, const std::string& key,
              std::string& value) override {
        const auto found = values.find(application + "/" + section + "/" + key);
        if (broken || found == values.end())
            return false;
        value = found->second;
        return true;
    }
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (broken)
            return false;
        values[application + "/" + section + "/" + key] = value;
        return true;
    }
};

} // namespace rq7::test
