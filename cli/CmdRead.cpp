// rq7ctl read --port DEV -o FILE.eep: the device's whole EEPROM, byte for
// byte, into a file. The file is written only after a complete read, and
// replaces an existing one only once complete.

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "cli/SettingsFiles.h"
#include "files/WholeFile.h"
#include "settings/EepromImage.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl read --port DEV -o FILE.eep [--wait SECONDS] [--trace FILE]\n";

int run(const std::vector<std::string>& arguments, std::ostream& /*out*/, std::ostream& err) {
    std::vector<std::string> args = arguments;
    DeviceOptions options;
    if (const auto error = takeDeviceOptions(args, options)) {
        err << "rq7ctl read: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    if (args.size() != 2 || args[0] != "-o" || args[1].empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    const std::string& path = args[1];

    DeviceSession session(options, err);
    if (session.traceFailed())
        return kExitBadInput;
    const device::ActivationResult activation = session.activate();
    if (activation.state != device::ConnectionState::Aktivni) {
        session.finish();
        return activationExitStatus(activation);
    }
    std::vector<std::uint8_t> image(EepromImage::kSize, 0);
    const long eepromSize = session.link().info().eepromSize;
    const device::TransferResult read =
        session.link().ReadEeprom(image.data(), image.size(), eepromSize);
    session.finish();

    const Texts& texts = session.texts();
    if (read.outcome == device::TransferOutcome::ConnectionLost) {
        err << texts.get("msg070") << '\n';
        return kExitConnectionLost;
    }
    if (read.outcome == device::TransferOutcome::Cancelled) {
        err << texts.get("msg012") << '\n';
        return kExitFailure;
    }
    if (!read.ok()) {
        err << texts.get("msg011") << '\n';
        return kExitFailure;
    }
    const std::size_t length =
        std::max<std::size_t>(static_cast<std::size_t>(read.blocks) * device::kBlockSize, 1);
    const std::string bytes(image.begin(), image.begin() + static_cast<long>(length));
    std::string error;
    if (!files::replaceFile(path, bytes, error)) {
        err << "rq7ctl read: " << error << '\n';
        return kExitFailure;
    }
    auto check = std::make_unique<EepromImage>();
    for (std::size_t a = 0; a < length; ++a)
        check->SetImageByte(image[a], static_cast<long>(a));
    if (!check->IsImageValid())
        err << texts.get("msg015") << '\n';
    err << length << " bytes written to " << path << '\n';
    return kExitOk;
}

const CommandRegistration registration{
    {"read", "--port DEV -o FILE.eep [--wait SECONDS] [--trace FILE]",
     "read the device's whole EEPROM into a settings file", run}};

} // namespace

} // namespace rq7::cli
