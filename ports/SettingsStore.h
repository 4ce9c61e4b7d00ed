#pragma once
// The per-user settings store: one text value under an application name, a
// section and a key. Fallible: a caller that can live without the value
// ignores a failure.

#include <string>

namespace rq7 {

// Where the program keeps its own settings: the language, the last port,
// the file dialogs' folder.
inline constexpr const char* kSettingsApplication = "RQ7 Init";
inline constexpr const char* kSettingsSection = "Options";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value into `value`; false when there is none or the store
    // cannot be read (value then untouched).
    virtual bool read(const std::string& application, const std::string& section,
                      const std::string& key, std::string& value) = 0;
    // Stores the value; false when the store cannot be written.
    virtual bool write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

} // namespace rq7
