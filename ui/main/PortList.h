#pragma once
// The port field tabPort: the entries of device::PortEntries, each showing
// the device it means (and what the system knows of it) beside its name in
// the opened list and as its tooltip, while the field's text stays the name
// the program opens. The field also takes a typed path, such as the
// pseudo-terminal of rq7-sim.

#include "device/PortList.h"
#include "ui/language/catalogue/Texts.h"

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

namespace rq7::ui {

// Where the system's ports come from; the window tests pass their own.
using PortSource = std::function<std::vector<device::SystemPort>()>;

// Replaces the list's entries, keeping the field's text. With `texts`, a COM
// name whose device is not on this computer says so, and, when no USB
// adapter is connected either, that too (msg073).
void SetPortEntries(QComboBox* list, const std::vector<device::PortEntry>& entries,
                    const Texts* texts = nullptr);

// Scans the system's ports again whenever the user opens the list (a
// USB adapter may have been plugged in since the start).
class PortListRefresher : public QObject {
    Q_OBJECT
public:
    PortListRefresher(QComboBox* list, PortSource source, const Texts* texts = nullptr);
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* list_;
    PortSource source_;
    const Texts* texts_;
};

} // namespace rq7::ui
