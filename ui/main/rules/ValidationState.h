#pragma once
// The two guards of the cross-field rules. One object lives as long as the
// main window; the row dialogs get a reference to the same object, so the
// "once per bounce" behaviour of the state-name rule spans both.

#include <string>

namespace rq7::rules {

struct ValidationState {
    // While true, the state-name rule and CheckPhoneFlags stay silent. Set by
    // the image reader while it fills the controls and by the state-name rule
    // right after a msg040 rejection; cleared when a state name passes.
    bool SuppressCrossChecks = false;
    // The state field whose msg040 set SuppressCrossChecks ("tabINPVyp(1)",
    // "OUTZap"). The guard silences only its sister, which loses the focus
    // as the focus is given back; leaving the same field again, or any other
    // row's state names, is checked as usual, so a pair of equal names can
    // never slip through on a second try.
    std::string bouncedField;
    // True only while the single-alarm rule changes flags itself, so that the
    // click handlers those changes raise do not prompt again.
    bool AlarmClickBusy = false;
};

} // namespace rq7::rules
