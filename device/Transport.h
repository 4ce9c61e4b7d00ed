#pragma once
// The byte pipe to the device. The real one is a serial port; tests and the
// in-process simulator supply their own.

#include <cstdint>
#include <string>
#include <vector>

namespace rq7::device {

using Bytes = std::vector<std::uint8_t>;

class Transport {
public:
    virtual ~Transport() = default;
    // Opens the named port (19200 baud, 8N1, no handshake). On failure returns
    // false and puts the system's reason into `reason`.
    virtual bool open(const std::string& portName, std::string& reason) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Sends the bytes in order; false when the port refused them.
    virtual bool write(const Bytes& bytes) = 0;
    // Takes whatever is waiting in the receive buffer (possibly nothing);
    // never blocks.
    virtual Bytes readAvailable() = 0;
    // Throws away whatever is waiting in the receive buffer.
    virtual void discardInput() = 0;
    // Bytes that arrived since the port was opened, those read and those
    // thrown away alike.
    virtual std::uint64_t receivedCount() const = 0;
    // The open port went away (an unplugged adapter, a hung-up terminal, a
    // write the system refused): nothing passes any more and the port is
    // closed. Stays set until the next open(). Every wait on a lost port
    // ends at once.
    virtual bool lost() const { return false; }
};

} // namespace rq7::device
