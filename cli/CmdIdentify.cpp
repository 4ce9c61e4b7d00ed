// rq7ctl identify --port DEV: activates the device, prints what the main
// window's information labels would show and the connection state, and
// deactivates it again. Status 0 only when the device may be programmed.

#include "cli/Command.h"
#include "cli/DeviceSession.h"

#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage =
    "usage: rq7ctl identify --port DEV [--wait SECONDS] [--trace FILE]\n";

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    DeviceOptions options;
    if (const auto error = takeDeviceOptions(args, options)) {
        err << "rq7ctl identify: " << *error << '\n' << kUsage;
        return kExitBadInput;
    }
    if (!args.empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    DeviceSession session(options, err);
    if (session.traceFailed())
        return kExitBadInput;
    const device::ActivationResult result = session.activate();
    const device::DeviceInfo& info = result.info;
    out << "lblInfoProdukt=" << info.lblInfoProdukt << '\n'
        << "lblInfoVerze=" << info.lblInfoVerze << '\n'
        << "lblInfoPamSize=" << info.lblInfoPamSize << '\n'
        << "lblInfoModem=" << info.lblInfoModem << '\n'
        << "ConnectionState=" << device::Keyword(result.state) << '\n';
    session.finish();
    return session.exitStatus(activationExitStatus(result));
}

const CommandRegistration registration{
    {"identify", "--port DEV [--wait SECONDS] [--trace FILE]",
     "activate the device, print its identification and deactivate it", run}};

} // namespace

} // namespace rq7::cli
