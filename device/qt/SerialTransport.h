#pragma once
// The serial port to the device: 19200 baud, 8 data bits, no parity, one stop
// bit, no handshake. Works on real ports and on pseudo-terminals (which may
// refuse line settings; those refusals are ignored).

#include "device/qt/EventTransport.h"
#include "ui/language/catalogue/Texts.h"

#include <QSerialPort>

namespace rq7::device {

class SerialTransport : public EventTransport {
    Q_OBJECT
public:
    explicit SerialTransport(QObject* parent = nullptr);
    ~SerialTransport() override;

    // The language of the reason a port did not open (default: the built-in
    // texts).
    void setTexts(const Texts& texts) { texts_ = texts; }

    // "COM 1" … "COM 4" name the first four serial ports; any other name is
    // a device path. The reason for a failure says why in the user's terms
    // (see PortDiagnosis.h).
    bool open(const std::string& portName, std::string& reason) override;
    void close() override;
    bool isOpen() const override;
    bool write(const Bytes& bytes) override;
    Bytes readAvailable() override;
    void discardInput() override;
    bool hasInput() const override;
    bool hasInputByte(std::uint8_t byte) override;
    std::uint64_t receivedCount() const override { return receivedCount_; }
    bool lost() const override { return lost_; }

private:
    // Moves what the port has buffered into received_.
    void fetch();
    // The port failed while open: closes it and tells the waits.
    void lose();

    QSerialPort port_;
    // Input taken from the port as it comes. The port's own buffer is kept
    // empty: it would otherwise set aside a fresh block of memory for every
    // byte that arrives while earlier ones are still unread.
    Bytes received_;
    std::uint64_t receivedCount_ = 0;
    bool lost_ = false;
    Texts texts_;
};

} // namespace rq7::device
