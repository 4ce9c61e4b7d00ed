#pragma once
// A transport that tells when input arrives, so that a wait can sleep in the
// event loop instead of polling.

#include "device/Transport.h"

#include <QObject>
#include <cstdint>

namespace rq7::device {

class EventTransport : public QObject, public Transport {
    Q_OBJECT
public:
    using QObject::QObject;
    // Bytes are waiting to be read.
    virtual bool hasInput() const = 0;
    // A byte of this value is among those waiting.
    virtual bool hasInputByte(std::uint8_t byte) = 0;

signals:
    void inputArrived();
    // The port went away (Transport::lost() is now true).
    void connectionLost();
};

} // namespace rq7::device
