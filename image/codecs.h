#pragma once
// Field codecs: how frequencies and tone settings are laid into image bytes
// and shown as text. All frequency arithmetic is exact, in integer units.
//
// Packed frequency (4 bytes, BCD, least significant byte first), digits
// d7..d0 of the frequency in 10 Hz units (d7 = 100 MHz, d0 = 10 Hz):
//
//   byte | high nibble | low nibble
//   +0   | d1 (100 Hz) | d0 (10 Hz)
//   +1   | d3 (10 kHz) | d2 (1 kHz)
//   +2   | d5 (1 MHz)  | d4 (100 kHz)
//   +3   | d7 (100MHz) | d6 (10 MHz)
//
// Digit-string frequency (8 bytes): one decimal digit a byte, 100 MHz first.
// Tone field (2 bytes): 16-bit little endian; 0000/FFFF off, (k,00) DCS
// entry k (1..210), high 01..7F CTCSS in tenths of Hz.

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <span>

namespace vx {

// Frequencies in units of 10 Hz: 145.125 MHz is 14'512'500.
using Units10Hz = int64_t;
inline constexpr Units10Hz kUnitsPerMHz = 100'000;
inline constexpr Units10Hz kMaxUnits = 99'999'999;  // 999.99999 MHz, eight digits

// Number value of a text the way the editors read typed numbers: leading
// spaces skipped, an optional sign, digits with at most one point; reading
// stops at the first character that cannot continue the number. A text that
// does not start with a number is 0.
double number_value(QStringView text);

// Frequency text: MHz with a point and five decimals ("145.12500",
// "88.90000").
QString frequency_text(Units10Hz units);
QString frequency_text_mhz(double mhz);  // the nearest 10 Hz of mhz

// The value of a typed MHz text in 10 Hz units, truncated; negative and
// non-numeric texts give 0, values past 999.99999 MHz are clamped.
Units10Hz frequency_units(QStringView text);

// Rounds a typed MHz text down onto the 2.5 kHz or the 6.25 kHz raster,
// whichever leaves the smaller remainder (2.5 kHz on a tie).
Units10Hz snap_to_raster(QStringView text);

struct TonePair {
    uint8_t low = 0;
    uint8_t high = 0;
    bool operator==(const TonePair&) const = default;
};

QString decode_packed(std::span<const uint8_t, 4> bytes);
Units10Hz packed_units(std::span<const uint8_t, 4> bytes);
std::array<uint8_t, 4> encode_packed(QStringView text);
std::array<uint8_t, 4> packed_from_units(Units10Hz units);

QString decode_digits(std::span<const uint8_t, 8> bytes);
std::array<uint8_t, 8> encode_digits(QStringView text);

// What a tone field holds: no tone (00 00 or FF FF), a CTCSS tone in tenths
// of a hertz (high byte 01..7F), DCS entry k (k 00, k = 1..210: tone list
// index k + 50), or none of these forms.
struct ToneValue {
    enum Kind { Off, Ctcss, Dcs, Other } kind = Off;
    int tenths = 0;  // CTCSS
    int index = 0;   // DCS: tone list index
    bool operator==(const ToneValue&) const = default;
};
ToneValue tone_value(TonePair pair);
// Tenths of a hertz as a tone is written: "67.0", "254.1".
QString tenths_text(int tenths);

// "OFF", a CTCSS text such as "67.0", a DCS label such as "D023N", or an
// empty text for a pair outside the four stored forms.
QString decode_tone(uint8_t low, uint8_t high);
TonePair encode_tone_index(int index);
TonePair encode_tone_value(double hz);

// The Windows ANSI code page (Windows-1252), in which the radio's names are
// kept: the character of byte b (b itself outside 0x80..0x9F), or 0 for the
// five codes the code page leaves undefined (81 8D 8F 90 9D).
char16_t ansi_char(uint8_t b);
// The byte of character c in that code page, or -1 when it has none.
int ansi_code(char32_t c);

}  // namespace vx
