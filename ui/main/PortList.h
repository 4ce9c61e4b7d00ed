#pragma once
// The entries of the port field tabPort: "COM 1" … "COM 4" (the first four
// serial ports of the system), then every other serial port the system
// reports, by its device path. The field also takes a typed path, such as
// the pseudo-terminal of rq7-sim.

#include <QObject>
#include <string>
#include <vector>

class QComboBox;

namespace rq7::ui {

// "COM 1" … "COM 4", then the system's ports (device paths) that are not
// one of those four, sorted, each once.
std::vector<std::string> PortEntries(const std::vector<std::string>& systemPorts);

// The device paths of the serial ports the system reports now.
std::vector<std::string> SystemSerialPorts();

// Replaces the list's entries, keeping the field's text.
void SetPortEntries(QComboBox* list, const std::vector<std::string>& entries);

// Scans the system's ports again whenever the user opens the list (a
// USB adapter may have been plugged in since the start).
class PortListRefresher : public QObject {
    Q_OBJECT
public:
    explicit PortListRefresher(QComboBox* list);
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* list_;
};

} // namespace rq7::ui
