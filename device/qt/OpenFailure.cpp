#include "device/qt/OpenFailure.h"

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#endif

namespace rq7::device {

std::string PermissionHint(const std::string& path) {
    std::string owner = "dialout";
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (const struct group* entry = ::getgrgid(info.st_gid))
            owner = entry->gr_name;
    }
#endif
    return "The user must be a member of the group '" + owner + "' that owns " + path +
           " (log in again after joining it).";
}

std::string DescribeOpenFailure(QSerialPort::SerialPortError error, const std::string& systemText,
                                const std::string& path) {
    std::string reason = path + ": " + (systemText.empty() ? "cannot be opened" : systemText);
#ifdef Q_OS_LINUX
    if (error == QSerialPort::PermissionError)
        reason += " " + PermissionHint(path);
#else
    (void)error;
#endif
    return reason;
}

} // namespace rq7::device
