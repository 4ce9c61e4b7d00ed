#pragma once
// The file dialog of the settings file commands: one QFileDialog for both
// directions, one filter entry "EEPROM (*.eep)", only existing files when
// opening, no overwrite question of its own when saving (the save asks), the
// last chosen name offered again when opening and the caller's when saving,
// a name with a wildcard refused, ".eep" added to a saved name without a
// suffix, and the folder last used remembered across runs.

#include "operations/FileDialog.h"
#include "operations/FileNames.h"

#include <QFileDialog>
#include <QPointer>
#include <QString>

class QWidget;

namespace rq7::ui {

class QtFileDialog : public FileDialog {
public:
    // `nativeDialogs` false uses Qt's own dialog (tests, desktops whose
    // native dialog cannot be driven).
    // `store`: where the last folder is remembered (null: nowhere).
    explicit QtFileDialog(QWidget* owner, bool nativeDialogs = true,
                          SettingsStore* store = nullptr);
    ~QtFileDialog() override;
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::string> chooseFileToOpen() override;
    std::optional<std::string> chooseFileToOpenIn(const std::string& folder) override;
    std::optional<std::string> chooseFileToSave(const std::string& offeredName) override;

    // The dialog while it is shown (for the tests), else nullptr.
    QFileDialog* current() const { return current_; }
    const QString& lastName() const { return lastName_; }

private:
    std::optional<std::string> choose(bool open, const QString& folder,
                                      const QString& offered = {});

    QPointer<QWidget> owner_;
    bool native_;
    RecentFolder recent_;
    QString lastName_;
    QPointer<QFileDialog> current_;
};

} // namespace rq7::ui
