#include "ui/dialogs/RowDialogs.h"

#include "ui/dialogs/TelCislo.h"
#include "ui/dialogs/Vstup.h"
#include "ui/dialogs/Vystup.h"

namespace rq7::ui {

namespace {

template <typename Dialog> Dialog& loaded(QPointer<Dialog>& dialog, const RowDialogPorts& ports) {
    if (!dialog)
        dialog = new Dialog(ports); // a child of the owner, which deletes it
    return *dialog;
}

} // namespace

RowDialogs::RowDialogs(const RowDialogPorts& ports, QObject* parent)
    : QObject(parent), ports_(ports) {}

RowDialogs::~RowDialogs() = default;

TelCislo* RowDialogs::telCislo() const {
    return telCislo_;
}

Vstup* RowDialogs::vstup() const {
    return vstup_;
}

Vystup* RowDialogs::vystup() const {
    return vystup_;
}

void RowDialogs::EditTC(int row) {
    loaded(telCislo_, ports_).EditTC(row);
}

void RowDialogs::EditINP(int row) {
    loaded(vstup_, ports_).EditINP(row);
}

void RowDialogs::EditOUT(int row) {
    loaded(vystup_, ports_).EditOUT(row);
}

void RowDialogs::ChangeLanguage() {
    if (telCislo_)
        telCislo_->ChangeLanguage();
    if (vstup_)
        vstup_->ChangeLanguage();
    if (vystup_)
        vystup_->ChangeLanguage();
}

} // namespace rq7::ui
