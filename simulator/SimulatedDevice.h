#pragma once
// The device's behaviour on the wire: it takes request bytes one at a time,
// answers the six commands of the device link, keeps its EEPROM and injects
// the configured faults. It has no clock of its own: every byte comes with
// the time it arrived, and every reply says when it leaves. Like a real
// device it answers in order: a late reply holds back every reply after it.

#include "simulator/DeviceConfig.h"
#include "simulator/FrameCodec.h"
#include "simulator/SimClock.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <vector>

namespace rq7::sim {

// Command codes of requests; a reply carries the code + 0x80.
namespace command {
inline constexpr std::uint8_t Programming = 0x01;
inline constexpr std::uint8_t Identify = 0x02;
inline constexpr std::uint8_t Hardware = 0x03;
inline constexpr std::uint8_t ReadBlock = 0x04;
inline constexpr std::uint8_t WriteBlock = 0x05;
inline constexpr std::uint8_t EndProgramming = 0x06;
} // namespace command

class SimulatedDevice {
public:
    struct Outgoing {
        Bytes wire;    // the reply as it goes on the wire (checksum and CR included)
        Micros sendAt; // when its first byte leaves the device, the line permitting
        // Waited once the line is free of the replies before this one, before
        // its first byte leaves (a stall).
        Micros hold{0};
    };

    // What happened to the requests, for tests and the verbose log.
    struct Counters {
        std::array<unsigned, 7> handled{}; // answered or dropped, by command code 1..6
        unsigned badChecksum = 0;
        unsigned overlong = 0;
        unsigned malformed = 0;      // wrong length, bad hex pair, unknown command
        unsigned outOfRange = 0;     // a block beyond the EEPROM
        unsigned notProgramming = 0; // commands 2..6 outside programming mode
        unsigned waitingForKey = 0;  // programming-mode requests before the key press
        unsigned dropped = 0;
        unsigned corrupted = 0;
        unsigned late = 0;
        unsigned stalled = 0;
        unsigned shortened = 0;
        unsigned misread = 0;
        unsigned badWrites = 0;
        unsigned refusedDeactivations = 0;
        // Time the late and stalled replies added to the line: per late reply
        // how much later it left than it would have, per stall its delay.
        Micros delayImposed{0};
    };

    // One handled request, when the journal is on.
    struct JournalEntry {
        Micros at;
        std::uint8_t command = 0;
        std::uint16_t address = 0; // block commands only
        Bytes data;                // the kBlockSize bytes of a block write
        FaultSet faults = fault::None;
    };

    // Throws std::invalid_argument for an EEPROM size it cannot hold.
    explicit SimulatedDevice(DeviceConfig config = {});

    // One byte from the host, arrived at `at` (never earlier than the byte
    // before). Returns the reply when this byte completes a request that is
    // answered.
    std::optional<Outgoing> receive(std::uint8_t byte, Micros at);

    const DeviceConfig& config() const { return config_; }
    void setFaultRates(const FaultRates& rates) { config_.faults = rates; }
    void setPressAfter(Micros delay) { config_.pressAfter = delay; }
    // The next replies get these faults, one set each in turn, instead of
    // drawn ones (a command the device does not answer takes none).
    void forceFaults(FaultSet next) { forced_.push_back(next); }

    const Bytes& eeprom() const { return eeprom_; }
    // Copies the image to the start of the EEPROM; the rest becomes blank.
    // Throws std::invalid_argument when the image is larger.
    void loadEeprom(const Bytes& image);
    void setEepromByte(std::size_t address, std::uint8_t value) { eeprom_.at(address) = value; }

    bool inProgrammingMode() const { return programming_; }
    const Counters& counters() const { return counters_; }
    void setJournalEnabled(bool on) { journalOn_ = on; }
    const std::vector<JournalEntry>& journal() const { return journal_; }
    void clearJournal() { journal_.clear(); }

private:
    std::optional<Outgoing> handle(const Bytes& request, Micros at);
    std::optional<Bytes> answer(const Bytes& request, Micros at, FaultSet& faults,
                                JournalEntry& entry);
    std::optional<std::uint16_t> blockAddress(const Bytes& request);
    FaultSet drawFaults();
    FaultSet drawRandomFaults();
    double uniform();
    unsigned below(unsigned n);

    DeviceConfig config_;
    Bytes eeprom_;
    RequestParser parser_;
    bool programming_ = false;
    std::optional<Micros> keyPressAt_;
    // Replies leave in the order of their requests: none before this.
    Micros lastSendAt_{0};
    // The last request answered late, for lateRepeats.
    Bytes lastLateRequest_;
    std::mt19937_64 random_;
    std::deque<FaultSet> forced_;
    Counters counters_;
    bool journalOn_ = false;
    std::vector<JournalEntry> journal_;
};

} // namespace rq7::sim
