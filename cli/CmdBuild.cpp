// rq7ctl build SETTINGS.txt -o FILE.eep: a settings file made from a
// settings text. Fields the text does not name keep their initial values.
// The file holds exactly the image's bytes; it is written only when the
// whole image was built, and replaces an existing file only once complete.
// Before building, the text goes through the field rules of "rq7ctl check":
// a text that check rejects is refused (status 2, check's lines on standard
// error); otherwise the replacements check reports (clamped numbers, numbers
// completed with --prefix, flags cleared on rows without a number) are made,
// as the windows make them on leaving each field, and listed on standard
// error.

#include "cli/Command.h"
#include "cli/SettingsCheck.h"
#include "cli/SettingsFiles.h"
#include "settings/EepromImage.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsSize.h"
#include "ui/language/catalogue/Texts.h"

#include <memory>
#include <optional>
#include <ostream>

namespace rq7::cli {

namespace {

constexpr const char* kUsage = "usage: rq7ctl build SETTINGS.txt -o FILE.eep [--prefix PREFIX]\n";

struct Arguments {
    std::string settings;
    std::string output;
};

std::optional<Arguments> parseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && parsed.output.empty())
            parsed.output = args[++i];
        else if (args[i] != "-o" && parsed.settings.empty())
            parsed.settings = args[i];
        else
            return std::nullopt;
    }
    if (parsed.settings.empty() || parsed.output.empty())
        return std::nullopt;
    return parsed;
}

// The image of `record` into `image`; false, told on `err`, when the
// settings make no valid image.
bool buildImage(const SettingsRecord& record, EepromImage& image, std::ostream& err) {
    const WriteResult written = WriteImage(record, image);
    if (written.ok && image.IsImageValid())
        return true;
    err << "rq7ctl build: " << Texts{}.get("msg010");
    if (!written.ok)
        err << " (" << (written.field.empty() ? "" : written.field + ": ") << written.reason << ")";
    err << '\n';
    return false;
}

int run(const std::vector<std::string>& arguments, std::ostream& /*out*/, std::ostream& err) {
    std::vector<std::string> args = arguments;
    std::string prefix = defaultPhonePrefix();
    if (const auto problem = takePrefixOption(args, prefix)) {
        err << "rq7ctl build: " << *problem << '\n';
        return kExitBadInput;
    }
    const std::optional<Arguments> parsed = parseArguments(args);
    if (!parsed) {
        err << kUsage;
        return kExitBadInput;
    }
    SettingsRecord record;
    std::string error;
    if (!readSettingsText(parsed->settings, record, error)) {
        err << "rq7ctl build: " << error << '\n';
        return kExitBadInput;
    }
    if (!applySettingsCheck(record, prefix, err))
        return kExitBadInput;
    auto image = std::make_unique<EepromImage>();
    if (!buildImage(record, *image, err))
        return kExitBadInput;
    // The file holds the image's bytes: settings size - 1 (the image length).
    const WrittenSettingsFile file =
        WriteSettingsFile(parsed->output, *image, SavedFileLength(SettingsSize(record)));
    if (!file.written) {
        err << "rq7ctl build: " << file.detail << '\n';
        return kExitBadInput;
    }
    return kExitOk;
}

const CommandRegistration registration{
    {"build", "SETTINGS.txt -o FILE.eep [--prefix PREFIX]",
     "make a settings file from a settings text (name=value lines; unnamed fields keep their "
     "initial values); refused when 'check' rejects the text, its replacements are applied",
     run}};

} // namespace

} // namespace rq7::cli
