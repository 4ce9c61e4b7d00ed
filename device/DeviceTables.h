#pragma once
// The fixed tables of identification: known models with their minimum
// processor versions, EEPROM sizes and modems, by the codes the device
// reports.

#include <array>
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

const std::array<ProductRow, 10>& ProductTable();
const std::array<MemorySizeRow, 10>& MemorySizeTable();
const std::array<ModemRow, 5>& ModemTable();

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
