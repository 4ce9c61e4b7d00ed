// Reading the EEPROM block by block (Block.h).

#include "device/DeviceLink.h"
#include "device/Identification.h"

#include <algorithm>

namespace rq7::device {

namespace {

int BlockCount(long size) {
    return static_cast<int>(std::max(1L, BlocksFor(size)));
}

} // namespace

std::optional<Block> DeviceLink::ReadBlock(std::uint16_t address, Millis timeout, Attempt attempt) {
    const Frame reply =
        frames_.Exchange(BlockRequest(0x04, address), timeout, CancelMode::Honoured, attempt);
    if (reply.code() != answer::ReadBlock || !HasHexPayload(reply, kBlockSize))
        return std::nullopt;
    Block block{};
    for (std::size_t k = 0; k < kBlockSize; ++k)
        block[k] = PairAt(reply, static_cast<int>(1 + 2 * k));
    return block;
}

TransferResult DeviceLink::ReadEeprom(std::uint8_t* image, std::size_t imageSize, long eepromSize) {
    return ReadBlocks(image, imageSize, eepromSize, [eepromSize](const std::uint8_t*, long) {
        return ReadReach{eepromSize, eepromSize};
    });
}

TransferResult DeviceLink::ReadBlocks(std::uint8_t* image, std::size_t imageSize, long eepromSize,
                                      const ReadExtent& extent, const std::string& statusKey) {
    TransferResult result;
    connectionLost_ = false;
    outOfOrder_ = false;
    if (state_ != ConnectionState::Aktivni || !frames_.transport().isOpen() ||
        imageSize < kBlockSize)
        return result;

    status_.showStatus(texts_.get(statusKey));
    ReadReach reach = extent(image, 0);
    long end = std::min(reach.need, eepromSize);
    int total = BlockCount(std::min(std::max(reach.expected, end), eepromSize));
    status_.progress(0, total);
    std::uint32_t address = 0;
    do {
        result.address = address;
        std::optional<Block> block;
        // The time-out grows by one step per attempt: 100 … 1200 ms.
        for (int attempt = 1;
             !(block = ReadBlock(static_cast<std::uint16_t>(address), BlockTimeout(attempt - 1),
                                 attempt > 1 ? Attempt::Repeat : Attempt::First));
             ++attempt) {
            if (LoseConnectionIfGone()) {
                status_.hideStatus();
                result.outcome = TransferOutcome::ConnectionLost;
                return result;
            }
            if (Cancelled() || frames_.OutOfOrder() || attempt >= kReadAttempts) {
                status_.hideStatus();
                outOfOrder_ = !Cancelled() && frames_.OutOfOrder();
                result.outcome = Cancelled()   ? TransferOutcome::Cancelled
                                 : outOfOrder_ ? TransferOutcome::OutOfOrder
                                               : TransferOutcome::BlockFailed;
                return result;
            }
        }
        std::copy(block->begin(), block->end(), image + address);
        ++result.blocks;
        address += kBlockSize;
        reach = extent(image, static_cast<long>(address));
        end = std::min(reach.need, eepromSize);
        total = std::max(BlockCount(std::min(std::max(reach.expected, end), eepromSize)),
                         result.blocks);
        status_.progress(result.blocks, total);
    } while (static_cast<long>(address) < end && address + kBlockSize <= imageSize && !Cancelled());
    status_.hideStatus();
    result.outcome = Cancelled() ? TransferOutcome::Cancelled : TransferOutcome::Done;
    return result;
}

} // namespace rq7::device
