#pragma once
// DTMF digit code: one byte per DTMF character. The DTMF settings and the
// optional features' identity codes store their characters this way.
//
//   code | 0   | 1..9       | 10  | 11  | 12  | 13..15    | 16..255
//   char | "D" | "1".."9"   | "0" | "*" | "#" | "A".."C"  | none (FF in the image)

#include <cstdint>

namespace vx {

inline constexpr uint8_t kDtmfNone = 0xFF;

// The code of a character; "a".."d" count as "A".."D", any other character
// gives kDtmfNone.
constexpr uint8_t dtmf_code(char32_t c)
{
    if (c >= U'1' && c <= U'9')
        return uint8_t(c - U'0');
    if (c >= U'a' && c <= U'd')
        c = c - U'a' + U'A';
    switch (c) {
    case U'0': return 10;
    case U'*': return 11;
    case U'#': return 12;
    case U'A': return 13;
    case U'B': return 14;
    case U'C': return 15;
    case U'D': return 0;
    default: return kDtmfNone;
    }
}

// The character of a code, or '\0' for a code of 16 and up.
constexpr char dtmf_char(uint8_t code)
{
    constexpr char kChars[] = "D1234567890*#ABC";
    return code < 16 ? kChars[code] : '\0';
}

}  // namespace vx
