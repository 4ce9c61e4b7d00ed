#include "ui/main/PortList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

namespace rq7::ui {

namespace {

constexpr int kDetailsRole = Qt::UserRole + 1;

bool opensList(const QKeyEvent& key) {
    const bool alt = key.modifiers() & Qt::AltModifier;
    return key.key() == Qt::Key_F4 ||
           (alt && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up));
}

// The opened list shows each entry's details after its name.
class PortDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (!details.isEmpty())
            option->text += QStringLiteral("   (") + details + QLatin1Char(')');
    }
};

} // namespace

void SetPortEntries(QComboBox* list, const std::vector<device::PortEntry>& entries,
                    const Texts* texts) {
    const bool adapter = std::any_of(entries.begin(), entries.end(), [](const auto& entry) {
        return entry.device.rfind("/dev/ttyUSB", 0) == 0 ||
               entry.device.rfind("/dev/ttyACM", 0) == 0;
    });
    QStringList names;
    QStringList details;
    for (const device::PortEntry& entry : entries) {
        names << QString::fromStdString(entry.name);
        std::string shown = entry.details();
        if (texts && !entry.present)
            shown +=
                ": " + texts->get("strPortAbsent") + (adapter ? "" : ". " + texts->get("msg073"));
        details << QString::fromStdString(shown);
    }
    QStringList currentNames;
    QStringList currentDetails;
    for (int index = 0; index < list->count(); ++index) {
        currentNames << list->itemText(index);
        currentDetails << list->itemData(index, kDetailsRole).toString();
    }
    if (names == currentNames && details == currentDetails)
        return;
    const QString text = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    for (int index = 0; index < names.size(); ++index) {
        list->addItem(names[index]);
        list->setItemData(index, details[index], kDetailsRole);
        list->setItemData(index, details[index], Qt::ToolTipRole);
    }
    // The opened list is as wide as its longest entry, not cut to the field.
    const QFontMetrics metrics(list->view()->font());
    int widest = 0;
    for (int index = 0; index < names.size(); ++index)
        widest = std::max(widest, metrics.horizontalAdvance(names[index] + QStringLiteral("   (") +
                                                            details[index] + QLatin1Char(')')));
    list->view()->setMinimumWidth(widest + 4 * metrics.averageCharWidth());
    const int item = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(item);
    if (item < 0)
        list->setEditText(text);
}

PortListRefresher::PortListRefresher(QComboBox* list, PortSource source, const Texts* texts)
    : QObject(list), list_(list), source_(std::move(source)), texts_(texts) {
    list_->setItemDelegate(new PortDelegate(list_));
    list_->installEventFilter(this);
    if (QLineEdit* edit = list_->lineEdit())
        edit->installEventFilter(this);
}

void PortListRefresher::refresh() {
    SetPortEntries(list_, device::PortEntries(source_()), texts_);
}

bool PortListRefresher::eventFilter(QObject* watched, QEvent* event) {
    // Runs before the list opens: a click on the drop-down arrow reaches the
    // box itself, the keys reach its text field first.
    if (event->type() == QEvent::MouseButtonPress && watched == list_)
        refresh();
    else if (event->type() == QEvent::KeyPress && opensList(*static_cast<QKeyEvent*>(event)))
        refresh();
    return false;
}

} // namespace rq7::ui
