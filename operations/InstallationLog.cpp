#include "operations/InstallationLog.h"

#include "files/WholeFile.h"
#include "operations/Backups.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace rq7 {

namespace {

constexpr std::pair<InstallResult, const char*> kResultNames[] = {
    {InstallResult::Written, "written"},
    {InstallResult::Failed, "failed"},
    {InstallResult::Cancelled, "cancelled"},
    {InstallResult::Lost, "lost"},
};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string s(const QJsonValue& value) {
    return value.toString().toStdString();
}

std::string systemError(int error) {
    return std::strerror(error);
}

} // namespace

const char* resultName(InstallResult result) {
    for (const auto& [value, name] : kResultNames)
        if (value == result)
            return name;
    return "failed";
}

fs::path DefaultLogFolder() {
    if (const char* dir = std::getenv("RQ7_LOG_DIR"); dir && *dir)
        return dir;
    const fs::path backups = DefaultBackupFolder();
    return backups.empty() ? fs::path() : backups.parent_path();
}

std::string TechnicianName(const std::string& given, SettingsStore* store) {
    if (!given.empty())
        return given;
    if (const char* name = std::getenv("RQ7_TECHNICIAN"); name && *name)
        return name;
    std::string stored;
    if (store && store->read(kSettingsApplication, kSettingsSection, kStoreTechnician, stored) &&
        !stored.empty())
        return stored;
    if (const passwd* user = ::getpwuid(::getuid())) {
        const std::string gecos = user->pw_gecos ? user->pw_gecos : "";
        const std::string full = gecos.substr(0, gecos.find(','));
        if (!full.empty())
            return full;
        if (user->pw_name)
            return user->pw_name;
    }
    return {};
}

std::string IsoTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    // %z gives +0100; ISO 8601's extended form writes +01:00.
    if (iso.size() >= 5)
        iso.insert(iso.size() - 2, ":");
    return iso;
}

std::string Sha256Hex(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string RecordJson(const InstallationRecord& record) {
    QJsonObject o;
    o["time"] = q(record.time);
    o["technician"] = q(record.technician);
    o["port"] = q(record.port);
    o["model"] = q(record.model);
    o["version"] = q(record.version);
    o["eeprom"] = static_cast<qint64>(record.eeprom);
    o["modem"] = q(record.modem);
    o["station"] = q(record.station);
    o["image_sha256"] = q(record.imageSha256);
    o["image_length"] = static_cast<qint64>(record.imageLength);
    if (record.changedAll) {
        o["changed"] = QStringLiteral("all");
    } else if (record.changed) {
        QJsonArray names;
        for (const std::string& name : *record.changed)
            names.append(q(name));
        o["changed"] = names;
    } else {
        o["changed"] = QJsonValue::Null;
    }
    o["verify"] = record.verify;
    o["result"] = QString::fromLatin1(resultName(record.result));
    o["detail"] = q(record.detail);
    o["backup"] = record.backup ? QJsonValue(q(*record.backup)) : QJsonValue(QJsonValue::Null);
    o["source"] = q(record.source);
    if (record.series) {
        o["series"] = q(*record.series);
        o["row"] = record.row;
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

bool ParseRecordJson(const std::string& line, InstallationRecord& record) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject o = document.object();
    if (!o["time"].isString() || !o["result"].isString())
        return false;
    InstallationRecord r;
    r.time = s(o["time"]);
    r.technician = s(o["technician"]);
    r.port = s(o["port"]);
    r.model = s(o["model"]);
    r.version = s(o["version"]);
    r.eeprom = static_cast<long>(o["eeprom"].toInteger());
    r.modem = s(o["modem"]);
    r.station = s(o["station"]);
    r.imageSha256 = s(o["image_sha256"]);
    r.imageLength = static_cast<long>(o["image_length"].toInteger());
    if (o["changed"].isString()) {
        r.changedAll = true;
    } else if (o["changed"].isArray()) {
        r.changed.emplace();
        for (const QJsonValue& name : o["changed"].toArray())
            r.changed->push_back(s(name));
    }
    r.verify = o["verify"].toBool();
    bool known = false;
    for (const auto& [value, name] : kResultNames)
        if (s(o["result"]) == name) {
            r.result = value;
            known = true;
        }
    if (!known)
        return false;
    r.detail = s(o["detail"]);
    if (o["backup"].isString())
        r.backup = s(o["backup"]);
    r.source = s(o["source"]);
    if (o["series"].isString()) {
        r.series = s(o["series"]);
        r.row = o["row"].toInt();
    }
    record = std::move(r);
    return true;
}

bool AppendInstallation(const fs::path& folder, InstallationRecord record, std::string& error) {
    if (folder.empty()) {
        error = "no folder for the installation record (HOME is not set; set RQ7_LOG_DIR)";
        return false;
    }
    if (record.time.empty())
        record.time = IsoTimeNow();
    std::error_code made;
    fs::create_directories(folder, made);
    const fs::path path = folder / kInstallationsFile;
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        error = "cannot open " + path.string() + ": " + systemError(errno);
        return false;
    }
    std::string line = RecordJson(record) + '\n';
    // (Read as well: the last byte is looked at.) A line an earlier failure
    // left without its end would swallow this
    // one: start on a line of our own.
    struct stat info {};
    char last = '\n';
    if (::fstat(fd, &info) == 0 && info.st_size > 0 &&
        ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n')
        line.insert(line.begin(), '\n');
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int writeError = errno;
    bool ok = written == static_cast<ssize_t>(line.size());
    if (!ok)
        error = "cannot append to " + path.string() + ": " +
                (written < 0 ? systemError(writeError) : std::string("the disk is full"));
    if (ok && ::fsync(fd) != 0) {
        error = "cannot sync " + path.string() + ": " + systemError(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = "cannot close " + path.string() + ": " + systemError(errno);
        ok = false;
    }
    return ok;
}

bool ReadInstallations(const fs::path& folder, std::vector<InstallationRecord>& records,
                       int& skipped, std::string& error) {
    records.clear();
    skipped = 0;
    std::string bytes;
    std::string reason;
    const std::string path = (folder / kInstallationsFile).string();
    switch (files::readWholeFile(path, bytes, reason)) {
    case files::FileRead::Missing:
        return true;
    case files::FileRead::Failed:
        error = "cannot read " + path + ": " + reason;
        return false;
    case files::FileRead::Read:
        break;
    }
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        InstallationRecord record;
        if (ParseRecordJson(line, record))
            records.push_back(std::move(record));
        else
            ++skipped;
    }
    return true;
}

} // namespace rq7
