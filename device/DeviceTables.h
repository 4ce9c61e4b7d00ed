#pragma once
// The fixed tables of identification: known models with their minimum
// processor versions, EEPROM sizes and modems, by the codes the device
// reports.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rq7::device {

struct ProductRow {
    const char* name;
    std::uint32_t code;         // 24-bit identification code
    const char* minimumVersion; // "" means the default minimum
};

struct MemorySizeRow {
    int code;
    const char* text; // as shown, e.g. "  1024 byte"
    int bytes;
};

struct ModemRow {
    int code;
    const char* text;
};

// clang-format off
// Known models by identification code (one name may stand for two codes).
inline constexpr ProductRow ProductTable[] = {
    {"TMV",     0x34AF02, ""},
    {"PKJ",     0x51A502, ""},
    {"RQ7",     0x03D302, ""},
    {"VOCALIX", 0x04D302, ""},
    {"RQ7_01",  0x88D302, "1.5"},
    {"RQ7_04",  0x89D302, "1.5"},
    {"RQ7_04",  0x8AD302, "1.5"},
    {"RQ7_06",  0x8BD302, "1.5"},
    {"RQ7_07",  0x8CD302, "1.5"},
    {"RQ7_08",  0x8DD302, "1.5"},
};

inline constexpr MemorySizeRow MemorySizeTable[] = {
    {0, "   128 byte", 128},
    {1, "   256 byte", 256},
    {2, "   512 byte", 512},
    {3, "  1024 byte", 1024},
    {4, "  2048 byte", 2048},
    {5, "  4096 byte", 4096},
    {6, "  8192 byte", 8192},
    {7, " 16384 byte", 16384},
    {8, " 32768 byte", 32768},
    {9, " 65536 byte", 65536},
};

inline constexpr ModemRow ModemTable[] = {
    {0, "M1 Siemens"},
    {1, "A1 Falcom"},
    {2, "A1 Siemens"},
    {3, "M20 Siemens"},
    {4, "TC35 Siemens"},
};
// clang-format on

// The minimum that stands for an empty or "0.0" entry.
inline constexpr const char* kDefaultMinimumVersion = "1.2";

// First row whose code matches, in table order.
std::optional<std::size_t> FindProduct(std::uint32_t code);
const MemorySizeRow* FindMemorySize(int code);
const ModemRow* FindModem(int code);

// The names of all models in table order, joined by ", ".
std::string ProductNameList();

// A version text read as a decimal number the way a numeric parser reads it:
// leading blanks skipped, digits, an optional point and more digits, the rest
// ignored; "1.10" is 1.1 and "?" is 0.
double VersionValue(const std::string& text);

// The whole number at the start of a text ("  1024 byte" gives 1024, "?" 0).
long LeadingNumber(const std::string& text);

} // namespace rq7::device
