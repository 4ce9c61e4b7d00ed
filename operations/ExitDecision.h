#pragma once
// What the program does when the user leaves it while a device may still be
// in programming mode.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"

namespace rq7 {

enum class ExitRequest {
    ExitButton,  // `btKonec`: the offer can be cancelled
    WindowClosed // the main window's close box: closing cannot be cancelled
};

enum class ExitAction {
    KeepRunning,       // Cancel on the exit button's question
    Quit,              // no device active, or the user answered No
    DeactivateThenQuit // Yes: deactivate (its own msg033 may ask), then end whatever it did
};

// `deviceActive`: `btDEA` shows the deactivate caption. Asks msg038
// (question icon; Yes/No/Cancel for the button, Yes/No for the close box)
// only while a device is active.
ExitAction DecideExit(ExitRequest request, bool deviceActive, Prompter& prompter,
                      const Texts& texts);

} // namespace rq7
