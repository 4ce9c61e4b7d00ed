#pragma once
// Everything the main window reaches outside itself. app/main.cpp passes the
// real ones; the tests pass scripted ones.

#include "operations/FileDialog.h"
#include "operations/SmsCentreList.h"
#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <filesystem>

namespace rq7 {

class EepromImage;

struct MainWindowPorts {
    Prompter& prompter;
    FileDialog& fileDialog;
    const Texts& texts;
    EepromImage& image; // the program's one image buffer
    // Where lum_smsc.ini is looked for: beside the program, then the
    // system-wide configuration directory.
    std::filesystem::path programDir;
    std::filesystem::path systemConfigDir = kSystemConfigDir;
    // The status window of long operations; nullptr: the window's own Info.
    StatusSink* status = nullptr;
};

} // namespace rq7
