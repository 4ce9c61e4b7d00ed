#include "tests/mainwindow/WindowHarness.h"

#include "settings/SettingsSize.h"
#include "ui/dialogs/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace rq7::test {

DialogCanceller::DialogCanceller() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [this] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
            ++cancelled_;
        }
    });
    timer->start(0);
    timer_ = timer;
}

DialogCanceller::~DialogCanceller() {
    delete timer_;
}

WindowHarness::WindowHarness(HarnessOptions options) : image_(std::make_unique<EepromImage>()) {
    scratch_ = temp_.path().toStdString();
    std::filesystem::create_directories(scratch_ / "program");
    std::filesystem::create_directories(scratch_ / "etc");
    // The references, then only what the tests set: the window's other ports
    // keep their defaults, whatever members they gain.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    MainWindowPorts ports{options.prompter ? *options.prompter : prompter, files, texts_, *image_};
#pragma GCC diagnostic pop
    ports.programDir = options.programDir.empty() ? scratch_ / "program" : options.programDir;
    ports.systemConfigDir =
        options.systemConfigDir.empty() ? scratch_ / "etc" : options.systemConfigDir;
    window_ = std::make_unique<ui::Hlavni>(ports);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get())) << "the window must take the focus";
    settle();
}

WindowHarness::~WindowHarness() {
    window_.reset();
    settle();
}

QWidget* WindowHarness::control(const std::string& name) const {
    auto* found = window_->findChild<QWidget*>(QString::fromStdString(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

QLineEdit* WindowHarness::edit(const std::string& name) const {
    auto* found = qobject_cast<QLineEdit*>(control(name));
    EXPECT_NE(found, nullptr) << name << " is no text box";
    return found;
}

QCheckBox* WindowHarness::check(const std::string& name) const {
    auto* found = qobject_cast<QCheckBox*>(control(name));
    EXPECT_NE(found, nullptr) << name << " is no check box";
    return found;
}

QLabel* WindowHarness::label(const std::string& name) const {
    auto* found = qobject_cast<QLabel*>(control(name));
    EXPECT_NE(found, nullptr) << name << " is no label";
    return found;
}

std::string WindowHarness::text(const std::string& name) const {
    return ui::controlText(control(name));
}

void WindowHarness::focus(const std::string& name) {
    control(name)->setFocus(Qt::TabFocusReason);
    settle();
}

void WindowHarness::type(const std::string& name, const std::string& text) {
    focus(name);
    QWidget* field = QApplication::focusWidget();
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // select all, whatever the focus did
    QTest::keyClick(field, Qt::Key_Delete);
    // One key event per character; keyClicks knows only Latin-1 keys.
    for (const QChar character : QString::fromStdString(text)) {
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
    settle();
}

void WindowHarness::typeAndLeave(const std::string& name, const std::string& text,
                                 const std::string& next) {
    type(name, text);
    focus(next);
}

void WindowHarness::click(const std::string& name) {
    QWidget* target = control(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    settle();
}

std::string WindowHarness::focused() const {
    QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName().toStdString() : std::string();
}

int WindowHarness::usage() const {
    return static_cast<int>(LabelNumber(window_->usageCaption()));
}

} // namespace rq7::test
