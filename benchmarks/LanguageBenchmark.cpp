// Language benchmark (a measurement, not a test), run by benchmarks/language.sh:
//  - the time from the program's start to the main window shown, with a
//    saved language taken from the settings store;
//  - the time of one re-labelling of every window (main window, status
//    window, the three row dialogs) in that language, and of one lookup.
// usage: rq7_bench_language PROGRAM_DIR SETTINGS_DIR [RELABEL_RUNS]
// PROGRAM_DIR holds the *.lng files; SETTINGS_DIR the settings store whose
// "RQ7 Init.conf" names the language. Prints "name value unit" lines.

#include "languages/clsLanguage.h"
#include "settings/EepromImage.h"
#include "ui/dialogs/LabelText.h"
#include "ui/dialogs/QtFileDialog.h"
#include "ui/dialogs/RowDialog.h"
#include "ui/dialogs/RowDialogs.h"
#include "ui/dialogs/TelCislo.h"
#include "ui/dialogs/Vstup.h"
#include "ui/dialogs/Vystup.h"
#include "ui/language/LanguageStartup.h"
#include "ui/language/QtSettingsStore.h"
#include "ui/main/Hlavni.h"
#include "ui/main/MainLabels.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millis(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

class SilentPrompter : public rq7::Prompter {
public:
    rq7::Answer ask(const rq7::Message& message) override { return message.defaultAnswer(); }
};

// Every row dialog opened once (and cancelled), so that all take part.
void createRowDialogs(rq7::ui::Hlavni& window) {
    const auto cancelOnOpen = [] {
        QTimer::singleShot(0, qApp, [] {
            if (auto* dialog = qobject_cast<rq7::ui::RowDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    };
    cancelOnOpen();
    window.rowDialogs().EditTC(0);
    cancelOnOpen();
    window.rowDialogs().EditINP(0);
    cancelOnOpen();
    window.rowDialogs().EditOUT(0);
}

// Lookups of one re-labelling: every key of the four label tables, the two
// device-button captions, the connection state, the status window's Storno.
std::size_t lookupsPerRelabelling() {
    std::size_t keys = 4;
    for (const auto* table : {&rq7::ui::mainWindowLabels(), &rq7::ui::telCisloLabels(),
                              &rq7::ui::vstupLabels(), &rq7::ui::vystupLabels()})
        for (const rq7::ui::ControlLabel& label : *table)
            keys += rq7::ui::labelKeys(label.pattern).size();
    return keys;
}

// Milliseconds since the process was started (before the dynamic loader ran),
// to the kernel's tick (10 ms); negative where the kernel does not say.
double millisSinceProcessStart() {
#ifdef __linux__
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, stat) != nullptr;
    std::fclose(stat);
    // Field 22, counted after the command name's closing parenthesis.
    const char* at = read ? std::strrchr(line, ')') : nullptr;
    if (!at)
        return -1;
    unsigned long long startTicks = 0;
    if (std::sscanf(at + 2,
                    "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d "
                    "%*d %*d %llu",
                    &startTicks) != 1)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 -
            static_cast<double>(startTicks) / ticks) *
           1000.0;
#else
    return -1;
#endif
}

struct Stats {
    double min, median, max;
};

Stats stats(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    if (argc < 3) {
        std::fputs("usage: rq7_bench_language PROGRAM_DIR SETTINGS_DIR [RELABEL_RUNS]\n", stderr);
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 50;

    // As rq7-init puts the program together.
    rq7::clsLanguage language;
    const rq7::Texts texts(&language);
    QApplication app(argc, argv);
    rq7::ui::QtSettingsStore store(argv[2]);
    rq7::ui::LanguageSession session{language, texts, store, programDir};
    auto image = std::make_unique<rq7::EepromImage>();
    SilentPrompter prompter;
    rq7::ui::QtFileDialog fileDialog(nullptr);
    rq7::MainWindowPorts ports{prompter, fileDialog, texts, *image, programDir};
    ports.language = rq7::ui::languageHooks(session);
    rq7::ui::Hlavni window(ports);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents(); // the first paint
    const Clock::time_point shown = Clock::now();
    const double sinceProcessStart = millisSinceProcessStart();
    if (language.Index() < 0) {
        std::fputs("no saved language was restored; the about window would have asked\n", stderr);
        return 1;
    }
    std::printf("language %s\n", language.Name().c_str());
    std::printf("startup_to_shown %.1f ms (from main)\n", millis(shown - start));
    if (sinceProcessStart >= 0)
        std::printf("process_start_to_shown %.0f ms (kernel ticks, +-10 ms)\n", sinceProcessStart);

    createRowDialogs(window);
    std::vector<double> relabel;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point before = Clock::now();
        rq7::ui::ChangeLanguageOfAllWindows(window);
        relabel.push_back(millis(Clock::now() - before));
    }
    const Stats all = stats(relabel);
    std::printf("relabel_all_windows_min %.2f ms\n", all.min);
    std::printf("relabel_all_windows_median %.2f ms\n", all.median);
    std::printf("relabel_all_windows_max %.2f ms\n", all.max);
    std::printf("lookups_per_relabelling %zu\n", lookupsPerRelabelling());

    // One lookup: a key near the top of the file and one at its end.
    for (const char* key : {"msg001", "btCancel"}) {
        std::vector<double> lookup;
        for (int run = 0; run < 200; ++run) {
            const Clock::time_point before = Clock::now();
            const std::string text = language.GetExpression(key, "");
            lookup.push_back(millis(Clock::now() - before) * 1000.0);
        }
        std::printf("lookup_%s_median %.1f us\n", key, stats(lookup).median);
    }
    return 0;
}
