#include "simulator/app/SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace rq7::sim {

std::string simUsage() {
    return R"(usage: rq7-sim [OPTIONS]

A simulated RQ7 device on a pseudo-terminal. The terminal's path is the first
line written to standard output; connect a program to it as to a serial port.
Ends on SIGINT or SIGTERM, saving the EEPROM when --eeprom is given.

Device:
  --id HEX6              identification code, most significant byte first
                         (default 03D302, an RQ7)
  --device-version MAJOR.MINOR
                         processor version (default 1.5)
  --memory CODE          memory-size code, EEPROM of 128 << CODE bytes
                         (default 3, 1024 bytes)
  --eeprom-size BYTES    EEPROM size other than the memory code's (a code
                         without a size gives 128 bytes)
  --modem CODE           modem code (default 4)
  --eeprom FILE.eep      EEPROM contents: loaded at start (a missing file means
                         a blank EEPROM), saved on exit
  --press-after SECONDS  programming mode only this long after the first
                         programming-mode request (default 0)
  --reply-delay MS       device's time to answer a request (default 0)

Line:
  --wire-speed BAUD      pace bytes as a line of that speed would, 10 bits per
                         byte, both directions; 0 = unpaced (default)

Faults (probability per reply, 0 to 1, default 0):
  --drop P               the reply is lost
  --corrupt P            the reply has a bad checksum
  --late P               the reply comes after --late-delay; the replies to
                         requests heard meanwhile follow it, in order
  --stall P              the device waits --late-delay before the reply, once
                         the replies before it have left: it serves requests
                         one after the other, so the stalls of queued replies
                         add up
  --short P              the reply is cut short but has a good checksum
  --misread P            a block read returns one wrong byte
  --bad-write P          a block write stores one wrong byte yet is acknowledged
  --late-delay MS        delay of a late or stalled reply (default 2000)
  --late-repeats         every repeat of a request answered late is late too
  --refuse-deactivation  end of programming is always refused
  --seed N               seed of the fault draws (default 1)

Other:
  --verbose              log every request on standard error
  --help                 this text
  --version              rq7-sim's own version
)";
}

static std::optional<unsigned long long> parseUnsigned(const std::string& text, int base,
                                                       unsigned long long max) {
    if (text.empty() || text.find_first_of("+- ") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || value > max)
        return std::nullopt;
    return value;
}

static std::optional<double> parseNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> parseSimOptions(const std::vector<std::string>& args,
                                           SimOptions& options) {
    DeviceConfig& device = options.device;
    using Setter = std::function<bool(const std::string&)>;
    auto probability = [](double& target) {
        return [&target](const std::string& v) {
            const auto p = parseNumber(v);
            if (!p || *p < 0 || *p > 1)
                return false;
            target = *p;
            return true;
        };
    };
    auto byteCode = [](std::uint8_t& target) {
        return [&target](const std::string& v) {
            const auto n = parseUnsigned(v, 10, 255);
            if (!n)
                return false;
            target = static_cast<std::uint8_t>(*n);
            return true;
        };
    };
    auto millis = [](Micros& target) {
        return [&target](const std::string& v) {
            const auto ms = parseNumber(v);
            if (!ms || *ms < 0 || *ms > 3'600'000)
                return false;
            target = Micros(std::llround(*ms * 1000));
            return true;
        };
    };
    const std::map<std::string, Setter> valued = {
        {"--id",
         [&](const std::string& v) {
             if (v.size() != 6)
                 return false;
             const auto n = parseUnsigned(v, 16, 0xFFFFFF);
             if (!n)
                 return false;
             device.profile.identification = static_cast<std::uint32_t>(*n);
             return true;
         }},
        {"--device-version",
         [&](const std::string& v) {
             const auto dot = v.find('.');
             if (dot == std::string::npos)
                 return false;
             const auto major = parseUnsigned(v.substr(0, dot), 10, 255);
             const auto minor = parseUnsigned(v.substr(dot + 1), 10, 255);
             if (!major || !minor)
                 return false;
             device.profile.versionMajor = static_cast<std::uint8_t>(*major);
             device.profile.versionMinor = static_cast<std::uint8_t>(*minor);
             return true;
         }},
        {"--memory", byteCode(device.profile.memoryCode)},
        {"--modem", byteCode(device.profile.modemCode)},
        {"--eeprom-size",
         [&](const std::string& v) {
             const auto n = parseUnsigned(v, 10, kMaxEepromSize);
             if (!n || *n < kMinEepromSize || *n % kBlockSize != 0)
                 return false;
             device.eepromSize = static_cast<std::size_t>(*n);
             return true;
         }},
        {"--eeprom",
         [&](const std::string& v) {
             options.eepromFile = v;
             return !v.empty();
         }},
        {"--press-after",
         [&](const std::string& v) {
             const auto s = parseNumber(v);
             if (!s || *s < 0 || *s > 3600)
                 return false;
             device.pressAfter = Micros(std::llround(*s * 1e6));
             return true;
         }},
        {"--reply-delay", millis(device.replyDelay)},
        {"--late-delay", millis(device.lateDelay)},
        {"--wire-speed",
         [&](const std::string& v) {
             const auto n = parseUnsigned(v, 10, 10'000'000);
             if (!n)
                 return false;
             options.wireSpeed = static_cast<std::uint32_t>(*n);
             return true;
         }},
        {"--drop", probability(device.faults.drop)},
        {"--corrupt", probability(device.faults.corrupt)},
        {"--late", probability(device.faults.late)},
        {"--stall", probability(device.faults.stall)},
        {"--short", probability(device.faults.shortReply)},
        {"--misread", probability(device.faults.misread)},
        {"--bad-write", probability(device.faults.badWrite)},
        {"--seed",
         [&](const std::string& v) {
             const auto n = parseUnsigned(v, 10, ~0ULL);
             if (!n)
                 return false;
             device.seed = *n;
             return true;
         }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        const std::map<std::string, bool*> flags = {
            {"--refuse-deactivation", &device.faults.refuseDeactivation},
            {"--late-repeats", &device.faults.lateRepeats},
            {"--verbose", &options.verbose},
            {"--version", &options.version}};
        if (const auto flag = flags.find(name); flag != flags.end()) {
            if (value)
                return name + " takes no value";
            *flag->second = true;
            continue;
        }
        const auto setter = valued.find(name);
        if (setter == valued.end())
            return "unknown option '" + name + "'";
        if (!value) {
            if (i + 1 >= args.size())
                return name + " needs a value";
            value = args[++i];
        }
        if (!setter->second(*value))
            return "bad value '" + *value + "' for " + name;
    }
    return std::nullopt;
}

} // namespace rq7::sim
