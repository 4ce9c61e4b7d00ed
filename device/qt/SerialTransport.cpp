#include "device/qt/SerialTransport.h"

#include "device/PortDiagnosis.h"
#include "device/PortName.h"

#include <QMetaObject>
#include <algorithm>

namespace rq7::device {

SerialTransport::SerialTransport(QObject* parent) : EventTransport(parent) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        fetch();
        emit inputArrived();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A failing read is reported again at every event-loop turn while
        // the port stays open; any error on an open port ends it.
        const bool fatal = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                           error == QSerialPort::WriteError;
        if (fatal && port_.isOpen() && !lost_)
            lose();
    });
}

SerialTransport::~SerialTransport() {
    close();
}

bool SerialTransport::open(const std::string& portName, std::string& reason) {
    close();
    lost_ = false;
    receivedCount_ = 0;
    const std::string path = SystemPortName(portName);
    // The port's own lock handling would block for good on a FIFO in place
    // of the lock file, or follow a link wherever it leads.
    if (const auto badLock = LockEntryProblem(path)) {
        reason = DescribeOpenFailure(*badLock, texts_);
        return false;
    }
    port_.setPortName(QString::fromStdString(path));
    if (!port_.open(QIODevice::ReadWrite)) {
        reason = DescribeOpenFailure(DiagnoseOpenFailure(path, port_.errorString().toStdString()),
                                     texts_);
        return false;
    }
    // A pseudo-terminal may refuse a line setting it has no use for; only
    // other refusals make the port unusable.
    const bool configured = [this] {
        auto accepted = [this](bool ok) {
            if (ok || port_.error() == QSerialPort::UnsupportedOperationError) {
                port_.clearError();
                return true;
            }
            return false;
        };
        return accepted(port_.setBaudRate(QSerialPort::Baud19200)) &&
               accepted(port_.setDataBits(QSerialPort::Data8)) &&
               accepted(port_.setParity(QSerialPort::NoParity)) &&
               accepted(port_.setStopBits(QSerialPort::OneStop)) &&
               accepted(port_.setFlowControl(QSerialPort::NoFlowControl));
    }();
    if (!configured) {
        reason = DescribeOpenFailure(DiagnoseOpenFailure(path, port_.errorString().toStdString()),
                                     texts_);
        port_.close();
        return false;
    }
    port_.clear(QSerialPort::AllDirections);
    return true;
}

void SerialTransport::close() {
    received_.clear();
    if (port_.isOpen())
        port_.close();
}

bool SerialTransport::isOpen() const {
    return port_.isOpen();
}

void SerialTransport::lose() {
    lost_ = true;
    received_.clear();
    // Closed once the port's own notification that reported the error has
    // returned; a transport closed meanwhile is left alone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (lost_ && port_.isOpen())
                port_.close();
        },
        Qt::QueuedConnection);
    emit connectionLost();
}

bool SerialTransport::write(const Bytes& bytes) {
    if (!port_.isOpen() || lost_)
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        if (!lost_)
            lose();
        return false;
    }
    // A refused write reports its error (and so the loss) from within flush.
    port_.flush();
    return !lost_;
}

void SerialTransport::fetch() {
    const qint64 waiting = port_.bytesAvailable();
    if (waiting <= 0)
        return;
    const std::size_t had = received_.size();
    received_.resize(had + static_cast<std::size_t>(waiting));
    const qint64 got = port_.read(reinterpret_cast<char*>(received_.data() + had), waiting);
    received_.resize(had + static_cast<std::size_t>(std::max<qint64>(got, 0)));
    receivedCount_ += static_cast<std::uint64_t>(std::max<qint64>(got, 0));
}

Bytes SerialTransport::readAvailable() {
    if (!port_.isOpen() || lost_)
        return {};
    fetch();
    // Bytes the system holds but the port has not fetched yet count too.
    if (received_.empty() && port_.waitForReadyRead(0))
        fetch();
    Bytes out;
    out.swap(received_);
    return out;
}

void SerialTransport::discardInput() {
    if (!port_.isOpen() || lost_) {
        received_.clear();
        return;
    }
    fetch(); // counted as received
    received_.clear();
    port_.clear(QSerialPort::Input);
    receivedCount_ += static_cast<std::uint64_t>(port_.readAll().size());
}

bool SerialTransport::hasInput() const {
    return port_.isOpen() && !lost_ && (!received_.empty() || port_.bytesAvailable() > 0);
}

bool SerialTransport::hasInputByte(std::uint8_t byte) {
    if (!port_.isOpen() || lost_)
        return false;
    fetch();
    return std::find(received_.begin(), received_.end(), byte) != received_.end();
}

} // namespace rq7::device
