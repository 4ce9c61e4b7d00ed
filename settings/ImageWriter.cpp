#include "settings/ImageWriter.h"

#include "settings/ChoiceTables.h"
#include "settings/DecimalText.h"
#include "settings/ImageLayout.h"
#include "settings/PhoneNumber.h"
#include "settings/SmsCentre.h"

#include <optional>

namespace rq7 {

namespace {

using decimal::Rounding;

constexpr long long kMaxTickCount = 2147483647;

class Writer {
public:
    Writer(EepromImage& image, WriteResult& result) : image_(image), result_(result) {}

    bool fail(const std::string& field, const std::string& reason) {
        result_.ok = false;
        result_.field = field;
        result_.reason = reason;
        return false;
    }

    bool byte(long value, long address, const std::string& field) {
        if (image_.SetImageByte(value, address))
            return true;
        return fail(field, "value " + std::to_string(value) + " does not fit in a byte");
    }

    bool word(long value, long address, const std::string& field) {
        if (image_.SetImageWord(value, address))
            return true;
        return fail(field, "value " + std::to_string(value) + " does not fit in a word");
    }

    // The text read as a number (all of it), rounded halves to even.
    bool byteOfText(const std::string& text, long address, const std::string& field) {
        const std::optional<decimal::Decimal> number = decimal::wholeNumber(text);
        if (!number)
            return fail(field, "'" + text + "' is not a number");
        return byteOfNumber(decimal::scaled(*number, 1, 1, 0, Rounding::HalfEven), address, field);
    }

    bool byteOfNumber(std::optional<long long> value, long address, const std::string& field) {
        if (!value || *value < 0 || *value > 255)
            return fail(field, "value out of the range 0 to 255");
        return byte(static_cast<long>(*value), address, field);
    }

    // Appends one string and its terminator at the write position.
    bool string(const std::string& bytes) {
        for (char c : bytes)
            if (!put(static_cast<unsigned char>(c)))
                return false;
        return put(0);
    }

    bool put(int value) {
        if (!image_.SetImageByte(value, position_))
            return fail("", "the settings do not fit in the 65,536-byte image");
        ++position_;
        return true;
    }

    bool blockStart(long headerWord) { return word(position_, headerWord, ""); }

    long position() const { return position_; }

private:
    EepromImage& image_;
    WriteResult& result_;
    long position_ = layout::kVariableAreaAddress;
};

int mask(const Rows<Flag>& flags) {
    int value = 0;
    for (int i = 0; i < kRowCount; ++i)
        if (isOn(flags[static_cast<std::size_t>(i)]))
            value += 1 << i;
    return value;
}

std::string rowName(const char* base, int row) {
    return std::string(base) + "(" + std::to_string(row) + ")";
}

template <std::size_t N>
bool writeMasks(const std::array<layout::MaskByte, N>& masks, const SettingsRecord& r, Writer& w) {
    for (const layout::MaskByte& m : masks)
        if (!w.byte(mask(r.*m.flags), m.address, m.field))
            return false;
    return true;
}

bool writeFixedBlock(const SettingsRecord& r, Writer& w) {
    int general = 0;
    for (const layout::FlagBit& f : layout::kGeneralFlagBits)
        if (isOn(r.*f.flag) && !(f.onlyWithText && (r.*f.onlyWithText).empty()))
            general += 1 << f.bit;
    if (!w.byte(general, layout::kGeneralFlags, "opNotAuthorized"))
        return false;

    // Whole days plus the offset: the relative validity period of an SMS.
    const auto days = decimal::scaled(decimal::leadingNumber(r.tabDobaPlatnostiSMS), 1, 1,
                                      layout::kSmsValidityOffset, Rounding::Floor);
    if (!w.byteOfNumber(days, layout::kSmsValidity, "tabDobaPlatnostiSMS"))
        return false;

    if (!writeMasks(layout::kNumberMasks, r, w))
        return false;

    if (!w.byteOfText(r.tabKOMUNIKPocetBloku, layout::kPanelBlocks, "tabKOMUNIKPocetBloku"))
        return false;

    if (isOn(r.tabPrepnoutJTS)) {
        if (!w.byteOfText(r.tabPrepnoutJTSCislo, layout::kJtsDigit, "tabPrepnoutJTSCislo"))
            return false;
    } else if (!w.byte(layout::kJtsOff, layout::kJtsDigit, "tabPrepnoutJTS")) {
        return false;
    }

    const std::optional<int> parity = choiceCode(ParityTable, r.tabKOMUNIKParita);
    if (!parity)
        return w.fail("tabKOMUNIKParita", "'" + r.tabKOMUNIKParita + "' is not a list item");
    const std::optional<int> format = choiceCode(FormatTable, r.tabKOMUNIKFormat);
    if (!format)
        return w.fail("tabKOMUNIKFormat", "'" + r.tabKOMUNIKFormat + "' is not a list item");
    if (!w.byte(*parity + layout::kNibble * *format, layout::kPanelFormat, "tabKOMUNIKFormat"))
        return false;

    const std::optional<int> frequency = choiceCode(FrequencyTable, r.tabKOMUNIKFrekvence);
    if (!frequency)
        return w.fail("tabKOMUNIKFrekvence", "'" + r.tabKOMUNIKFrekvence + "' is not a list item");
    const auto tests = decimal::scaled(decimal::leadingNumber(r.tabKOMUNIKPocetTestu),
                                       layout::kNibble, 1, *frequency, Rounding::HalfEven);
    if (!w.byteOfNumber(tests, layout::kPanelTests, "tabKOMUNIKPocetTestu"))
        return false;

    for (long address : layout::kZeroBytes)
        if (!w.byte(0, address, ""))
            return false;

    // Steps of 3 s, 0 meaning 3 s.
    std::optional<long long> ready =
        decimal::scaled(decimal::leadingNumber(r.tabRFRWait), 1, layout::kReadyForRingStep, 0,
                        Rounding::TowardZero);
    if (ready)
        *ready -= 1;
    if (!w.byteOfNumber(ready, layout::kReadyForRing, "tabRFRWait"))
        return false;

    if (!w.byteOfText(r.tabWaitFree, layout::kWaitFree, "tabWaitFree"))
        return false;

    if (!writeMasks(layout::kEventMasks, r, w))
        return false;

    for (int i = 0; i < kRowCount; ++i)
        if (!w.byteOfText(r.tabOUTimpulsLEN[static_cast<std::size_t>(i)],
                          layout::kImpulseLengths + i, rowName("tabOUTimpulsLEN", i)))
            return false;

    // Existence period in ticks of 2.56 ms, rounded up.
    const auto ticks =
        decimal::scaled(decimal::leadingNumber(r.eeExistTime), layout::kTicksPerMinuteTimes2, 2, 0,
                        Rounding::UpUnlessWhole);
    if (!ticks || *ticks < 0 || *ticks > kMaxTickCount)
        return w.fail("eeExistTime", "period out of range");
    return w.word(static_cast<long>(*ticks % 65536), layout::kExistTicksLow, "eeExistTime") &&
           w.word(static_cast<long>(*ticks / 65536), layout::kExistTicksHigh, "eeExistTime");
}

bool writeVariableArea(const SettingsRecord& r, Writer& w) {
    for (const layout::StringBlock& block : layout::kStringBlocks) {
        if (!w.blockStart(block.headerWord))
            return false;
        for (const std::string& text : r.*block.field)
            if (!w.string(layout::imageBytes(text)))
                return false;
    }

    if (!w.blockStart(layout::kStationWord))
        return false;
    for (const auto member : layout::kStationStrings) {
        const std::string& text = r.*member;
        const std::string& value = member == layout::kSmsCentreString ? GetSMSC(text) : text;
        if (!w.string(layout::imageBytes(value)))
            return false;
    }

    if (!w.blockStart(layout::kTelephoneWord))
        return false;
    for (int i = 0; i < kRowCount; ++i) {
        const std::string& number = r.tabTC[static_cast<std::size_t>(i)];
        // "+" alone has no digits: its encoding would carry a type field
        // after a zero length, which a reader cannot tell from the next entry.
        if (PhoneStoredEmpty(number)) {
            if (!w.put(0))
                return false;
            continue;
        }
        const std::string bytes = layout::imageBytes(number);
        const std::size_t digits = bytes.size() - (bytes[0] == '+' ? 1 : 0);
        if (digits > static_cast<std::size_t>(kMaxPhoneDigits))
            return w.fail(rowName("tabTC", i), "more than 255 digits");
        if (!w.string(phone_bytes::encode(bytes)))
            return false;
    }
    return true;
}

} // namespace

WriteResult WriteImage(const SettingsRecord& record, EepromImage& image) {
    WriteResult result;
    Writer writer(image, result);
    if (!writeFixedBlock(record, writer) || !writeVariableArea(record, writer))
        return result;
    if (!writer.word(layout::kFixedBlockAddress, layout::kFixedBlockWord, "") ||
        !writer.word(layout::kFormatMark, layout::kFormatMarkWord, ""))
        return result;
    if (!writer.byte(image.HeaderChecksum(), layout::kChecksumAddress, ""))
        return result;
    result.ok = true;
    result.length = writer.position();
    return result;
}

} // namespace rq7
