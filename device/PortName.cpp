#include "device/PortName.h"

#include <cctype>

namespace rq7::device {

int ComPortNumber(const std::string& name) {
    std::string compact;
    for (char c : name)
        if (c != ' ')
            compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (compact.size() != 4 || compact.compare(0, 3, "COM") != 0)
        return 0;
    const char digit = compact[3];
    return digit >= '1' && digit <= '4' ? digit - '0' : 0;
}

std::string SystemPortName(const std::string& name) {
    const int number = ComPortNumber(name);
    if (number == 0)
        return name;
#ifdef _WIN32
    return "COM" + std::to_string(number);
#else
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

} // namespace rq7::device
