#include "ui/language/QtSettingsStore.h"

#include <QSettings>

namespace rq7::ui {

namespace {

QString settingsKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

} // namespace

QtSettingsStore::QtSettingsStore(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

std::unique_ptr<QSettings> QtSettingsStore::open(const std::string& application) const {
    const QString name = QString::fromStdString(application);
    if (directory_.empty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name);
    const std::filesystem::path file = directory_ / (application + ".conf");
    return std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

bool QtSettingsStore::read(const std::string& application, const std::string& section,
                           const std::string& key, std::string& value) {
    const auto settings = open(application);
    const QString name = settingsKey(section, key);
    if (settings->status() != QSettings::NoError || !settings->contains(name))
        return false;
    value = settings->value(name).toString().toStdString();
    return true;
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    const auto settings = open(application);
    if (settings->status() != QSettings::NoError)
        return false;
    settings->setValue(settingsKey(section, key), QString::fromStdString(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace rq7::ui
