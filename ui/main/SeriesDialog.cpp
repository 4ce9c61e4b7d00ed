#include "ui/main/SeriesDialog.h"

#include "files/WholeFile.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/LabelApplier.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

namespace rq7::ui {

namespace {

enum Column { kRow, kId, kStation, kStatus, kColumns };
constexpr const char* kHeadingKeys[kColumns] = {"colSerieRow", "colSerieId", "colSerieStation",
                                                "colSerieStatus"};
constexpr std::size_t kTableLimit = 16 * 1024 * 1024;

} // namespace

const std::vector<ControlLabel>& seriesDialogLabels() {
    using T = LabelTarget;
    static const std::vector<ControlLabel> labels = {
        {"frmSerie", T::Caption, "{lblSerieForm}"},
        {"btSerieTable", T::Caption, "{btSerieTable}"},
        {"btSerieNext", T::Caption, "{btSerieNext}"},
        {"btSerieRetry", T::Caption, "{btSerieRetry}"},
        {"btSerieSkip", T::Caption, "{btSerieSkip}"},
        {"btSerieClose", T::Caption, "{btClose}"},
    };
    return labels;
}

SeriesDialog::SeriesDialog(SeriesPorts ports, QWidget* owner)
    : QDialog(owner), ports_(std::move(ports)),
      file_(makeLabel(this, QStringLiteral("lblSerieFile"))), list_(new QTreeWidget(this)),
      next_(makeButton(this, QStringLiteral("btSerieNext"))),
      retry_(makeButton(this, QStringLiteral("btSerieRetry"))),
      skip_(makeButton(this, QStringLiteral("btSerieSkip"))) {
    setObjectName(QStringLiteral("frmSerie"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    list_->setObjectName(QStringLiteral("lstSerie"));
    list_->setColumnCount(kColumns);
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(560, 220);
    QPushButton* table = makeButton(this, QStringLiteral("btSerieTable"));
    QPushButton* close = makeButton(this, QStringLiteral("btSerieClose"));
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(table);
    top->addWidget(file_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(next_);
    buttons->addWidget(retry_);
    buttons->addWidget(skip_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(list_, 1);
    column->addLayout(buttons);

    connect(table, &QPushButton::clicked, this, &SeriesDialog::chooseTable);
    connect(next_, &QPushButton::clicked, this, &SeriesDialog::programNext);
    connect(retry_, &QPushButton::clicked, this, &SeriesDialog::retry);
    connect(skip_, &QPushButton::clicked, this, &SeriesDialog::skip);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { updateButtons(); });
    ChangeLanguage();
    updateButtons();
}

void SeriesDialog::ChangeLanguage() {
    applyLabels(this, seriesDialogLabels(), ports_.texts);
    QStringList headings;
    for (const char* key : kHeadingKeys)
        headings << QString::fromStdString(ports_.texts.get(key));
    list_->setHeaderLabels(headings);
    for (int i = 0; i < rowCount(); ++i)
        showRow(i);
}

void SeriesDialog::chooseTable() {
    if (const std::optional<std::string> path = ports_.chooseTable())
        openTable(*path);
}

bool SeriesDialog::openTable(const std::string& path) {
    rows_.clear();
    list_->clear();
    tablePath_.clear();
    file_->clear();
    std::vector<TableProblem> problems;
    std::string bytes;
    std::string reason;
    if (files::readWholeFile(path, bytes, reason, kTableLimit) != files::FileRead::Read)
        problems.push_back({0, "", reason.empty() ? "cannot open " + path : reason});
    else if (bytes.size() > kTableLimit)
        problems.push_back({0, "", "the table is too large"});
    std::vector<PlannedRow> planned;
    SeriesTable table;
    if (problems.empty() && ReadSeriesTable(bytes, table, problems))
        planned = PlanSeries(ports_.base(), table, ports_.prefix(), ports_.port(), ports_.texts,
                             problems);
    if (!problems.empty()) {
        std::string text = ports_.texts.get("msg121") + path;
        for (const TableProblem& problem : problems)
            text += "\n" + problem.line();
        ports_.prompter.ask({"msg121", text, Icon::Critical, Buttons::Ok});
        updateButtons();
        return false;
    }
    tablePath_ = std::filesystem::absolute(path).lexically_normal().string();
    file_->setText(QString::fromStdString(path));
    for (PlannedRow& plan : planned) {
        rows_.push_back({std::move(plan), SeriesRowState::Waiting, {}});
        new QTreeWidgetItem(list_);
        showRow(rowCount() - 1);
    }
    select(0);
    return true;
}

void SeriesDialog::showRow(int index) {
    const Row& row = rows_.at(static_cast<std::size_t>(index));
    QTreeWidgetItem* item = list_->topLevelItem(index);
    item->setText(kRow, QString::number(row.plan.source.row));
    item->setText(kId, QString::fromStdString(row.plan.source.id));
    item->setText(kStation, QString::fromStdString(row.plan.settings.tabJmenoStanice));
    const char* key = "strSerieWaiting";
    switch (row.state) {
    case SeriesRowState::Written:
        key = "strSerieWritten";
        break;
    case SeriesRowState::Failed:
        key = "strSerieFailed";
        break;
    case SeriesRowState::Skipped:
        key = "strSerieSkipped";
        break;
    case SeriesRowState::Waiting:
        break;
    }
    const QString status = QString::fromStdString(ports_.texts.get(key) + row.reason);
    item->setText(kStatus, status);
    item->setToolTip(kStatus, status); // a long reason is cut short in the column
}

int SeriesDialog::selected() const {
    return list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
}

void SeriesDialog::select(int index) {
    list_->setCurrentItem(index >= 0 && index < rowCount() ? list_->topLevelItem(index) : nullptr);
    updateButtons();
}

int SeriesDialog::nextWaiting(int from) const {
    for (int n = 0; n < rowCount(); ++n) {
        const int i = (std::max(from, 0) + n) % rowCount();
        if (rows_[static_cast<std::size_t>(i)].state == SeriesRowState::Waiting)
            return i;
    }
    return -1;
}

void SeriesDialog::run(int index) {
    Row& row = rows_.at(static_cast<std::size_t>(index));
    const SeriesRowResult result = ports_.program(row.plan, tablePath_);
    row.state = result.written ? SeriesRowState::Written : SeriesRowState::Failed;
    row.reason = result.written ? std::string() : result.reason;
    showRow(index);
    select(result.written ? nextWaiting(index + 1) : index);
}

void SeriesDialog::programNext() {
    const int current = selected();
    const int index =
        current >= 0 && state(current) == SeriesRowState::Waiting ? current : nextWaiting(current);
    if (index >= 0)
        run(index);
}

void SeriesDialog::retry() {
    const int index = selected();
    if (index >= 0 && state(index) != SeriesRowState::Waiting)
        run(index);
}

void SeriesDialog::skip() {
    const int index = selected();
    if (index < 0 || state(index) == SeriesRowState::Written)
        return;
    Row& row = rows_[static_cast<std::size_t>(index)];
    row.state = SeriesRowState::Skipped;
    row.reason.clear();
    showRow(index);
    select(nextWaiting(index + 1));
}

void SeriesDialog::updateButtons() {
    const int index = selected();
    next_->setEnabled(nextWaiting(0) >= 0);
    retry_->setEnabled(index >= 0 && state(index) != SeriesRowState::Waiting &&
                       state(index) != SeriesRowState::Written);
    skip_->setEnabled(index >= 0 && state(index) != SeriesRowState::Written &&
                      state(index) != SeriesRowState::Skipped);
}

} // namespace rq7::ui
