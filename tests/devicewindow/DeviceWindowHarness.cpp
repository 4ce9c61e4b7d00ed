#include "tests/devicewindow/DeviceWindowHarness.h"

#include "settings/ImageReader.h"
#include "settings/ImageWriter.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsSize.h"
#include "ui/dialogs/Controls.h"
#include "ui/dialogs/Info.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace rq7::test {

SettingsRecord Canonical(const SettingsRecord& record) {
    auto image = std::make_unique<EepromImage>();
    EXPECT_TRUE(WriteImage(record, *image).ok);
    SettingsRecord read;
    EXPECT_TRUE(ReadImage(*image, read, {}).ok);
    return read;
}

sim::Bytes ImageBytes(const SettingsRecord& record) {
    auto image = std::make_unique<EepromImage>();
    EXPECT_TRUE(WriteImage(record, *image).ok);
    const auto length = static_cast<std::size_t>(SettingsSize(record) - 1);
    return sim::Bytes(image->data(), image->data() + length);
}

std::string DifferingFields(const SettingsRecord& a, const SettingsRecord& b) {
    std::string names;
    for (const SettingsField& field : settingsFields())
        if (field.get(a) != field.get(b))
            names += field.name() + "='" + field.get(a) + "'/'" + field.get(b) + "' ";
    return names;
}

DeviceWindowHarness::DeviceWindowHarness(const sim::DeviceConfig& config, bool backups)
    : image_(std::make_unique<EepromImage>()),
      device_(std::make_unique<sim::SimulatedDevice>(config)),
      link_(std::make_unique<sim::SimulatedLink>(*device_)) {
    DevicePorts ports;
    ports.transport = link_.get();
    ports.waiter = link_.get();
    // The window's probe asks its CancelFlag; the harness may press Storno
    // first, as a user would while the link waits.
    ports.setCancelProbe = [this](std::function<bool()> probe) {
        link_->setCancelProbe([this, probe = std::move(probe)] {
            onCancelProbe();
            return probe();
        });
    };
    build(ports, backups);
}

DeviceWindowHarness::DeviceWindowHarness(const DevicePorts& ports, MemoryStore saved)
    : image_(std::make_unique<EepromImage>()) {
    store = std::move(saved);
    build(ports);
}

std::filesystem::path DeviceWindowHarness::backupFolder() const {
    return std::filesystem::path(temp_.path().toStdString()) / "backups";
}

void DeviceWindowHarness::build(DevicePorts ports, bool backups) {
    const std::filesystem::path scratch = temp_.path().toStdString();
    MainWindowPorts windowPorts{prompter, files, texts_, *image_, scratch / "program"};
    windowPorts.systemConfigDir = scratch / "etc";
    if (backups)
        windowPorts.backupFolder = backupFolder();
    windowPorts.device = std::move(ports);
    windowPorts.settingsStore = &store;
    window_ = std::make_unique<ui::Hlavni>(windowPorts);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get())) << "the window must take the focus";
    settle();
}

DeviceWindowHarness::~DeviceWindowHarness() {
    window_.reset();
    settle();
}

void DeviceWindowHarness::onCancelProbe() {
    if (stornoAt_ && link_->waits() >= *stornoAt_) {
        stornoAt_.reset();
        QWidget* info = statusWindow();
        auto* napis = info->findChild<QLabel*>(QStringLiteral("Napis"));
        auto* storno = info->findChild<QPushButton*>(QStringLiteral("Storno"));
        EXPECT_TRUE(info->isVisible() && storno->isVisible())
            << "Storno must be there to be pressed";
        stornoShownWith = napis->text().toStdString();
        QTest::mouseClick(storno, Qt::LeftButton);
    }
    if (onWait)
        onWait();
}

void DeviceWindowHarness::pressStornoAtWait(unsigned waits) {
    stornoAt_ = link_->waits() + waits;
}

QWidget* DeviceWindowHarness::statusWindow() const {
    QWidget* info = window_->statusWindow();
    EXPECT_NE(info, nullptr);
    return info;
}

QWidget* DeviceWindowHarness::control(const std::string& name) const {
    auto* found = window_->findChild<QWidget*>(QString::fromStdString(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

QLabel* DeviceWindowHarness::label(const std::string& name) const {
    auto* found = qobject_cast<QLabel*>(control(name));
    EXPECT_NE(found, nullptr) << name << " is no label";
    return found;
}

QPushButton* DeviceWindowHarness::button(const std::string& name) const {
    auto* found = qobject_cast<QPushButton*>(control(name));
    EXPECT_NE(found, nullptr) << name << " is no button";
    return found;
}

std::string DeviceWindowHarness::text(const std::string& name) const {
    QWidget* widget = control(name);
    if (auto* b = qobject_cast<QPushButton*>(widget))
        return b->text().toStdString();
    if (auto* l = qobject_cast<QLabel*>(widget))
        return l->text().toStdString();
    return ui::controlText(widget);
}

QColor DeviceWindowHarness::colour(const std::string& labelName) const {
    return label(labelName)->palette().color(QPalette::WindowText);
}

bool DeviceWindowHarness::enabled(const std::string& name) const {
    return control(name)->isEnabled();
}

std::string DeviceWindowHarness::focused() const {
    QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName().toStdString() : std::string();
}

void DeviceWindowHarness::click(const std::string& name) {
    auto* target = qobject_cast<QAbstractButton*>(control(name));
    ASSERT_NE(target, nullptr) << name << " is no button or check box";
    ASSERT_TRUE(target->isEnabled()) << name << " is disabled";
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    settle();
}

void DeviceWindowHarness::typePort(const std::string& text) {
    auto* list = qobject_cast<QComboBox*>(control("tabPort"));
    ASSERT_NE(list, nullptr);
    QLineEdit* field = list->lineEdit();
    ASSERT_NE(field, nullptr) << "tabPort takes no typed text";
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QString::fromStdString(text));
    settle();
}

} // namespace rq7::test
