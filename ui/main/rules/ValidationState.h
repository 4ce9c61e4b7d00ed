#pragma once
// The two guards of the cross-field rules. One object lives as long as the
// main window; the row dialogs get a reference to the same object, so the
// "once per bounce" behaviour of the state-name rule spans both.

#include <string>

namespace rq7::rules {

struct ValidationState {
    // While true, the state-name rule and CheckPhoneFlags stay silent. Set by
    // the image reader while it fills the controls and by the state-name rule
    // right after a msg040 rejection; cleared when a state name passes, when
    // another field is left and when the row dialog that bounced closes.
    bool SuppressCrossChecks = false;
    // The state field whose msg040 set SuppressCrossChecks ("tabINPVyp(1)",
    // "OUTZap"). The guard silences only its sister, which loses the focus
    // as the focus is given back; leaving the same field again, or any other
    // field, is checked as usual, so a pair of equal names can never slip
    // through on a second try.
    std::string bouncedField;
    // Ends the guard a msg040 bounce set (the dialog closed, or the focus
    // moved on); the image reader's guard, which names no field, stays.
    void endBounce() {
        if (bouncedField.empty())
            return;
        SuppressCrossChecks = false;
        bouncedField.clear();
    }
    // True only while the single-alarm rule changes flags itself, so that the
    // click handlers those changes raise do not prompt again.
    bool AlarmClickBusy = false;
};

} // namespace rq7::rules
