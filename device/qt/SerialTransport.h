#pragma once
// The serial port to the device: 19200 baud, 8 data bits, no parity, one stop
// bit, no handshake. Works on real ports and on pseudo-terminals (which may
// refuse line settings; those refusals are ignored).

#include "device/qt/EventTransport.h"

#include <QSerialPort>

namespace rq7::device {

class SerialTransport : public EventTransport {
    Q_OBJECT
public:
    explicit SerialTransport(QObject* parent = nullptr);
    ~SerialTransport() override;

    // "COM 1" … "COM 4" name the first four serial ports; any other name is
    // a device path.
    bool open(const std::string& portName, std::string& reason) override;
    void close() override;
    bool isOpen() const override;
    bool write(const Bytes& bytes) override;
    Bytes readAvailable() override;
    void discardInput() override;
    bool hasInput() const override;

private:
    QSerialPort port_;
};

} // namespace rq7::device
