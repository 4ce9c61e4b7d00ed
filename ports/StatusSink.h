#pragma once
// The status window of long operations, as the core sees it: a message,
// an optional progress count and the user's cancel (Storno).

#include <string>

namespace rq7 {

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Shows the status window with this text (already looked up).
    virtual void showStatus(const std::string& text) = 0;
    // The same for an operation that cannot be interrupted (file transfers,
    // conversions): the window shows no Storno.
    virtual void showStatusWithoutCancel(const std::string& text) { showStatus(text); }
    virtual void hideStatus() = 0;
    // Blocks done of blocks to do; total 0 hides the progress bar.
    virtual void progress(int done, int total) = 0;
    // While the shown operation waits for the device: how long it has
    // waited, and a hint once the wait looks hopeless ("" until then).
    // Keeps CancelFlag. The default shows nothing.
    virtual void showWaiting(const std::string& elapsed, const std::string& hint) {
        (void)elapsed;
        (void)hint;
    }
    // A line that stays under every later message (a trace that cannot be
    // written). The default shows nothing.
    virtual void showNote(const std::string& text) { (void)text; }
    // CancelFlag: set by Storno, cleared by showStatus.
    virtual bool cancelRequested() const = 0;
};

} // namespace rq7
