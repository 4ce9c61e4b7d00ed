#pragma once
// The device link: programming mode, identification, block read and block
// write of the EEPROM image, over a Transport and a Waiter. It owns the
// connection state and the identification; it asks the user and shows the
// status window only through the ports, and returns every outcome as data so
// that the main window and rq7ctl present the same decisions.

#include "device/Block.h"
#include "device/ConnectionState.h"
#include "device/DeviceInfo.h"
#include "device/FrameLink.h"
#include "ports/Prompter.h"
#include "ports/StatusSink.h"
#include "ui/language/catalogue/Texts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace rq7::device {

// Reply time-outs of the protocol.
inline constexpr Millis kProgrammingTimeout{500};
inline constexpr Millis kQueryTimeout{100};
inline constexpr Millis kBlockBaseTimeout{100};
inline constexpr Millis kExtraWaitStep{100};
// A block exchange's time-out after `steps` extra waits.
constexpr Millis BlockTimeout(int steps) {
    return kBlockBaseTimeout + steps * kExtraWaitStep;
}
// Attempts per block: reads 12 (100 … 1200 ms), writes 10 (200 … 1100 ms),
// read-backs 9 (200 … 1000 ms).
inline constexpr int kReadAttempts = 12;
inline constexpr int kWriteAttempts = 10;
inline constexpr int kVerifyAttempts = 9;

enum class ActivationOutcome {
    Activated,      // known model, version accepted: Aktivni
    UnknownModel,   // msg028 shown: Aktivni
    VersionTooOld,  // msg030/msg031 shown: Aktivni-spatna verze
    PortFailed,     // msg025 shown: Neaktivni
    Cancelled,      // Storno while waiting for the device: msg032, Neaktivni
    NoAnswer,       // the answer wait ran out: msg032, Neaktivni
    Failed,         // identification or hardware query failed: msg032, Neaktivni
    ConnectionLost, // the port went away: msg070, Neaktivni
};

// Silence this long while waiting for the programming answer brings the
// hint (msg082 or msg083).
inline constexpr Millis kActivationHintAfter{10000};

struct ActivationOptions {
    // How long the programming-mode request is repeated; unlimited when
    // empty (only the user's cancel ends it).
    std::optional<Millis> answerWait;
    // Shows the labels as soon as they change during activation: the model
    // and version once identified, before msg028 or msg030 is asked (the
    // user reads the version next to the message), and all "?" again before
    // msg032 when activation fails. The result carries the final labels.
    std::function<void(const DeviceInfo&)> showInfo;
};

struct ActivationResult {
    ActivationOutcome outcome = ActivationOutcome::Failed;
    ConnectionState state = ConnectionState::Neaktivni;
    DeviceInfo info;       // the labels' texts ("?" where unknown)
    std::string minimum;   // the minimum version checked ("" for an unknown model)
    std::string portError; // the system's reason when the port did not open
};

enum class DeactivationOutcome {
    Confirmed,  // the device confirmed; Neaktivni, port closed
    Forced,     // no confirmation, the user chose Yes to msg033
    KeptActive, // no confirmation, the user chose No: still active, port open
    NotActive,  // there was nothing to deactivate
};

struct DeactivationResult {
    DeactivationOutcome outcome = DeactivationOutcome::NotActive;
    ConnectionState state = ConnectionState::Neaktivni;
};

enum class TransferOutcome {
    Done,
    Cancelled,      // Storno; a read keeps the blocks read so far
    BlockFailed,    // a block got no valid reply in all its attempts
    VerifyFailed,   // a written block read back wrong in all attempts
    NotActive,      // no device in programming mode
    ConnectionLost, // the port went away: Neaktivni without deactivation
    OutOfOrder,     // the line could not be proven: the device does not answer in order
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::NotActive;
    std::uint32_t address = 0; // the block being handled when it stopped
    int blocks = 0;            // blocks read, or block writes completed
    bool ok() const { return outcome == TransferOutcome::Done; }
};

class DeviceLink {
public:
    DeviceLink(Transport& transport, Waiter& waiter, Prompter& prompter, StatusSink& status,
               const Texts& texts);

    // Opens the port, asks the user to press the device's key (msg026),
    // repeats the programming-mode request until the device answers, then
    // identifies the model and version and queries EEPROM size and modem.
    // Shows msg025, msg028, msg030/msg031 or msg032 as the outcome asks.
    ActivationResult Activate(const std::string& portName, const ActivationOptions& options = {});
    // Ends programming mode and closes the port; msg033 when the device does
    // not confirm. The user's cancel does not cut it short.
    DeactivationResult Deactivate();

    ConnectionState state() const { return state_; }
    // The port went away during the last command; the link is Neaktivni.
    bool connectionLost() const { return connectionLost_; }
    // True (and Neaktivni, port closed, no deactivation) once the transport
    // reports the port gone; also between commands.
    bool LoseConnectionIfGone();
    // The last transfer stopped because the device does not answer in order.
    bool outOfOrder() const { return outOfOrder_; }
    const DeviceInfo& info() const { return info_; }

    // One block read waiting `timeout` for the reply, which must carry the
    // answer code and kBlockSize hex pairs. A Repeat is a further attempt at
    // the same block.
    std::optional<Block> ReadBlock(std::uint16_t address, Millis timeout = kBlockBaseTimeout,
                                   Attempt attempt = Attempt::First);
    // How far a read goes: the address it must reach, and the address it
    // will probably reach, for the progress total.
    struct ReadReach {
        long need = 0;
        long expected = 0;
    };
    // Called with the image and the number of bytes read so far (0 before
    // the first block).
    using ReadExtent = std::function<ReadReach(const std::uint8_t* image, long bytesRead)>;
    // Reads the blocks from address 0 into image while the block starts below both
    // eepromSize and the extent, asked again after every block (block 0
    // always); stops between blocks on Storno. The progress total follows
    // the extent. image must hold the blocks. The status window shows the
    // text of `statusKey`.
    TransferResult ReadBlocks(std::uint8_t* image, std::size_t imageSize, long eepromSize,
                              const ReadExtent& extent, const std::string& statusKey = "msg048");
    // Every block below eepromSize.
    TransferResult ReadEeprom(std::uint8_t* image, std::size_t imageSize, long eepromSize);

    // One block write waiting `timeout` for the reply; true on the 0x85 answer.
    bool WriteBlock(std::uint16_t address, const Block& bytes, Millis timeout,
                    Attempt attempt = Attempt::First);
    // Reads the block back (9 attempts, 200 … 1000 ms) until it equals
    // expected. The image is never changed by a read-back.
    bool VerifyBlock(std::uint16_t address, const Block& expected);
    // Writes the used part of the image: block 0 as zeros, every block from
    // 0 while below usedSize (the settings size, image length + 1), block 0
    // with its real contents last; each block read back when checkWrite.
    // The image is left as it was passed in, whatever the outcome.
    TransferResult WriteEeprom(std::uint8_t* image, std::size_t imageSize, long usedSize,
                               bool checkWrite);

    FrameLink& frames() { return frames_; }

private:
    // Ends an activation as Neaktivni with its message: msg070 when the
    // port went away, else msg032.
    ActivationResult FailActivation(ActivationOutcome outcome, ActivationResult result,
                                    const ActivationOptions& options);
    void EnterNeaktivni();
    // The seconds waited and, after kActivationHintAfter, the hint naming
    // the port: the invalid bytes received, or the silence.
    void ShowActivationWait(const std::string& portName, Millis waited, std::uint64_t invalidBytes);
    // The steps of Activate; each gives the outcome that ends the activation,
    // or nothing to go on. Repeats the programming-mode request until the
    // device answers.
    std::optional<ActivationOutcome> AwaitProgrammingMode(const std::string& portName,
                                                          const ActivationOptions& options);
    // The model and version into `info`; asks msg028 or msg030/msg031 and
    // sets result's outcome and minimum.
    std::optional<ActivationOutcome> Identify(const ActivationOptions& options, DeviceInfo& info,
                                              ActivationResult& result);
    // EEPROM size and modem into `info`.
    std::optional<ActivationOutcome> QueryHardware(DeviceInfo& info);
    bool Cancelled() const { return status_.cancelRequested(); }
    // One block's write with its retries and read-back; Done or why not.
    TransferOutcome WriteStep(std::uint16_t address, const Block& bytes, bool checkWrite);

    FrameLink frames_;
    Prompter& prompter_;
    StatusSink& status_;
    const Texts& texts_;
    ConnectionState state_ = ConnectionState::Neaktivni;
    DeviceInfo info_;
    bool connectionLost_ = false;
    bool outOfOrder_ = false;
};

} // namespace rq7::device
