#pragma once
// The list of fields that differ between two sets of settings: the
// window's changes since the last load or save, or the window against a
// file, a backup or the device. Each line is the field's caption in the
// current language with both values; the selected lines or all of them can
// be taken over into the window (each time one step that can be undone),
// after which the list shows what still differs.

#include "settings/SettingsDiff.h"
#include "ui/language/catalogue/Texts.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace rq7::ui {

struct DifferencesView {
    std::string title;
    std::string beforeHeading; // the column of FieldDifference::before
    std::string afterHeading;  // the column of FieldDifference::after
    std::string takeCaption;   // the button that takes the selected lines
    std::string takeAllCaption;
    std::function<std::vector<FieldDifference>()> differences;
    // Takes the named fields ("tabTC(3)") from the other side.
    std::function<void(const std::vector<std::string>& fields)> take;
};

class DifferencesDialog : public QDialog {
    Q_OBJECT
public:
    DifferencesDialog(DifferencesView view, const Texts& texts, QWidget* parent);

    // Fills the list again from view.differences.
    void refresh();
    QTreeWidget* list() const { return list_; }

private:
    void takeFields(bool all);

    DifferencesView view_;
    const Texts& texts_;
    QTreeWidget* list_;
    QLabel* none_;
    QPushButton* take_;
    QPushButton* takeAll_;
};

} // namespace rq7::ui
