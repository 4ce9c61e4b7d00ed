#pragma once
// The click handlers of the main window's check boxes. They run on every
// change of the box, also when the program sets it (loading settings, the
// rules clearing a flag), as the rules expect:
//  - tabTCPrijem(i), tabTCUdalost(i): CheckPhoneFlags(i);
//  - tabTCPoplach(i): the single-alarm rule for row i;
//  - opNotAuthorized: rtNotAuthorized usable only while it is set;
//  - opExist: the existence-report controls usable only while it is set.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/rules/PhoneRows.h"
#include "ui/main/rules/ValidationState.h"

class QWidget;

namespace rq7::ui {

// The telephone rows over the window's controls: setting a flag sets the
// check box, whose handler then runs.
class WindowPhoneRows : public rules::PhoneRows {
public:
    explicit WindowPhoneRows(QWidget* window) : window_(window) {}
    std::string number(int row) const override;
    Flag flag(int row, rules::PhoneFlag which) const override;
    void setFlag(int row, rules::PhoneFlag which, Flag value) override;

private:
    QWidget* control(const char* stem, int row) const;
    QWidget* flagBox(int row, rules::PhoneFlag which) const;
    QWidget* window_;
};

struct FlagHooks {
    rules::PhoneRows& phoneRows;
    rules::ValidationState& state;
    const Texts& texts;
    Prompter& prompter;
};

// Connects the handlers and brings the enabled states in line with the
// boxes. `hooks` is kept by reference and must live as long as the window.
void wireFlagHandlers(QWidget* window, const FlagHooks& hooks);

} // namespace rq7::ui
