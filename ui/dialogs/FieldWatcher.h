#pragma once
// The common pattern of an editable text field, for every window: the whole
// text is selected when the field gets the focus, a change handler runs on
// every edit (also edits by the program), the leave handler runs when the
// focus moves on to another control of the window, and a double click can
// open the row's dialog.
//
// Leaving is reported only for real moves of the focus inside the window.
// It is not reported when the window itself loses the activation (a message
// box, another window, a drop-down list opening), and never while another
// leave handler runs: a handler that shows a message box and then gives the
// focus back to its field makes Qt send further focus-out events (the box
// takes the focus; the control that had just received it loses it again),
// and these must not start a second round of checks. The handler runs after
// the focus change has completed, so that it may switch the tab page or move
// the focus itself.
//
// A command must not act on a text whose check is still to come (a click on
// a button queues the leave of the field it takes the focus from, and runs
// before it): settle() runs those checks at once.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace rq7::ui {

struct FieldHandlers {
    std::function<bool()> onLeave;       // the field's checks; false: the text was rejected
    std::function<void()> onChange;      // e.g. UpdateMemoryUsage; none for fixed-size fields
    std::function<void()> onDoubleClick; // e.g. the row's dialog
};

class FieldWatcher : public QObject {
    Q_OBJECT
public:
    explicit FieldWatcher(QObject* parent = nullptr);

    // A QLineEdit or an editable QComboBox.
    void watch(QWidget* field, FieldHandlers handlers);

    // Runs now every leave handler still to come, and that of the watched
    // field holding the focus (a command from the keyboard leaves it there).
    // False when one rejected its field (it has the focus again; the leaves
    // still to come are void) or a leave handler is running.
    bool settle();

    // True while a leave handler runs.
    bool busy() const { return busy_; }
    // How many leave handlers have run (for the tests of the guard).
    int leaveCount() const { return leaveCount_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        FieldHandlers handlers;
        bool pending = false;
    };
    void selectAll(QWidget* field);
    void scheduleLeave(QWidget* field);
    void runLeave(QPointer<QWidget> field);
    bool leaveNow(QWidget* field);

    QHash<QObject*, Entry> fields_;
    bool busy_ = false;
    int leaveCount_ = 0;
};

} // namespace rq7::ui
