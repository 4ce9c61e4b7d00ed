#include "ui/main/DifferencesDialog.h"

#include "settings/SettingsFields.h"
#include "ui/main/FieldCaptions.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace rq7::ui {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A value on one line: a line break in a text shows as a return sign, a
// check box's value as a box, ticked or not (the grey third state filled).
QString shown(const SettingsField* field, const std::string& value) {
    if (field && field->kind() == FieldKind::CheckBox)
        return value == "1"   ? QStringLiteral("\u2611")
               : value == "0" ? QStringLiteral("\u2610")
                              : QStringLiteral("\u25A3");
    QString text = qs(value);
    text.replace(QLatin1Char('\n'), QChar(0x23CE));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

DifferencesDialog::DifferencesDialog(DifferencesView view, const Texts& texts, QWidget* parent)
    : QDialog(parent), view_(std::move(view)), texts_(texts) {
    setObjectName(QStringLiteral("Differences"));
    setWindowTitle(qs(view_.title));
    auto* column = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("DifferenceList"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setHeaderLabels(
        {qs(texts.get("colField")), qs(view_.beforeHeading), qs(view_.afterHeading)});
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    column->addWidget(list_, 1);
    none_ = new QLabel(qs(texts.get("msg130")), this);
    none_->setObjectName(QStringLiteral("NoDifferences"));
    column->addWidget(none_);

    auto* buttons = new QDialogButtonBox(this);
    take_ = buttons->addButton(qs(view_.takeCaption), QDialogButtonBox::ActionRole);
    take_->setObjectName(QStringLiteral("btTake"));
    takeAll_ = buttons->addButton(qs(view_.takeAllCaption), QDialogButtonBox::ActionRole);
    takeAll_->setObjectName(QStringLiteral("btTakeAll"));
    // The program's own caption, with its Alt key in both languages.
    buttons->addButton(QDialogButtonBox::Close)->setText(qs(texts.get("btClose")));
    column->addWidget(buttons);
    connect(take_, &QPushButton::clicked, this, [this] { takeFields(false); });
    connect(takeAll_, &QPushButton::clicked, this, [this] { takeFields(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { take_->setEnabled(!list_->selectedItems().isEmpty()); });
    refresh();
    resize(760, 420);
}

void DifferencesDialog::refresh() {
    list_->clear();
    for (const FieldDifference& difference : view_.differences()) {
        const SettingsField* field = findSettingsField(difference.field);
        auto* item = new QTreeWidgetItem(
            list_, {qs(field ? fieldCaption(*field, texts_) : difference.field),
                    shown(field, difference.before), shown(field, difference.after)});
        item->setData(0, Qt::UserRole, qs(difference.field));
        item->setToolTip(0, qs(difference.field));
    }
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
    const bool any = list_->topLevelItemCount() > 0;
    none_->setVisible(!any);
    takeAll_->setEnabled(any);
    take_->setEnabled(!list_->selectedItems().isEmpty());
}

void DifferencesDialog::takeFields(bool all) {
    std::vector<std::string> fields;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        if (all || item->isSelected())
            fields.push_back(item->data(0, Qt::UserRole).toString().toStdString());
    }
    if (!fields.empty())
        view_.take(fields);
    refresh();
}

} // namespace rq7::ui
