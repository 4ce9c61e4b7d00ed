#include "settings/ImageReader.h"

#include "encoding/Cp1250.h"
#include "encoding/Hex.h"
#include "settings/ChoiceTables.h"
#include "settings/ImageLayout.h"
#include "settings/PhoneNumber.h"
#include "settings/SmsCentre.h"

#include <optional>

namespace rq7 {

namespace {

constexpr long kTicksPerMinuteTimes2 = 46875; // 23,437.5 ticks of 2.56 ms

class Reader {
public:
    Reader(const EepromImage& image, ReadResult& result) : image_(image), result_(result) {}

    bool fail(const std::string& detail) {
        result_.ok = false;
        result_.messageKey = "msg034";
        result_.detail = detail;
        return false;
    }

    // Fixed-block and header reads: their addresses always lie inside.
    int byte(long address) const { return image_.GetImageByte(address).value_or(0); }
    int word(long address) const { return image_.GetImageWord(address).value_or(0); }

    // One string from `position` up to and including its terminator.
    bool string(long& position, std::string& text) {
        std::string bytes;
        for (;;) {
            const std::optional<int> b = image_.GetImageByte(position);
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
        const std::optional<int> first = image_.GetImageByte(position);
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
        if (!image_.GetImageByte(terminator))
            return fail(where + " runs past the end of the image");
        position = terminator + 1;
        number = cp1250::toUtf8(phone_bytes::decode(chars).value_or(""));
        return true;
    }

private:
    // Appends `count` bytes from `from` to `out`; false when they do not all
    // lie in the image.
    bool take(long from, int count, std::string& out) const {
        for (long a = from; a < from + count; ++a) {
            const std::optional<int> b = image_.GetImageByte(a);
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
    bool zeroLengthWithType(long position) const {
        const auto at = [this](long a) { return image_.GetImageByte(a); };
        const std::optional<int> t1 = at(position + 2);
        const std::optional<int> t2 = at(position + 3);
        const std::optional<int> end = at(position + 4);
        return t1 && t2 && end && *end == 0 && hex::value(*t1) >= 0 && hex::value(*t2) >= 0;
    }

    const EepromImage& image_;
    ReadResult& result_;
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

bool readFixedBlock(Reader& rd, SettingsRecord& r) {
    const int general = rd.byte(32);
    r.tabPrepnoutNepovolPristup = bit(general, 0);
    r.tabBezpecRezim = bit(general, 2);
    r.opExist = bit(general, 4);
    r.tabOdpovidatT0 = bit(general, 5);
    r.opNotAuthorized = bit(general, 6);

    r.tabDobaPlatnostiSMS = std::to_string(rd.byte(33) - 166);
    readMask(rd.byte(34), r.tabTCPrijem);
    readMask(rd.byte(35), r.tabTCPoplach);
    readMask(rd.byte(36), r.tabTCUdalost);
    readMask(rd.byte(37), r.tabINPZpr);
    readMask(rd.byte(38), r.tabOUTZpr);
    r.tabKOMUNIKPocetBloku = std::to_string(rd.byte(39));

    const int jts = rd.byte(40);
    r.tabPrepnoutJTS = jts == 15 ? kFlagOff : kFlagOn;
    r.tabPrepnoutJTSCislo = jts == 15 ? "0" : std::to_string(jts);

    const int link = rd.byte(41);
    readChoice(ParityTable, link % 16, r.tabKOMUNIKParita);
    readChoice(FormatTable, link / 16, r.tabKOMUNIKFormat);
    const int tests = rd.byte(42);
    readChoice(FrequencyTable, tests % 16, r.tabKOMUNIKFrekvence);
    r.tabKOMUNIKPocetTestu = std::to_string(tests / 16);

    r.tabRFRWait = std::to_string((rd.byte(45) + 1) * 3);
    r.tabWaitFree = std::to_string(rd.byte(46));
    readMask(rd.byte(47), r.tabINPLHEvent);
    readMask(rd.byte(48), r.tabINPHLEvent);
    readMask(rd.byte(49), r.tabOUTNeg);
    readMask(rd.byte(50), r.tabINPNeg);
    for (int i = 0; i < kRowCount; ++i)
        r.tabOUTimpulsLEN[static_cast<std::size_t>(i)] = std::to_string(rd.byte(51 + i));

    // A signed 32-bit tick count; the top bit set does not fit.
    const long high = rd.word(61);
    if (high >= 32768)
        return rd.fail("the existence period does not fit in 31 bits");
    const long long ticks = high * 65536LL + rd.word(59);
    r.eeExistTime = std::to_string(ticks * 2 / kTicksPerMinuteTimes2);
    return true;
}

bool readVariableArea(Reader& rd, SettingsRecord& r, const std::vector<std::string>& smsItems) {
    for (const layout::StringBlock& block : layout::kStringBlocks) {
        long position = rd.word(block.headerWord);
        for (std::string& text : r.*block.field)
            if (!rd.string(position, text))
                return false;
    }

    long position = rd.word(EepromImage::kStationWord);
    for (std::string* text :
         {&r.tabJmenoStanice, &r.tabPIN, &r.tabTCcentra, &r.rtReCall, &r.rtNotAuthorized}) {
        if (!rd.string(position, *text))
            return false;
        if (text == &r.tabTCcentra)
            SetSMSC(*text, smsItems);
    }

    position = rd.word(EepromImage::kTelephoneWord);
    for (int i = 0; i < kRowCount; ++i)
        if (!rd.phone(position, r.tabTC[static_cast<std::size_t>(i)], i))
            return false;
    return true;
}

} // namespace

ReadResult ReadImage(const EepromImage& image, SettingsRecord& record,
                     const std::vector<std::string>& smsCentreItems) {
    ReadResult result;
    Reader reader(image, result);
    if (!readFixedBlock(reader, record) || !readVariableArea(reader, record, smsCentreItems))
        return result;
    result.ok = true;
    return result;
}

} // namespace rq7
