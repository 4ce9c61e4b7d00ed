// rq7ctl diff A.eep B.eep | rq7ctl diff A.eep --port DEV: two sets of
// settings compared field by field, one "name: A-value -> B-value" line per
// differing field. The device side is read as the window's load from the
// device reads it. Exit 0: equal, 1: different, 2: a side could not be read,
// 3: the device holds no settings, 5: the port went away.

#include "cli/Command.h"
#include "cli/DeviceSession.h"
#include "cli/SettingsFiles.h"
#include "operations/DeviceLinkTransfer.h"
#include "settings/EepromImage.h"
#include "settings/ImageReader.h"
#include "settings/SettingsDiff.h"
#include "settings/SettingsSize.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl diff A.eep B.eep\n"
    "       rq7ctl diff A.eep --port DEV [--wait SECONDS] [--trace FILE]\n";

bool wantsDevice(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--port" || arg.rfind("--port=", 0) == 0)
            return true;
    return false;
}

// The device's settings; an exit status other than kExitOk when there are
// none. `leftActive` tells that the device did not leave programming mode.
int readDevice(const DeviceOptions& options, SettingsRecord& record, bool& leftActive,
               std::ostream& err) {
    DeviceSession session(options, err);
    device::ActivationResult activation;
    // A device that could not be read is bad input for a comparison.
    if (const std::optional<int> stop = session.activateForTransfer(activation))
        return *stop == kExitFailure ? kExitBadInput : *stop;
    auto image = std::make_unique<EepromImage>();
    DeviceLinkTransfer transfer(session.link());
    const ImageReadResult read =
        transfer.readImage(*image, LabelNumber(activation.info.lblInfoPamSize), "msg048");
    session.finish();
    leftActive = session.exitStatus(kExitOk) == kExitLeftActive;
    const Texts& texts = session.texts();
    if (const int status = imageReadExitStatus(read.outcome, texts, err, kExitBadInput);
        status != kExitOk)
        return session.exitStatus(status);
    const ReadResult settings = ReadImage(*image, record, {});
    if (!settings.ok) {
        err << texts.get(settings.messageKey) << " (" << settings.detail << ")\n";
        return session.exitStatus(kExitBadInput);
    }
    return kExitOk;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const bool device = wantsDevice(args);
    DeviceOptions options;
    if (device) {
        if (const auto error = takeDeviceOptions(args, options)) {
            err << "rq7ctl diff: " << *error << '\n' << kUsage;
            return kExitBadInput;
        }
    }
    for (const std::string& arg : args)
        if (arg.empty() || arg[0] == '-') {
            err << kUsage;
            return kExitBadInput;
        }
    if (args.size() != (device ? 1u : 2u)) {
        err << kUsage;
        return kExitBadInput;
    }

    // The file first: a wrong name must not cost a device session.
    SettingsRecord a;
    SettingsRecord b;
    std::string error;
    if (!readSettingsFile(args[0], {}, a, error)) {
        err << "rq7ctl diff: " << error << '\n';
        return kExitBadInput;
    }
    bool leftActive = false;
    if (device) {
        if (const int status = readDevice(options, b, leftActive, err); status != kExitOk)
            return status;
    } else if (!readSettingsFile(args[1], {}, b, error)) {
        err << "rq7ctl diff: " << error << '\n';
        return kExitBadInput;
    }

    const std::vector<FieldDifference> differences = DiffSettings(a, b);
    for (const FieldDifference& difference : differences)
        out << FormatDifference(difference) << '\n';
    if (!out)
        return kExitBadInput;
    // The differences are shown all the same; the status says the device
    // is still in programming mode.
    if (leftActive)
        return kExitLeftActive;
    return differences.empty() ? kExitOk : kExitFailure;
}

const CommandRegistration registration{
    {"diff", "A.eep (B.eep | --port DEV [--wait SECONDS] [--trace FILE])",
     "compare two settings files, or a file with the device, field by field: one\n"
     "      \"name: A-value -> B-value\" line per differing field; exit 0 equal, 1 different",
     run}};

} // namespace

} // namespace rq7::cli
