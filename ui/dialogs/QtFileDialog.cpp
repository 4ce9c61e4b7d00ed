#include "ui/dialogs/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <memory>

namespace rq7::ui {

QtFileDialog::QtFileDialog(QWidget* owner, bool nativeDialogs)
    : owner_(owner), native_(nativeDialogs), lastName_(QString::fromLatin1(kEepInitialName)) {}

QtFileDialog::~QtFileDialog() = default;

std::optional<std::string> QtFileDialog::chooseFileToOpen() {
    return choose(true);
}

std::optional<std::string> QtFileDialog::chooseFileToSave() {
    return choose(false);
}

std::optional<std::string> QtFileDialog::choose(bool open) {
    auto dialog = std::make_unique<QFileDialog>(owner_.data());
    dialog->setNameFilter(QString::fromLatin1(kEepFilter));
    dialog->setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QFileDialog::Options options = QFileDialog::DontConfirmOverwrite;
    if (!native_)
        options |= QFileDialog::DontUseNativeDialog;
    dialog->setOptions(options);
    const QFileInfo last(lastName_);
    if (last.isAbsolute())
        dialog->setDirectory(last.absolutePath());
    dialog->selectFile(last.fileName());

    current_ = dialog.get();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    current_ = nullptr;
    if (!accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    lastName_ = dialog->selectedFiles().constFirst();
    return lastName_.toStdString();
}

} // namespace rq7::ui
