#include "settings/ImageReader.h"

#include "encoding/Cp1250.h"
#include "encoding/Hex.h"
#include "settings/ChoiceTables.h"
#include "settings/ImageLayout.h"
#include "settings/PhoneNumber.h"
#include "settings/SmsCentre.h"

#include <algorithm>
#include <optional>

namespace rq7 {

namespace {

class Reader {
public:
    // Only the first `known` bytes of the image count; the reader fails at
    // the first byte it needs beyond them.
    Reader(const EepromImage& image, ReadResult& result, long known = EepromImage::kSize)
        : image_(image), result_(result), known_(known) {}

    // How far the reading went: one past the furthest byte looked at, or the
    // first byte needed beyond the known ones.
    ImageExtent extent() const {
        return missing_ ? ImageExtent{*missing_, false} : ImageExtent{furthest_, true};
    }

    bool fail(const std::string& detail) {
        result_.ok = false;
        result_.messageKey = "msg034";
        result_.detail = detail;
        return false;
    }

    // Fixed-block and header reads: their addresses always lie inside.
    int byte(long address) { return at(address).value_or(0); }
    int word(long address) { return byte(address) + 256 * byte(address + 1); }

    // One string from `position` up to and including its terminator.
    bool string(long& position, std::string& text) {
        std::string bytes;
        for (;;) {
            const std::optional<int> b = at(position);
            if (!b)
                return fail("a string runs past the end of the image");
            ++position;
            if (*b == 0)
                break;
            bytes += static_cast<char>(*b);
        }
        text = cp1250::toUtf8(bytes);
        return true;
    }

    // One telephone entry from `position`, terminator included.
    bool phone(long& position, std::string& number, int row) {
        const std::string where = "telephone entry " + std::to_string(row);
        const std::optional<int> first = at(position);
        if (!first)
            return fail(where + " lies past the end of the image");
        if (*first == 0) {
            number.clear();
            ++position;
            return true;
        }
        std::string chars;
        if (!take(position, 2, chars))
            return fail(where + " runs past the end of the image");
        const int high = hex::value(chars[0]);
        const int low = hex::value(chars[1]);
        if (high < 0 || low < 0)
            return fail(where + " has no hexadecimal length");
        int n = high * 16 + low;
        n += n % 2;
        if (n != 0) {
            if (!take(position + 2, n + 2, chars))
                return fail(where + " runs past the end of the image");
        } else if (zeroLengthWithType(position)) {
            // Older tools stored "+" alone as "0091": a zero length followed
            // by a type field. Taking the type along keeps the next entries
            // in place.
            take(position + 2, 2, chars);
        }
        const long terminator = position + static_cast<long>(chars.size());
        if (!at(terminator))
            return fail(where + " runs past the end of the image");
        position = terminator + 1;
        number = cp1250::toUtf8(phone_bytes::decode(chars).value_or(""));
        return true;
    }

private:
    // One byte of the image, noted as looked at.
    std::optional<int> at(long address) {
        if (address >= known_) {
            if (!missing_)
                missing_ = address;
            return std::nullopt;
        }
        const std::optional<int> b = image_.GetImageByte(address);
        if (b)
            furthest_ = std::max(furthest_, address + 1);
        return b;
    }

    // Appends `count` bytes from `from` to `out`; false when they do not all
    // lie in the image.
    bool take(long from, int count, std::string& out) {
        for (long a = from; a < from + count; ++a) {
            const std::optional<int> b = at(a);
            if (!b)
                return false;
            out += static_cast<char>(*b);
        }
        return true;
    }

    // "00", two hexadecimal characters, then 0. Read the plain way (the
    // first type character taken for the terminator), the second type
    // character would start the next entry with a length field ending in
    // byte 0, which is never valid; so this layout means a type field.
    bool zeroLengthWithType(long position) {
        const std::optional<int> t1 = at(position + 2);
        const std::optional<int> t2 = at(position + 3);
        const std::optional<int> end = at(position + 4);
        return t1 && t2 && end && *end == 0 && hex::value(*t1) >= 0 && hex::value(*t2) >= 0;
    }

    const EepromImage& image_;
    ReadResult& result_;
    long known_;
    long furthest_ = 0;
    std::optional<long> missing_;
};

Flag bit(int value, int i) {
    return (value >> i) & 1 ? kFlagOn : kFlagOff;
}

void readMask(int value, Rows<Flag>& flags) {
    for (int i = 0; i < kRowCount; ++i)
        flags[static_cast<std::size_t>(i)] = bit(value, i);
}

// Selects the item carrying `code`; an unknown code keeps the selection.
void readChoice(const ChoiceTable& table, int code, std::string& field) {
    if (const std::optional<std::string> text = choiceText(table, code))
        field = *text;
}

template <std::size_t N>
void readMasks(const std::array<layout::MaskByte, N>& masks, Reader& rd, SettingsRecord& r) {
    for (const layout::MaskByte& m : masks)
        readMask(rd.byte(m.address), r.*m.flags);
}

bool readFixedBlock(Reader& rd, SettingsRecord& r) {
    const int general = rd.byte(layout::kGeneralFlags);
    for (const layout::FlagBit& f : layout::kGeneralFlagBits)
        r.*f.flag = bit(general, f.bit);

    r.tabDobaPlatnostiSMS =
        std::to_string(rd.byte(layout::kSmsValidity) - layout::kSmsValidityOffset);
    readMasks(layout::kNumberMasks, rd, r);
    r.tabKOMUNIKPocetBloku = std::to_string(rd.byte(layout::kPanelBlocks));

    const int jts = rd.byte(layout::kJtsDigit);
    r.tabPrepnoutJTS = jts == layout::kJtsOff ? kFlagOff : kFlagOn;
    r.tabPrepnoutJTSCislo = jts == layout::kJtsOff ? "0" : std::to_string(jts);

    const int link = rd.byte(layout::kPanelFormat);
    readChoice(ParityTable, link % layout::kNibble, r.tabKOMUNIKParita);
    readChoice(FormatTable, link / layout::kNibble, r.tabKOMUNIKFormat);
    const int tests = rd.byte(layout::kPanelTests);
    readChoice(FrequencyTable, tests % layout::kNibble, r.tabKOMUNIKFrekvence);
    r.tabKOMUNIKPocetTestu = std::to_string(tests / layout::kNibble);

    r.tabRFRWait = std::to_string((rd.byte(layout::kReadyForRing) + 1) * layout::kReadyForRingStep);
    r.tabWaitFree = std::to_string(rd.byte(layout::kWaitFree));
    readMasks(layout::kEventMasks, rd, r);
    for (int i = 0; i < kRowCount; ++i)
        r.tabOUTimpulsLEN[static_cast<std::size_t>(i)] =
            std::to_string(rd.byte(layout::kImpulseLengths + i));

    // A signed 32-bit tick count; the top bit set does not fit.
    const long high = rd.word(layout::kExistTicksHigh);
    if (high >= 32768)
        return rd.fail("the existence period does not fit in 31 bits");
    const long long ticks = high * 65536LL + rd.word(layout::kExistTicksLow);
    r.eeExistTime = std::to_string(ticks * 2 / layout::kTicksPerMinuteTimes2);
    return true;
}

bool readVariableArea(Reader& rd, SettingsRecord& r, const std::vector<std::string>& smsItems,
                      long& end) {
    for (const layout::StringBlock& block : layout::kStringBlocks) {
        long position = rd.word(block.headerWord);
        for (std::string& text : r.*block.field)
            if (!rd.string(position, text))
                return false;
    }

    long position = rd.word(layout::kStationWord);
    for (const auto member : layout::kStationStrings) {
        std::string& text = r.*member;
        if (!rd.string(position, text))
            return false;
        if (member == layout::kSmsCentreString)
            SetSMSC(text, smsItems);
    }

    position = rd.word(layout::kTelephoneWord);
    for (int i = 0; i < kRowCount; ++i)
        if (!rd.phone(position, r.tabTC[static_cast<std::size_t>(i)], i))
            return false;
    end = position;
    return true;
}

} // namespace

ReadResult ReadImage(const EepromImage& image, SettingsRecord& record,
                     const std::vector<std::string>& smsCentreItems) {
    ReadResult result;
    Reader reader(image, result);
    if (!readFixedBlock(reader, record) ||
        !readVariableArea(reader, record, smsCentreItems, result.length))
        return result;
    result.ok = true;
    return result;
}

ImageExtent FindImageExtent(const EepromImage& image, long known) {
    ReadResult result;
    Reader reader(image, result, known);
    SettingsRecord record;
    long end = 0;
    if (readFixedBlock(reader, record))
        readVariableArea(reader, record, {}, end);
    return reader.extent();
}

} // namespace rq7
