// The main window's menu commands, the recent files and dropped files
// (the members of Hlavni that the menu bar adds).

#include "operations/RecentFiles.h"
#include "operations/SettingsCompare.h"
#include "operations/Workflows.h"
#include "ui/main/DeviceCommands.h"
#include "ui/main/DifferencesDialog.h"
#include "ui/main/EditTracker.h"
#include "ui/main/Hlavni.h"
#include "ui/main/MainMenu.h"

#include <QAction>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <filesystem>

namespace rq7::ui {

namespace {

// The one settings file a drop brings, or "" when it brings anything else
// (several files, a folder, a text, a file of another kind).
std::string droppedSettingsFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return path.endsWith(QStringLiteral(".eep"), Qt::CaseInsensitive) ? path.toStdString()
                                                                      : std::string();
}

} // namespace

void Hlavni::wireMenu() {
    MainMenu& menu = *menu_;
    const auto on = [this, &menu](const char* key, auto handler) {
        connect(menu.action(key), &QAction::triggered, this, handler);
    };
    // The buttons' own commands, so that each keeps one way of working.
    const auto click = [this](const char* button) {
        return [this, button] { child<QPushButton>(button)->click(); };
    };
    on("mnuOpen", click("btFileLoad"));
    on("mnuOpenBackup", click("btBackupOpen"));
    on("mnuSave", click("btFileSave"));
    on("mnuQuit", click("btKonec"));
    on("mnuAbout", click("btInformace"));
    on("mnuCompareFile", [this] { compareWithFile(false); });
    on("mnuCompareBackup", [this] { compareWithFile(true); });
    on("mnuCompareDevice", [this] { compareWithDevice(); });
    on("mnuUndo", [this] {
        if (settleEdits())
            edits_->undo();
    });
    on("mnuRedo", [this] {
        if (settleEdits())
            edits_->redo();
    });
    on("mnuChanges", [this] { showChanges(); });
    on("mnuRevertAll", [this] {
        if (!settleEdits())
            return;
        std::vector<std::string> fields;
        for (const FieldDifference& change : edits_->changes())
            fields.push_back(change.field);
        edits_->takeFields(edits_->history().baseline(), fields);
    });
    on("mnuManual", [this] { openManual(); });
    menu.action("mnuOpenBackup")->setEnabled(!ports_.backupFolder.empty());
    menu.action("mnuCompareBackup")->setEnabled(!ports_.backupFolder.empty());
    menu.action("mnuManual")->setEnabled(!ports_.manual.empty());
    const auto historyChanged = [this, &menu] {
        menu.action("mnuUndo")->setEnabled(edits_->history().canUndo());
        menu.action("mnuRedo")->setEnabled(edits_->history().canRedo());
    };
    connect(edits_, &EditTracker::historyChanged, this, historyChanged);
    historyChanged();
    refreshRecentFiles();
}

void Hlavni::refreshRecentFiles() {
    std::vector<std::string> paths;
    if (ports_.settingsStore)
        paths = ReadRecentFiles(*ports_.settingsStore);
    menu_->setRecentFiles(paths, [this](const std::string& path) {
        // The menu is rebuilt by what the entry starts: run it afterwards.
        QTimer::singleShot(0, this, [this, path] { openRecent(path); });
    });
}

void Hlavni::rememberFile(const std::string& path) {
    if (!ports_.settingsStore)
        return;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    RememberRecentFile(*ports_.settingsStore, error ? path : absolute.lexically_normal().string());
    refreshRecentFiles();
}

void Hlavni::openRecent(const std::string& path) {
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        Message message;
        message.key = "msg132";
        message.text = ports_.texts.get("msg132") + path;
        message.icon = Icon::Exclamation;
        ports_.prompter.ask(message);
        if (ports_.settingsStore)
            ForgetRecentFile(*ports_.settingsStore, path);
        refreshRecentFiles();
        return;
    }
    openFile(path);
}

bool Hlavni::eventFilter(QObject* watched, QEvent* event) {
    // Files dropped on a text field open too, rather than becoming its text.
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    auto* drop = static_cast<QDropEvent*>(event);
    if (target == this || !target || !isAncestorOf(target) || !drop->mimeData()->hasUrls())
        return QWidget::eventFilter(watched, event);
    if (type == QEvent::Drop)
        dropEvent(drop);
    else
        drop->acceptProposedAction();
    return true;
}

void Hlavni::dragEnterEvent(QDragEnterEvent* event) {
    // Any files are taken, so that a wrong one gets its message on the drop.
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Hlavni::dropEvent(QDropEvent* event) {
    const std::string path = droppedSettingsFile(event->mimeData());
    event->acceptProposedAction();
    // The drag's source waits for the drop to end: ask afterwards.
    QTimer::singleShot(0, this, [this, path] {
        if (!path.empty()) {
            openFile(path);
            return;
        }
        Message message;
        message.key = "msg133";
        message.text = ports_.texts.get("msg133");
        message.icon = Icon::Exclamation;
        ports_.prompter.ask(message);
    });
}

bool Hlavni::settleEdits() {
    if (!settlePendingChecks())
        return false;
    edits_->commitNow(true); // the field with the focus has passed its check
    return true;
}

void Hlavni::compareWithFile(bool backup) {
    if (!settleEdits())
        return;
    const std::optional<std::string> path =
        backup ? ports_.fileDialog.chooseFileToOpenIn(ports_.backupFolder.string())
               : ports_.fileDialog.chooseFileToOpen();
    if (!path)
        return;
    WorkflowContext context = workflowContext();
    SettingsRecord other;
    if (ReadFileToCompare(context, *path, other) == Outcome::Done)
        showDifferences(other, std::filesystem::path(*path).filename().string());
}

void Hlavni::compareWithDevice() {
    if (!settleEdits())
        return;
    SettingsRecord other;
    if (device_->ReadForCompare(other) == Outcome::Done)
        showDifferences(other, ports_.texts.get("colDevice"));
}

void Hlavni::showDifferences(const SettingsRecord& other, const std::string& otherName) {
    const Texts& texts = ports_.texts;
    DifferencesView view{texts.get("dlgCompare") + otherName,
                         texts.get("colWindow"),
                         otherName,
                         texts.get("btTake"),
                         texts.get("btTakeAll"),
                         [this, other] { return DiffSettings(record(), other); },
                         [this, other](const std::vector<std::string>& fields) {
                             edits_->takeFields(other, fields);
                         }};
    DifferencesDialog dialog(std::move(view), texts, this);
    dialog.exec();
}

void Hlavni::showChanges() {
    if (!settleEdits())
        return;
    const Texts& texts = ports_.texts;
    DifferencesView view{texts.get("dlgChanges"),
                         texts.get("colLoaded"),
                         texts.get("colWindow"),
                         texts.get("btRevert"),
                         texts.get("btRevertAll"),
                         [this] { return edits_->changes(); },
                         [this](const std::vector<std::string>& fields) {
                             edits_->takeFields(edits_->history().baseline(), fields);
                         }};
    DifferencesDialog dialog(std::move(view), texts, this);
    dialog.exec();
}

void Hlavni::openManual() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ports_.manual.string())));
}

} // namespace rq7::ui
