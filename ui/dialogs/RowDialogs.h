#pragma once
// The main window's three row dialogs, each created on first use and kept
// (hidden) between uses, and the one way into them: EditTC, EditINP and
// EditOUT with the row index.

#include "ui/dialogs/RowDialogPorts.h"

#include <QObject>
#include <QPointer>

namespace rq7::ui {

class TelCislo;
class Vstup;
class Vystup;

class RowDialogs : public QObject {
    Q_OBJECT
public:
    // `ports.owner` owns the dialogs and holds the rows they edit.
    RowDialogs(const RowDialogPorts& ports, QObject* parent = nullptr);
    ~RowDialogs() override;

    void EditTC(int row);
    void EditINP(int row);
    void EditOUT(int row);

    // Re-labels the dialogs created so far; the others label themselves
    // when they are created.
    void ChangeLanguage();

    // The dialogs created so far (nullptr before first use).
    TelCislo* telCislo() const;
    Vstup* vstup() const;
    Vystup* vystup() const;

private:
    RowDialogPorts ports_;
    QPointer<TelCislo> telCislo_;
    QPointer<Vstup> vstup_;
    QPointer<Vystup> vystup_;
};

} // namespace rq7::ui
