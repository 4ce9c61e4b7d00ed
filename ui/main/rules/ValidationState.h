#pragma once
// The two guards of the cross-field rules. One object lives as long as the
// main window; the row dialogs get a reference to the same object, so the
// "once per bounce" behaviour of the state-name rule spans both.

namespace rq7::rules {

struct ValidationState {
    // While true, the state-name rule and CheckPhoneFlags stay silent. Set by
    // the image reader while it fills the controls and by the state-name rule
    // right after a msg040 rejection; cleared when a state name passes.
    bool SuppressCrossChecks = false;
    // True only while the single-alarm rule changes flags itself, so that the
    // click handlers those changes raise do not prompt again.
    bool AlarmClickBusy = false;
};

} // namespace rq7::rules
