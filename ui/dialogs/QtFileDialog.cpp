#include "ui/dialogs/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

namespace rq7::ui {

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
