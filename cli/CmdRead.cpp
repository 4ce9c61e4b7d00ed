// rq7ctl read --port DEV -o FILE.eep [--full]: the device's settings into a
// settings file, as the window's save to a file writes them (the image's
// bytes); with --full the whole EEPROM, byte for byte. The file is written
// only after a complete read, and replaces an existing one only once
// complete. Without --full, a device without settings still gets its file
// (the header blocks as read) and exit status 3; --full is raw memory,
// whatever it holds.

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "operations/DeviceImageRead.h"
#include "operations/SettingsFile.h"
#include "settings/EepromImage.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl read --port DEV -o FILE.eep [--full] [--wait SECONDS] [--trace FILE]\n";

bool writeFile(const std::string& path, const EepromImage& image, long length, std::ostream& err) {
    const WrittenSettingsFile file = WriteSettingsFile(path, image, length);
    if (!file.written) {
        err << "rq7ctl read: " << file.detail << '\n';
        return false;
    }
    err << length << " bytes written to " << path << '\n';
    return true;
}

// The whole EEPROM as raw memory; msg015 is only a remark here.
int readFull(DeviceSession& session, const std::string& path, std::ostream& err) {
    std::vector<std::uint8_t> memory(EepromImage::kSize, 0);
    const long eepromSize = session.link().info().eepromSize;
    const device::TransferResult read =
        session.link().ReadEeprom(memory.data(), memory.size(), eepromSize);
    session.finish();
    const Texts& texts = session.texts();
    if (!read.ok())
        return imageReadExitStatus(ImageReadOutcome(read.outcome), texts, err, kExitFailure);
    const std::size_t length =
        std::max<std::size_t>(static_cast<std::size_t>(read.blocks) * device::kBlockSize, 1);
    auto check = std::make_unique<EepromImage>();
    for (std::size_t a = 0; a < length; ++a)
        check->SetImageByte(memory[a], static_cast<long>(a));
    if (!check->IsImageValid())
        err << texts.get("msg015") << '\n';
    return writeFile(path, *check, static_cast<long>(length), err) ? kExitOk : kExitFailure;
}

// The settings image only, read as far as it reaches.
int readSettings(DeviceSession& session, const std::string& path, std::ostream& err) {
    auto image = std::make_unique<EepromImage>();
    const ImageReadResult read =
        ReadDeviceImage(session.link(), *image, session.link().info().eepromSize);
    session.finish();
    const Texts& texts = session.texts();
    switch (read.outcome) {
    case ImageRead::Read:
        return writeFile(path, *image, read.length, err) ? kExitOk : kExitFailure;
    case ImageRead::Unprogrammed:
        // What the device holds is kept all the same (its header blocks),
        // so a script can look at it; the status tells it is no image.
        if (!writeFile(path, *image, read.bytesRead, err))
            return kExitFailure;
        break;
    default:
        break;
    }
    return imageReadExitStatus(read.outcome, texts, err, kExitFailure);
}

int run(const std::vector<std::string>& arguments, std::ostream& /*out*/, std::ostream& err) {
    std::vector<std::string> args = arguments;
    DeviceOptions options;
    if (const auto error = takeDeviceOptions(args, options)) {
        err << "rq7ctl read: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    const auto full = std::find(args.begin(), args.end(), "--full");
    const bool wholeEeprom = full != args.end();
    if (wholeEeprom)
        args.erase(full);
    if (args.size() != 2 || args[0] != "-o" || args[1].empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    const std::string& path = args[1];

    DeviceSession session(options, err);
    device::ActivationResult activation;
    if (const std::optional<int> stop = session.activateForTransfer(activation))
        return *stop;
    const int status =
        wholeEeprom ? readFull(session, path, err) : readSettings(session, path, err);
    return session.exitStatus(status);
}

const CommandRegistration registration{
    {"read", "--port DEV -o FILE.eep [--full] [--wait SECONDS] [--trace FILE]",
     "read the device's settings into a settings file (--full: the whole EEPROM)", run}};

} // namespace

} // namespace rq7::cli
