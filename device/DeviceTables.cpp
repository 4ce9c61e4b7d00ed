#include "device/DeviceTables.h"

#include <cctype>
#include <iterator>

namespace rq7::device {

std::optional<std::size_t> FindProduct(std::uint32_t code) {
    for (std::size_t i = 0; i < std::size(ProductTable); ++i)
        if (ProductTable[i].code == code)
            return i;
    return std::nullopt;
}

const MemorySizeRow* FindMemorySize(int code) {
    for (const MemorySizeRow& row : MemorySizeTable)
        if (row.code == code)
            return &row;
    return nullptr;
}

const ModemRow* FindModem(int code) {
    for (const ModemRow& row : ModemTable)
        if (row.code == code)
            return &row;
    return nullptr;
}

std::string ProductNameList() {
    std::string list;
    for (const ProductRow& row : ProductTable) {
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
