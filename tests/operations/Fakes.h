#pragma once
// Scripted stand-ins for the ports of the operations library.

#include "operations/EepromTransfer.h"
#include "operations/FileDialog.h"
#include "operations/SettingsHolder.h"
#include "ports/Prompter.h"
#include "ports/StatusSink.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rq7::test {

// Answers from a script (else the box's close-box answer) and records every
// message asked.
class RecordingPrompter : public Prompter {
public:
    std::deque<Answer> answers;
    std::vector<Message> asked;

    Answer ask(const Message& message) override {
        asked.push_back(message);
        if (answers.empty())
            return message.defaultAnswer();
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> result;
        for (const Message& m : asked)
            result.push_back(m.key);
        return result;
    }
};

// Records the status window's life as a list of events ("show:" with Storno,
// "quiet:" without, "hide"); `cancel` is the user's Storno.
class RecordingStatus : public StatusSink {
public:
    std::vector<std::string> events;
    bool cancel = false;
    bool visible = false;

    void showStatus(const std::string& text) override {
        cancel = false;
        visible = true;
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
    void progress(int, int) override {}
    bool cancelRequested() const override { return cancel; }
};

class FakeFileDialog : public FileDialog {
public:
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    int opened = 0;
    int saved = 0;

    std::optional<std::string> chooseFileToOpen() override {
        ++opened;
        return openAnswer;
    }
    std::optional<std::string> chooseFileToSave() override {
        ++saved;
        return saveAnswer;
    }
};

} // namespace rq7::test
