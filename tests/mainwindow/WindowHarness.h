#pragma once
// Helpers for driving the main window in tests: scripted ports, a shown and
// active window, real focus changes and key clicks, and reading back what
// the user would see.

#include "ports/Prompter.h"
#include "settings/EepromImage.h"
#include "tests/support/EventLoop.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace rq7::test {

// While it lives, every modal dialog that opens is cancelled at once (a row
// dialog opened by a test that only looks at what opens it).
class DialogCanceller {
public:
    DialogCanceller();
    ~DialogCanceller();
    int cancelled() const { return cancelled_; }

private:
    QObject* timer_;
    int cancelled_ = 0;
};

struct HarnessOptions {
    Prompter* prompter = nullptr;          // nullptr: the harness's ScriptedPrompter
    std::filesystem::path programDir;      // empty: a fresh empty directory
    std::filesystem::path systemConfigDir; // empty: a fresh empty directory
};

class WindowHarness {
public:
    explicit WindowHarness(HarnessOptions options = {});
    ~WindowHarness();

    ui::Hlavni& window() { return *window_; }
    const std::filesystem::path& scratch() const { return scratch_; }

    QWidget* control(const std::string& name) const; // fails the test when missing
    QLineEdit* edit(const std::string& name) const;
    QCheckBox* check(const std::string& name) const;
    QLabel* label(const std::string& name) const;
    std::string text(const std::string& name) const;

    // The focus moves to the control as by the Tab key.
    void focus(const std::string& name);
    // Focus into the field, its text replaced by typing `text` (empty: cleared).
    void type(const std::string& name, const std::string& text);
    // Types into `name`, then moves the focus on to `next`.
    void typeAndLeave(const std::string& name, const std::string& text,
                      const std::string& next = "tabJmenoStanice");
    // A mouse click on a check box or button.
    void click(const std::string& name);

    std::string focused() const; // objectName of the focus widget
    int usage() const;           // the number of lblInfoPamUsage

    ScriptedPrompter prompter;
    FakeFileDialog files;

private:
    QTemporaryDir temp_;
    std::filesystem::path scratch_;
    Texts texts_;
    std::unique_ptr<EepromImage> image_;
    std::unique_ptr<ui::Hlavni> window_;
};

} // namespace rq7::test
