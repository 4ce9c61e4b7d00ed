#pragma once
// The settings store on QSettings. The application name names the store:
// the user's own configuration file of that name (~/.config/<name>.conf on
// Linux), or a file of that name in a directory given at construction.

#include "ports/SettingsStore.h"

#include <QString>
#include <filesystem>
#include <memory>

class QSettings;

namespace rq7::ui {

class QtSettingsStore : public SettingsStore {
public:
    // The user's own store.
    QtSettingsStore() = default;
    // Files "<application>.conf" in `directory` instead (tests, portable use).
    explicit QtSettingsStore(std::filesystem::path directory);

    bool read(const std::string& application, const std::string& section, const std::string& key,
              std::string& value) override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    std::unique_ptr<QSettings> open(const std::string& application) const;

    std::filesystem::path directory_; // empty: the user's own store
};

} // namespace rq7::ui
