#include "ui/dialogs/QtFileDialog.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTreeView>
#include <memory>

namespace rq7::ui {

namespace {

// Backup names differ only at their ends (date, time, sequence): Qt's own
// dialog lists them in full, in detail view with every column as wide as
// its contents, scrolling sideways when the dialog is narrower. Qt makes
// that dialog's widgets only when no native dialog is shown, so they are set
// up as the dialog appears.
class WholeNames : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            for (QTreeView* view : watched->findChildren<QTreeView*>()) {
                view->setTextElideMode(Qt::ElideNone);
                view->header()->setStretchLastSection(false);
                view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
            }
        return false;
    }
};

} // namespace

QtFileDialog::QtFileDialog(QWidget* owner, bool nativeDialogs, SettingsStore* store)
    : owner_(owner), native_(nativeDialogs),
      recent_(store,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString()),
      lastName_(QString::fromLatin1(kEepInitialName)) {}

QtFileDialog::~QtFileDialog() = default;

std::optional<std::string> QtFileDialog::chooseFileToOpen() {
    return choose(true, {});
}

std::optional<std::string> QtFileDialog::chooseFileToOpenIn(const std::string& folder) {
    return choose(true, QString::fromStdString(folder));
}

std::optional<std::string> QtFileDialog::chooseFileToSave(const std::string& offeredName) {
    return choose(false, {}, QString::fromStdString(offeredName));
}

std::optional<std::string> QtFileDialog::choose(bool open, const QString& folder,
                                                const QString& offered) {
    auto dialog = std::make_unique<QFileDialog>(owner_.data());
    dialog->setNameFilter(QString::fromLatin1(kEepFilter));
    dialog->setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QFileDialog::Options options = QFileDialog::DontConfirmOverwrite;
    if (!native_)
        options |= QFileDialog::DontUseNativeDialog;
    dialog->setOptions(options);
    dialog->setViewMode(QFileDialog::Detail);
    dialog->installEventFilter(new WholeNames(dialog.get()));
    if (!open)
        dialog->setDefaultSuffix(QStringLiteral("eep"));
    const QFileInfo last(lastName_);
    if (!folder.isEmpty()) {
        dialog->setDirectory(folder);
        dialog->selectFile(QString::fromLatin1(kEepInitialName));
    } else {
        // Within a run the last chosen file's folder; at first the one
        // remembered from earlier runs.
        dialog->setDirectory(last.isAbsolute() ? last.absolutePath()
                                               : QString::fromStdString(recent_.folder()));
        dialog->selectFile(open || offered.isEmpty() ? last.fileName() : offered);
    }

    QString chosen;
    // A wildcard typed and confirmed names no file: the dialog stays.
    do {
        current_ = dialog.get();
        const bool accepted = dialog->exec() == QDialog::Accepted;
        current_ = nullptr;
        if (!accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        chosen = dialog->selectedFiles().constFirst();
    } while (!open && IsWildcardName(chosen.toStdString()));
    // Native dialogs may ignore the default suffix.
    if (!open)
        chosen = QString::fromStdString(WithEepSuffix(chosen.toStdString()));
    if (folder.isEmpty()) {
        lastName_ = chosen;
        recent_.remember(chosen.toStdString());
    }
    return chosen.toStdString();
}

} // namespace rq7::ui
