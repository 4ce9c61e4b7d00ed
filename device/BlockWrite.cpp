// Writing the EEPROM block by block (Block.h), each block read back when asked.

#include "device/DeviceLink.h"
#include "device/Identification.h"

#include <algorithm>

namespace rq7::device {

namespace {

Block BlockAt(const std::uint8_t* image, std::uint32_t address) {
    Block block{};
    std::copy(image + address, image + address + kBlockSize, block.begin());
    return block;
}

// Puts the first block of the image back however WriteEeprom ends.
class FirstBlockGuard {
public:
    explicit FirstBlockGuard(std::uint8_t* image) : image_(image), saved_(BlockAt(image, 0)) {}
    ~FirstBlockGuard() { std::copy(saved_.begin(), saved_.end(), image_); }
    FirstBlockGuard(const FirstBlockGuard&) = delete;
    FirstBlockGuard& operator=(const FirstBlockGuard&) = delete;
    const Block& saved() const { return saved_; }

private:
    std::uint8_t* image_;
    Block saved_;
};

} // namespace

bool DeviceLink::WriteBlock(std::uint16_t address, const Block& bytes, Millis timeout,
                            Attempt attempt) {
    Frame request = BlockRequest(0x05, address);
    for (std::uint8_t byte : bytes)
        AppendHexByte(request, byte);
    const Frame reply = frames_.Exchange(request, timeout, CancelMode::Honoured, attempt);
    return reply.length >= 1 && reply.code() == answer::WriteBlock;
}

bool DeviceLink::VerifyBlock(std::uint16_t address, const Block& expected) {
    // 200 … 1000 ms.
    for (int attempt = 1; attempt <= kVerifyAttempts && !Cancelled() &&
                          !frames_.transport().lost() && !frames_.OutOfOrder();
         ++attempt) {
        const std::optional<Block> back = ReadBlock(address, BlockTimeout(attempt),
                                                    attempt > 1 ? Attempt::Repeat : Attempt::First);
        if (back && *back == expected)
            return true;
    }
    return false;
}

TransferOutcome DeviceLink::WriteStep(std::uint16_t address, const Block& bytes, bool checkWrite) {
    bool written = false;
    // 200 … 1100 ms.
    for (int attempt = 1; attempt <= kWriteAttempts && !written && !Cancelled() &&
                          !frames_.transport().lost() && !frames_.OutOfOrder();
         ++attempt) {
        written = WriteBlock(address, bytes, BlockTimeout(attempt),
                             attempt > 1 ? Attempt::Repeat : Attempt::First);
    }
    if (LoseConnectionIfGone())
        return TransferOutcome::ConnectionLost;
    if (Cancelled())
        return TransferOutcome::Cancelled;
    if (frames_.OutOfOrder())
        return TransferOutcome::OutOfOrder;
    if (!written)
        return TransferOutcome::BlockFailed;
    if (checkWrite && !VerifyBlock(address, bytes))
        return LoseConnectionIfGone() ? TransferOutcome::ConnectionLost
               : Cancelled()          ? TransferOutcome::Cancelled
               : frames_.OutOfOrder() ? TransferOutcome::OutOfOrder
                                      : TransferOutcome::VerifyFailed;
    return Cancelled() ? TransferOutcome::Cancelled : TransferOutcome::Done;
}

TransferResult DeviceLink::WriteEeprom(std::uint8_t* image, std::size_t imageSize, long usedSize,
                                       bool checkWrite) {
    TransferResult result;
    connectionLost_ = false;
    outOfOrder_ = false;
    if (state_ != ConnectionState::Aktivni || !frames_.transport().isOpen() ||
        imageSize < kBlockSize)
        return result;

    const FirstBlockGuard firstBlock(image);
    const long usedBlocks = std::max(1L, BlocksFor(usedSize));
    const int total = static_cast<int>(usedBlocks) + 2;
    status_.showStatus(texts_.get("msg047"));
    status_.progress(0, total);

    auto step = [&](std::uint32_t address, const Block& bytes) {
        result.address = address;
        result.outcome = WriteStep(static_cast<std::uint16_t>(address), bytes, checkWrite);
        outOfOrder_ = result.outcome == TransferOutcome::OutOfOrder;
        if (result.outcome != TransferOutcome::Done)
            return false;
        ++result.blocks;
        status_.progress(result.blocks, total);
        return true;
    };

    // Until the last step the device's first block holds zeros, so an
    // interrupted write never leaves a header that passes its check over a
    // half-written image.
    std::fill(image, image + kBlockSize, std::uint8_t{0});
    bool ok = step(0, BlockAt(image, 0));
    for (std::uint32_t address = 0; ok;) {
        ok = step(address, BlockAt(image, address));
        address += kBlockSize;
        if (static_cast<long>(address) >= usedSize || address + kBlockSize > imageSize)
            break;
    }
    if (ok)
        ok = step(0, firstBlock.saved());
    status_.hideStatus();
    return result;
}

} // namespace rq7::device
