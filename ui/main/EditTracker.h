#pragma once
// The window's side of the edit history (settings/SettingsEdits.h): what
// counts as one committed edit (a text field left, a check box clicked, a
// list item picked, a row dialog closed), undo and redo, and the mark on
// every control whose value differs from the settings last loaded or saved.

#include "settings/SettingsEdits.h"

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace rq7::ui {

class FieldWatcher;
class SettingsBinding;

struct EditTrackerPorts {
    QWidget* window;
    const SettingsBinding& binding;
    const FieldWatcher& watcher;
    std::function<SettingsRecord()> record;
    std::function<void(const SettingsRecord&)> apply;
};

class EditTracker : public QObject {
    Q_OBJECT
public:
    explicit EditTracker(EditTrackerPorts ports, QObject* parent = nullptr);

    // The window's settings as they are now were loaded / saved.
    void loaded();
    void saved();
    // Commits the edits made so far; the field being typed into stays out
    // unless its check has just passed (`settled`).
    void commitNow(bool settled = false);
    // Commits once the events in hand have run (the leave checks first).
    void commitSoon();
    void undo();
    void redo();
    // One step: the named fields take `source`'s values.
    void takeFields(const SettingsRecord& source, const std::vector<std::string>& fields);
    // Fields that differ from the settings last loaded or saved.
    std::vector<FieldDifference> changes() const;
    const EditHistory& history() const { return history_; }
    // Marks the controls of the changed fields and clears the others;
    // `repaint`: the marked ones anew (the palette changed).
    void refreshMarks(bool repaint = false);

signals:
    // Undo or redo became possible or impossible.
    void historyChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string typingField() const;
    void applyRecord(const SettingsRecord& record);

    EditTrackerPorts ports_;
    EditHistory history_;
    bool queued_ = false;
};

} // namespace rq7::ui
