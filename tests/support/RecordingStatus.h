#pragma once
// A StatusSink that records the status window's life: every text shown,
// the events ("show:" with Storno, "quiet:" without, "hide") and the last
// progress. `cancel` is the user's Storno.

#include "ports/StatusSink.h"

#include <string>
#include <utility>
#include <vector>

namespace rq7::test {

class RecordingStatus : public StatusSink {
public:
    bool cancel = false;
    bool visible = false;
    std::vector<std::string> shown;
    std::vector<std::string> events;
    // Every showWaiting: the elapsed text and the hint.
    std::vector<std::pair<std::string, std::string>> waiting;
    int lastDone = -1;
    int lastTotal = -1;

    void showStatus(const std::string& text) override {
        cancel = false;
        visible = true;
        shown.push_back(text);
        events.push_back("show:" + text);
    }
    void showStatusWithoutCancel(const std::string& text) override {
        showStatus(text);
        events.back() = "quiet:" + text;
    }
    void hideStatus() override {
        visible = false;
        events.push_back("hide");
    }
    void progress(int done, int total) override {
        lastDone = done;
        lastTotal = total;
    }
    void showWaiting(const std::string& elapsed, const std::string& hint) override {
        waiting.emplace_back(elapsed, hint);
    }
    bool cancelRequested() const override { return cancel; }
};

} // namespace rq7::test
