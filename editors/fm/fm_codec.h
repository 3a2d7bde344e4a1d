#pragma once
// FM broadcast presets: image rows 768..783 (radio 0x3000..0x30FF), preset p
// (1..16) in row 767 + p.
//
//   byte | 0..7                              | 8..15
//   use  | frequency, one digit 0..9 a byte, | station name, one character a
//        | 100 MHz first: 88.9 = 00 08 08 09 | byte, placed by its length;
//        | 00 00 00 00                       | FF where there is none
//
// Name placement for a name of n characters (the editor's rule):
//
//   n      | 1-2 | 3-4 | 5 | 6
//   first  | 11  | 10  | 9 | 8
//
// The factory presets are laid from byte 8 whatever their length.
//
// A preset whose bytes 0, 1 and 2 are all 00 is empty. The editor stores an
// empty preset as 00 x 8 then FF x 8; Clear writes 00 x 16.

#include "image/image.h"
#include "image/record.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <span>

namespace vx::fm {

inline constexpr int kPresets = 16;
inline constexpr int kNameLength = 6;
// The receiver's band, MHz, both ends included.
inline constexpr double kLowMHz = 87.0;
inline constexpr double kHighMHz = 108.0;

struct PresetOffsets {
    static constexpr field::Digits8 frequency{0};
    static constexpr int name = 8;  // bytes 8..15
    static constexpr int nameBytes = 8;
};

constexpr bool valid_preset(int p) { return p >= 1 && p <= kPresets; }
constexpr int preset_row(int p) { return region::fmPresets.first + p - 1; }

// What the grid shows for one preset: both blank for an empty preset.
struct PresetTexts {
    QString frequency;
    QString name;
    bool operator==(const PresetTexts&) const = default;
};

bool is_empty(const Image& image, int p);
PresetTexts decode_preset(const Image& image, int p);

// The name bytes 8..15 as text, each byte a character of the ANSI code page
// (Windows-1252, as the channel names): spaces, 00, FF and bytes without a
// printable character are left out.
QString decode_name(std::span<const uint8_t> bytes);

// First byte of a name of `length` characters (1..6).
int name_start(int length);

// The bytes a name is stored as: its characters that have a printable code
// in the ANSI code page (space included), at most six; others are dropped.
QByteArray name_codes(QStringView name);

// Writes preset p from its two cell texts: a blank frequency empties the
// preset (00 x 8, FF x 8); otherwise the frequency's digits and the name,
// placed by length.
void encode_preset(Image& image, int p, QStringView frequency, QStringView name);

// A frequency cell left with `frequency`: only bytes 0..7 change, so the
// name's bytes stay as they are, wherever they were placed. A blank
// frequency empties the preset; a preset that was empty gets FF name bytes.
void set_frequency(Image& image, int p, QStringView frequency);

// Clear: every preset row all 00.
void clear_presets(Image& image);
// Default: the nine factory presets; 3, 5, 7, 9, 11, 13 and 15 empty.
void load_factory_presets(Image& image);

// Leaving a frequency cell. In the band when 87 <= value <= 108 (the value is
// the number the text starts with).
bool in_band(QStringView typed);
// The cell text of an accepted frequency: its value cut to 10 Hz, with five
// decimals ("88.9" -> "88.90000", "108" -> "108.00000"). No raster.
QString frequency_entry(QStringView typed);
// The frequency put in place of one out of the band: 87.00000.
QString lowest_frequency();

// Leaving a name cell: the text trimmed, cut to six characters, upper case.
QString name_entry(QStringView typed);
// True when the trimmed text is longer than six characters.
bool name_too_long(QStringView typed);

}  // namespace vx::fm
