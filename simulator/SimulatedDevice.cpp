#include "simulator/SimulatedDevice.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rq7::sim {

std::size_t eepromSizeForMemoryCode(unsigned code) {
    return code <= 9 ? std::size_t{128} << code : 0;
}

static std::size_t effectiveEepromSize(const DeviceConfig& config) {
    if (config.eepromSize != 0)
        return config.eepromSize;
    const std::size_t fromCode = eepromSizeForMemoryCode(config.profile.memoryCode);
    return fromCode != 0 ? fromCode : kMinEepromSize;
}

SimulatedDevice::SimulatedDevice(DeviceConfig config) : config_(config), random_(config.seed) {
    const std::size_t size = effectiveEepromSize(config_);
    if (size < kMinEepromSize || size > kMaxEepromSize || size % kBlockSize != 0)
        throw std::invalid_argument("EEPROM size " + std::to_string(size) +
                                    " is not a multiple of " + std::to_string(kBlockSize) +
                                    " from " + std::to_string(kMinEepromSize) + " to " +
                                    std::to_string(kMaxEepromSize));
    config_.eepromSize = size;
    eeprom_.assign(size, config_.blankByte);
}

void SimulatedDevice::loadEeprom(const Bytes& image) {
    if (image.size() > eeprom_.size())
        throw std::invalid_argument("image of " + std::to_string(image.size()) +
                                    " bytes does not fit an EEPROM of " +
                                    std::to_string(eeprom_.size()));
    std::copy(image.begin(), image.end(), eeprom_.begin());
    std::fill(eeprom_.begin() + static_cast<std::ptrdiff_t>(image.size()), eeprom_.end(),
              config_.blankByte);
}

std::optional<SimulatedDevice::Outgoing> SimulatedDevice::receive(std::uint8_t byte, Micros at) {
    switch (parser_.push(byte)) {
    case RequestParser::Result::Incomplete:
        return std::nullopt;
    case RequestParser::Result::BadChecksum:
        ++counters_.badChecksum;
        return std::nullopt;
    case RequestParser::Result::Overlong:
        ++counters_.overlong;
        return std::nullopt;
    case RequestParser::Result::Frame:
        break;
    }
    if (parser_.frame().empty()) { // a checksum alone, with nothing to check
        ++counters_.malformed;
        return std::nullopt;
    }
    return handle(parser_.frame(), at);
}

std::optional<std::uint16_t> SimulatedDevice::blockAddress(const Bytes& request) {
    const auto low = parseHexPair(request[1], request[2]);
    const auto high = parseHexPair(request[3], request[4]);
    if (!low || !high) {
        ++counters_.malformed;
        return std::nullopt;
    }
    const auto address = static_cast<std::uint16_t>(*high * 256 + *low);
    if (address + kBlockSize > eeprom_.size()) {
        ++counters_.outOfRange;
        return std::nullopt;
    }
    return address;
}

// The reply body for a request, or nothing when the device stays silent.
// Faults are drawn only for requests that get an answer, before anything is
// carried out, because a bad write changes what is stored.
std::optional<Bytes> SimulatedDevice::answer(const Bytes& request, Micros at, FaultSet& faults,
                                             JournalEntry& entry) {
    const std::uint8_t code = request[0];
    const std::size_t length = request.size();
    if (code >= command::Identify && code <= command::EndProgramming && !programming_) {
        ++counters_.notProgramming;
        return std::nullopt;
    }
    switch (code) {
    case command::Programming: {
        if (length != 1)
            break;
        if (!programming_) {
            if (!keyPressAt_)
                keyPressAt_ = at + config_.pressAfter;
            if (at < *keyPressAt_) {
                ++counters_.waitingForKey;
                return std::nullopt;
            }
            programming_ = true;
            keyPressAt_.reset();
        }
        faults = drawFaults();
        return Bytes{0x81};
    }
    case command::Identify: {
        if (length != 1)
            break;
        faults = drawFaults();
        const DeviceProfile& p = config_.profile;
        Bytes body{0x82};
        appendHexPair(body, static_cast<std::uint8_t>(p.identification & 0xFFu));
        appendHexPair(body, static_cast<std::uint8_t>((p.identification >> 8) & 0xFFu));
        appendHexPair(body, static_cast<std::uint8_t>((p.identification >> 16) & 0xFFu));
        appendHexPair(body, p.versionMinor);
        appendHexPair(body, p.versionMajor);
        return body;
    }
    case command::Hardware: {
        if (length != 1)
            break;
        faults = drawFaults();
        Bytes body{0x83};
        appendHexPair(body, config_.profile.memoryCode);
        appendHexPair(body, config_.profile.modemCode);
        return body;
    }
    case command::ReadBlock: {
        if (length != 5)
            break;
        const auto address = blockAddress(request);
        if (!address)
            return std::nullopt;
        entry.address = *address;
        faults = drawFaults();
        std::array<std::uint8_t, kBlockSize> block{};
        std::copy_n(eeprom_.begin() + *address, kBlockSize, block.begin());
        if (faults & fault::Misread) {
            block[below(kBlockSize)] ^= static_cast<std::uint8_t>(1 + below(255));
            ++counters_.misread;
        }
        Bytes body{0x84};
        for (std::uint8_t b : block)
            appendHexPair(body, b);
        return body;
    }
    case command::WriteBlock: {
        if (length != 5 + 2 * kBlockSize)
            break;
        std::array<std::uint8_t, kBlockSize> block{};
        for (std::size_t k = 0; k < kBlockSize; ++k) {
            const auto value = parseHexPair(request[5 + 2 * k], request[6 + 2 * k]);
            if (!value) {
                ++counters_.malformed;
                return std::nullopt;
            }
            block[k] = *value;
        }
        const auto address = blockAddress(request);
        if (!address)
            return std::nullopt;
        entry.address = *address;
        entry.data.assign(block.begin(), block.end());
        faults = drawFaults();
        if (faults & fault::BadWrite) {
            block[below(kBlockSize)] ^= static_cast<std::uint8_t>(1 + below(255));
            ++counters_.badWrites;
        }
        std::copy(block.begin(), block.end(), eeprom_.begin() + *address);
        return Bytes{0x85};
    }
    case command::EndProgramming: {
        if (length != 3 || request[1] != 0xAA || request[2] != 0x55)
            break;
        faults = drawFaults();
        if (config_.faults.refuseDeactivation) {
            ++counters_.refusedDeactivations;
            return Bytes{kRefusalCode};
        }
        programming_ = false;
        return Bytes{0x86};
    }
    default:
        break;
    }
    ++counters_.malformed;
    return std::nullopt;
}

std::optional<SimulatedDevice::Outgoing> SimulatedDevice::handle(const Bytes& request, Micros at) {
    JournalEntry entry;
    entry.at = at;
    entry.command = request[0];
    FaultSet faults = fault::None;
    std::optional<Bytes> body = answer(request, at, faults, entry);
    if (!body)
        return std::nullopt;
    if (config_.faults.lateRepeats && !(faults & fault::Drop)) {
        if (request == lastLateRequest_)
            faults |= fault::Late;
        lastLateRequest_ = (faults & fault::Late) ? request : Bytes{};
    }
    ++counters_.handled[request[0]];
    // Faults that do not apply to this reply are not counted as injected.
    faults &= ~((request[0] == command::ReadBlock ? 0 : fault::Misread) |
                (request[0] == command::WriteBlock ? 0 : fault::BadWrite));
    entry.faults = faults;
    if (journalOn_)
        journal_.push_back(entry);

    if (faults & fault::Drop) {
        ++counters_.dropped;
        return std::nullopt;
    }
    Outgoing out;
    if (faults & fault::Short) {
        ++counters_.shortened;
        if (body->size() > 1) {
            body->resize(1 + below(static_cast<unsigned>(body->size() - 1)));
            out.wire = encodeFrame(*body);
        } else {
            out.wire = Bytes{kCarriageReturn}; // nothing left but the terminator
        }
    } else {
        out.wire = encodeFrame(*body);
    }
    if ((faults & fault::Corrupt) && out.wire.size() >= 2) {
        std::uint8_t& checksum = out.wire[out.wire.size() - 2];
        checksum = static_cast<std::uint8_t>(checksum + 1);
        if (checksum == kCarriageReturn)
            checksum = static_cast<std::uint8_t>(checksum + 1);
        ++counters_.corrupted;
    }
    out.sendAt = std::max(at + config_.replyDelay, lastSendAt_);
    if (faults & fault::Late) {
        const Micros lateAt = std::max(at + config_.lateDelay, lastSendAt_);
        counters_.delayImposed += std::max(Micros{0}, lateAt - out.sendAt);
        out.sendAt = lateAt;
        ++counters_.late;
    }
    if (faults & fault::Stall) {
        out.hold = config_.lateDelay;
        counters_.delayImposed += out.hold;
        ++counters_.stalled;
    }
    lastSendAt_ = out.sendAt;
    return out;
}

FaultSet SimulatedDevice::drawFaults() {
    FaultSet faults = fault::None;
    if (!forced_.empty()) {
        faults = forced_.front();
        forced_.pop_front();
    } else {
        faults = drawRandomFaults();
    }
    // A lost reply has nothing left to spoil; a bad write still happened.
    if (faults & fault::Drop)
        faults &= fault::Drop | fault::BadWrite;
    return faults;
}

FaultSet SimulatedDevice::drawRandomFaults() {
    const FaultRates& r = config_.faults;
    // Each kind on its own draw: a reply may carry several faults.
    const double draws[] = {uniform(), uniform(), uniform(), uniform(), uniform(), uniform()};
    FaultSet faults = fault::None;
    if (draws[0] < r.drop)
        faults |= fault::Drop;
    if (draws[1] < r.corrupt)
        faults |= fault::Corrupt;
    if (draws[2] < r.late)
        faults |= fault::Late;
    if (draws[3] < r.shortReply)
        faults |= fault::Short;
    if (draws[4] < r.misread)
        faults |= fault::Misread;
    if (draws[5] < r.badWrite)
        faults |= fault::BadWrite;
    // Drawn only when asked for, so that the other faults of a seed stay.
    if (r.stall > 0 && uniform() < r.stall)
        faults |= fault::Stall;
    return faults;
}

double SimulatedDevice::uniform() {
    return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

unsigned SimulatedDevice::below(unsigned n) {
    return static_cast<unsigned>(random_() % n);
}

} // namespace rq7::sim
