#include "ui/main/PortList.h"

#include "device/PortName.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <algorithm>

namespace rq7::ui {

namespace {

constexpr int kComPorts = 4;

std::string comEntry(int number) {
    return "COM " + std::to_string(number);
}

bool opensList(const QKeyEvent& key) {
    const bool alt = key.modifiers() & Qt::AltModifier;
    return key.key() == Qt::Key_F4 ||
           (alt && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up));
}

} // namespace

std::vector<std::string> PortEntries(const std::vector<std::string>& systemPorts) {
    std::vector<std::string> entries;
    std::vector<std::string> comPaths;
    for (int number = 1; number <= kComPorts; ++number) {
        entries.push_back(comEntry(number));
        comPaths.push_back(device::SystemPortName(comEntry(number)));
    }
    std::vector<std::string> others;
    for (const std::string& port : systemPorts)
        if (!port.empty() && std::find(comPaths.begin(), comPaths.end(), port) == comPaths.end())
            others.push_back(port);
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    entries.insert(entries.end(), others.begin(), others.end());
    return entries;
}

std::vector<std::string> SystemSerialPorts() {
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(info.systemLocation().toStdString());
    return ports;
}

void SetPortEntries(QComboBox* list, const std::vector<std::string>& entries) {
    QStringList wanted;
    for (const std::string& entry : entries)
        wanted << QString::fromStdString(entry);
    QStringList current;
    for (int index = 0; index < list->count(); ++index)
        current << list->itemText(index);
    if (wanted == current)
        return;
    const QString text = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(wanted);
    const int item = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(item);
    if (item < 0)
        list->setEditText(text);
}

PortListRefresher::PortListRefresher(QComboBox* list) : QObject(list), list_(list) {
    list_->installEventFilter(this);
    if (QLineEdit* edit = list_->lineEdit())
        edit->installEventFilter(this);
}

void PortListRefresher::refresh() {
    SetPortEntries(list_, PortEntries(SystemSerialPorts()));
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
