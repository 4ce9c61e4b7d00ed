#pragma once
// What the three row dialogs share: one row of a main-window table copied
// in, the dialog shown modally to the main window, the fields checked as
// they are left, and the row copied back unless the dialog was cancelled.
//
// CancelFlag: false while the dialog is open and after OK; true after
// Storno, Esc or the close box. Every field check stays silent while it is
// set, so cancelling is always possible. However the dialog closes, a
// state-name bounce of its fields ends with it.
//
// OK checks the text field that still holds the focus before anything is
// taken over (Enter, or a click on OK, which does not take the focus): a
// rejected field keeps the dialog open, a completed one is taken over in
// its completed form. The buttons take the focus only from the keyboard.

#include "ui/dialogs/FieldCheck.h"
#include "ui/dialogs/LabelText.h"
#include "ui/dialogs/RowDialogPorts.h"

#include <QDialog>
#include <initializer_list>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace rq7::ui {

class FieldWatcher;

// One value of the row: the main window's control stem and the dialog's control.
struct RowField {
    const char* mainStem;      // "tabTC": row i is the control "tabTC_i"
    const char* dialogControl; // "TC"
};

struct RowDialogSetup {
    const char* captionKey;       // window caption key; the caption is its text, " ", letter, row
    char rowLetter;               // 'T', 'I', 'O'
    std::vector<RowField> fields; // copy-in and copy-back order
    std::vector<const char*> countedFields; // text fields whose change runs UpdateMemoryUsage
    const std::vector<ControlLabel>* labels;
    std::vector<const char*> tabOrder; // every control the Tab key visits, in order
};

class RowDialog : public QDialog {
    Q_OBJECT
public:
    // Sets the captions of the controls from the current language.
    void ChangeLanguage();

    bool cancelFlag() const { return cancelFlag_; }
    const FieldWatcher& fieldWatcher() const { return *watcher_; }

public slots:
    // OK: the focused field's check, then CancelFlag := false and hide.
    void accept() override;
    // Storno, Esc and the close box: CancelFlag := true and hide.
    void reject() override;

protected:
    RowDialog(const RowDialogPorts& ports, const QString& name);
    ~RowDialog() override;

    // Called by the subclass once its controls exist: wires the fields and
    // buttons, sets the tab order and labels the controls.
    void setUp(const RowDialogSetup& setup);

    // Runs one edit of `row` (0..7): caption, copy in, modal loop, copy back
    // unless cancelled. False when nothing was copied back.
    bool editRow(int row);

    const RowDialogPorts& ports() const { return ports_; }
    // Builds a text field named and sized as the field rules say.
    QLineEdit* makeField(const char* name);
    // The dialog's layout: the groups of controls stacked above the OK and
    // Storno buttons (right-aligned), at the size the contents need.
    void layOutWithButtons(std::initializer_list<QWidget*> groups);

private:
    QPushButton* makeOkButton();
    QPushButton* makeStornoButton();
    // The checks of a field being left, only while the dialog is open and
    // not cancelled. False when the field was rejected.
    bool checkField(QWidget* field);
    QWidget* control(const char* name) const;
    QWidget* mainControl(const char* stem, int row) const;
    void copyIn(int row);
    void copyBack(int row);
    void resetFocus();

    RowDialogPorts ports_;
    RowDialogSetup setup_;
    LeaveContext leave_;
    FieldWatcher* watcher_;
    std::vector<QLineEdit*> fields_; // every text field, in tab order
    bool cancelFlag_ = false;
};

} // namespace rq7::ui
