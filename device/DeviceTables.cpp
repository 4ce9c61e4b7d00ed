#include "device/DeviceTables.h"

#include <cctype>

namespace rq7::device {

const std::array<ProductRow, 10>& ProductTable() {
    static const std::array<ProductRow, 10> rows{{
        {"TMV", 0x34AF02, ""},
        {"PKJ", 0x51A502, ""},
        {"RQ7", 0x03D302, ""},
        {"VOCALIX", 0x04D302, ""},
        {"RQ7_01", 0x88D302, "1.5"},
        {"RQ7_04", 0x89D302, "1.5"},
        {"RQ7_04", 0x8AD302, "1.5"},
        {"RQ7_06", 0x8BD302, "1.5"},
        {"RQ7_07", 0x8CD302, "1.5"},
        {"RQ7_08", 0x8DD302, "1.5"},
    }};
    return rows;
}

const std::array<MemorySizeRow, 10>& MemorySizeTable() {
    static const std::array<MemorySizeRow, 10> rows{{
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
    }};
    return rows;
}

const std::array<ModemRow, 5>& ModemTable() {
    static const std::array<ModemRow, 5> rows{{
        {0, "M1 Siemens"},
        {1, "A1 Falcom"},
        {2, "A1 Siemens"},
        {3, "M20 Siemens"},
        {4, "TC35 Siemens"},
    }};
    return rows;
}

std::optional<std::size_t> FindProduct(std::uint32_t code) {
    const auto& rows = ProductTable();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == code)
            return i;
    return std::nullopt;
}

const MemorySizeRow* FindMemorySize(int code) {
    for (const MemorySizeRow& row : MemorySizeTable())
        if (row.code == code)
            return &row;
    return nullptr;
}

const ModemRow* FindModem(int code) {
    for (const ModemRow& row : ModemTable())
        if (row.code == code)
            return &row;
    return nullptr;
}

std::string ProductNameList() {
    std::string list;
    for (const ProductRow& row : ProductTable()) {
        if (!list.empty())
            list += ", ";
        list += row.name;
    }
    return list;
}

double VersionValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // Digits are gathered as one integer and scaled once, so equal texts and
    // texts differing only in trailing zeros give the same value.
    double digits = 0;
    double scale = 1;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        digits = digits * 10 + (c - '0');
        if (afterPoint)
            scale *= 10;
    }
    return digits / scale;
}

long LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
           value < 1000000000L;
         ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

} // namespace rq7::device
