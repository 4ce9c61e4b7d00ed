#pragma once
// Hexadecimal digits as the device link and the image's telephone numbers
// write them: upper case out, either case in.

namespace rq7::hex {

// The digit of a value 0..15 ('0'..'9', 'A'..'F'); higher bits are ignored.
constexpr char digit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0Fu];
}

// The value of a hexadecimal digit of either case; -1 for any other
// character (a negative char included).
constexpr int value(int c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace rq7::hex
