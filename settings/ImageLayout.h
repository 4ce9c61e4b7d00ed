#pragma once
// Where everything lies in the EEPROM image: the header words, the fixed
// block's bytes and the blocks of the variable area, in one place so that
// the writer, the reader and the size count walk the same tables.
//
// Layout (all numbers little-endian):
//
//   0 ..25   header: 13 words
//             0 input names     2 output names    4 input on-states
//             6 input off-states 8 output on-states 10 output off-states
//            12 impulse names   14 rising reports 16 falling reports
//            18 station block   20 telephone block 22 fixed block (32)
//            24 format mark 10010 (bytes 1A 27)
//   26       header checksum
//   27..31   not written
//   32..62   fixed block (flags, masks, numbers); 63 not written
//   64..L-1  variable area: 11 blocks of strings / telephone entries
//            in the order input names, output names, input on-states, input
//            off-states, output on-states, output off-states, rising
//            reports, falling reports, impulse names, station, telephone.

#include "encoding/Cp1250.h"
#include "settings/SettingsRecord.h"

#include <array>
#include <string>

namespace rq7::layout {

// Header: the word addresses of the blocks, the format mark, the checksum.
inline constexpr long kInputNamesWord = 0;
inline constexpr long kOutputNamesWord = 2;
inline constexpr long kInputOnWord = 4;
inline constexpr long kInputOffWord = 6;
inline constexpr long kOutputOnWord = 8;
inline constexpr long kOutputOffWord = 10;
inline constexpr long kImpulseNamesWord = 12;
inline constexpr long kRisingReportsWord = 14;
inline constexpr long kFallingReportsWord = 16;
inline constexpr long kStationWord = 18;
inline constexpr long kTelephoneWord = 20;
inline constexpr long kFixedBlockWord = 22;
inline constexpr long kFormatMarkWord = 24;
inline constexpr long kChecksumAddress = 26;
inline constexpr int kFormatMark = 10010;

inline constexpr long kFixedBlockAddress = 32;
inline constexpr long kVariableAreaAddress = 64;

// Fixed block, one byte each unless said otherwise.
inline constexpr long kGeneralFlags = 32;
inline constexpr long kSmsValidity = 33; // whole days + kSmsValidityOffset
inline constexpr long kPhoneReceiveMask = 34;
inline constexpr long kPhoneAlarmMask = 35;
inline constexpr long kPhoneEventMask = 36;
inline constexpr long kInputReportMask = 37;
inline constexpr long kOutputReportMask = 38;
inline constexpr long kPanelBlocks = 39;
inline constexpr long kJtsDigit = 40;    // kJtsOff when the switch-over is off
inline constexpr long kPanelFormat = 41; // parity + 16 * format
inline constexpr long kPanelTests = 42;  // frequency + 16 * tests
inline constexpr long kZeroBytes[] = {43, 44};
inline constexpr long kReadyForRing = 45; // steps of kReadyForRingStep, 0 meaning one step
inline constexpr long kWaitFree = 46;
inline constexpr long kRisingEventMask = 47;
inline constexpr long kFallingEventMask = 48;
inline constexpr long kOutputNegMask = 49;
inline constexpr long kInputNegMask = 50;
inline constexpr long kImpulseLengths = 51; // one byte a row
inline constexpr long kExistTicksLow = 59;  // word: ticks % 65536
inline constexpr long kExistTicksHigh = 61; // word: ticks / 65536

inline constexpr int kSmsValidityOffset = 166;
inline constexpr int kJtsOff = 15;
inline constexpr int kReadyForRingStep = 3;
inline constexpr int kNibble = 16;
// Ticks of 2.56 ms per minute: 23,437.5 = 46,875 / 2.
inline constexpr long kTicksPerMinuteTimes2 = 46875;

// The format the device reads: header 0 to 26 (thirteen words, then the
// checksum), fixed block 32 to 63 (63 unwritten), variable area from 64.
static_assert(kFormatMarkWord == 24 && kChecksumAddress == kFormatMarkWord + 2, "header 0 to 26");
static_assert(kFixedBlockAddress == 32 && kGeneralFlags == kFixedBlockAddress,
              "fixed block starts at 32");
static_assert(kImpulseLengths + kRowCount == kExistTicksLow, "impulse lengths are 51 to 58");
static_assert(kExistTicksHigh + 2 == kVariableAreaAddress - 1, "fixed block ends at 62");
static_assert(kVariableAreaAddress == 64, "variable area starts at 64");

// General flags byte: each flag's bit.
struct FlagBit {
    int bit;
    Flag SettingsRecord::*flag;
    // The flag is stored on only when this text is not empty.
    std::string SettingsRecord::*onlyWithText = nullptr;
};

inline constexpr std::array<FlagBit, 5> kGeneralFlagBits{{
    {0, &SettingsRecord::tabPrepnoutNepovolPristup},
    {2, &SettingsRecord::tabBezpecRezim},
    {4, &SettingsRecord::opExist},
    {5, &SettingsRecord::tabOdpovidatT0},
    {6, &SettingsRecord::opNotAuthorized, &SettingsRecord::rtNotAuthorized},
}};

// Bytes whose bit i is row i of a flag field, in two runs: 34 to 38 and
// 47 to 50.
struct MaskByte {
    long address;
    Rows<Flag> SettingsRecord::*flags;
    const char* field;
};

inline constexpr std::array<MaskByte, 5> kNumberMasks{{
    {kPhoneReceiveMask, &SettingsRecord::tabTCPrijem, "tabTCPrijem"},
    {kPhoneAlarmMask, &SettingsRecord::tabTCPoplach, "tabTCPoplach"},
    {kPhoneEventMask, &SettingsRecord::tabTCUdalost, "tabTCUdalost"},
    {kInputReportMask, &SettingsRecord::tabINPZpr, "tabINPZpr"},
    {kOutputReportMask, &SettingsRecord::tabOUTZpr, "tabOUTZpr"},
}};

inline constexpr std::array<MaskByte, 4> kEventMasks{{
    {kRisingEventMask, &SettingsRecord::tabINPLHEvent, "tabINPLHEvent"},
    {kFallingEventMask, &SettingsRecord::tabINPHLEvent, "tabINPHLEvent"},
    {kOutputNegMask, &SettingsRecord::tabOUTNeg, "tabOUTNeg"},
    {kInputNegMask, &SettingsRecord::tabINPNeg, "tabINPNeg"},
}};

// Each run of masks fills the bytes up to the field after it.
template <std::size_t N> constexpr bool fillsUpTo(const std::array<MaskByte, N>& masks, long next) {
    for (std::size_t i = 0; i < N; ++i)
        if (masks[i].address != next - static_cast<long>(N - i))
            return false;
    return true;
}
static_assert(fillsUpTo(kNumberMasks, kPanelBlocks), "masks lie at 34 to 38");
static_assert(fillsUpTo(kEventMasks, kImpulseLengths), "masks lie at 47 to 50");

struct StringBlock {
    long headerWord;
    Rows<std::string> SettingsRecord::*field;
};

// Variable-area blocks 1 to 9, in image order (the impulse names follow the
// reports, although their header word comes before them).
inline constexpr std::array<StringBlock, 9> kStringBlocks{{
    {kInputNamesWord, &SettingsRecord::tabINPNazev},
    {kOutputNamesWord, &SettingsRecord::tabOUTNazev},
    {kInputOnWord, &SettingsRecord::tabINPZap},
    {kInputOffWord, &SettingsRecord::tabINPVyp},
    {kOutputOnWord, &SettingsRecord::tabOUTZap},
    {kOutputOffWord, &SettingsRecord::tabOUTVyp},
    {kRisingReportsWord, &SettingsRecord::tabINPLH},
    {kFallingReportsWord, &SettingsRecord::tabINPHL},
    {kImpulseNamesWord, &SettingsRecord::tabOUTimpuls},
}};

// Block 10, the station block (header word kStationWord): its five strings
// in image order. The SMS-centre entry holds only the number part of its
// text (kSmsCentreString).
inline constexpr std::array<std::string SettingsRecord::*, 5> kStationStrings{{
    &SettingsRecord::tabJmenoStanice,
    &SettingsRecord::tabPIN,
    &SettingsRecord::tabTCcentra,
    &SettingsRecord::rtReCall,
    &SettingsRecord::rtNotAuthorized,
}};
inline constexpr auto kSmsCentreString = &SettingsRecord::tabTCcentra;

// Block 11, the telephone block (header word kTelephoneWord): the numbers
// tabTC(0) to tabTC(7), each encoded and ended by a 0.

// A UTF-8 text as image bytes: one Windows-1250 byte per character, "?" for
// a character the code page cannot hold. A NUL character would end the
// string early and shift everything after it, so it is stored as "?" too.
inline std::string imageBytes(const std::string& text) {
    std::string bytes = cp1250::fromUtf8(text);
    for (char& c : bytes)
        if (c == '\0')
            c = '?';
    return bytes;
}

} // namespace rq7::layout
