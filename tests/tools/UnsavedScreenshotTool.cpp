// Draws the screen with the main window titled by a saved file and marked
// as changed, and with the question about the unsaved changes over it (run
// under xvfb-run with a window manager, so that the title bar is drawn).
// usage: unsaved_screenshot OUTPUT_DIR

#include "operations/UnsavedChanges.h"
#include "settings/EepromImage.h"
#include "tests/support/FakeFileDialog.h"
#include "tests/support/Screenshots.h"
#include "ui/dialogs/MessageBoxPrompter.h"
#include "ui/language/catalogue/Texts.h"
#include "ui/main/Hlavni.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

// Shows each question for the picture, then answers Cancel.
class PicturePrompter : public rq7::Prompter {
public:
    PicturePrompter(const QDir& dir, bool& ok) : dir_(dir), ok_(ok) {}
    QWidget* owner = nullptr;
    rq7::Answer ask(const rq7::Message& message) override {
        std::unique_ptr<QMessageBox> box(rq7::ui::buildMessageBox(message, owner));
        box->show();
        settle();
        ok_ = rq7::test::saveScreen(box.get(), dir_, QStringLiteral("unsaved-question.png")) && ok_;
        return rq7::Answer::Cancel;
    }

private:
    QDir dir_;
    bool& ok_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto shots =
        rq7::test::screenshotDir(argc, argv, "usage: unsaved_screenshot OUTPUT_DIR\n");
    if (!shots)
        return 2;
    bool ok = true;
    QTemporaryDir files;
    const rq7::Texts texts;
    auto image = std::make_unique<rq7::EepromImage>();
    PicturePrompter prompter(*shots, ok);
    rq7::test::FakeFileDialog dialog;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    rq7::MainWindowPorts ports{prompter, dialog, texts, *image};
#pragma GCC diagnostic pop
    ports.programDir = QApplication::applicationDirPath().toStdString();
    ports.backupFolder = QDir(files.path()).filePath(QStringLiteral("backups")).toStdString();
    rq7::ui::Hlavni window(ports);
    prompter.owner = &window;
    window.show();
    settle();

    dialog.saveAnswer = QDir(files.path()).filePath(QStringLiteral("sklad-brno.eep")).toStdString();
    window.findChild<QPushButton*>(QStringLiteral("btFileSave"))->click();
    window.findChild<QLineEdit*>(QStringLiteral("tabJmenoStanice"))->setText("Sklad Brno");
    settle();
    ok = rq7::test::saveScreen(&window, *shots, QStringLiteral("title-modified.png")) && ok;
    window.findChild<QPushButton*>(QStringLiteral("btKonec"))->click(); // asks; Cancel
    window.hide();
    return ok ? 0 : 1;
}
