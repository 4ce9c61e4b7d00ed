#pragma once
// "Program a series…": the main window's settings as the base, a table of
// per-device values (operations/SeriesTable.h), and one device at a time on
// the window's port. The table goes through the same checks as rq7ctl
// series before the first row; the list shows every row with its station
// and status; "Program next" runs the device job for the selected row (or
// the first one waiting) and moves on; a row can be retried or skipped.

#include "operations/SeriesTable.h"
#include "ports/Prompter.h"
#include "ui/dialogs/LabelText.h"
#include "ui/language/catalogue/Texts.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace rq7::ui {

struct SeriesRowResult {
    bool written = false;
    std::string reason; // a failure's message (key and text)
};

struct SeriesPorts {
    const Texts& texts;
    Prompter& prompter;
    // The table to open; nullopt when the user cancels.
    std::function<std::optional<std::string>()> chooseTable;
    std::function<SettingsRecord()> base; // the window's settings now
    std::function<std::string()> port;    // the window's port
    std::function<std::string()> prefix;  // the telephone prefix tabUTO
    // The device job for one row of the table at `tablePath`.
    std::function<SeriesRowResult(const PlannedRow& row, const std::string& tablePath)> program;
};

enum class SeriesRowState { Waiting, Written, Failed, Skipped };

// The dialog's own texts, in labelling order.
const std::vector<ControlLabel>& seriesDialogLabels();

class SeriesDialog : public QDialog {
    Q_OBJECT
public:
    SeriesDialog(SeriesPorts ports, QWidget* owner);

    void ChangeLanguage();
    // Reads and checks the table; false (msg121 with every problem, the
    // list empty) when a check fails.
    bool openTable(const std::string& path);

    void chooseTable();
    void programNext();
    void retry();
    void skip();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    SeriesRowState state(int index) const {
        return rows_.at(static_cast<std::size_t>(index)).state;
    }

private:
    struct Row {
        PlannedRow plan;
        SeriesRowState state = SeriesRowState::Waiting;
        std::string reason;
    };

    void run(int index);
    int selected() const;
    void select(int index);
    // The first waiting row from `from` on (wrapping round), or -1.
    int nextWaiting(int from) const;
    void showRow(int index);
    void updateButtons();

    SeriesPorts ports_;
    std::string tablePath_;
    std::vector<Row> rows_;
    QLabel* file_;
    QTreeWidget* list_;
    QPushButton* next_;
    QPushButton* retry_;
    QPushButton* skip_;
};

} // namespace rq7::ui
