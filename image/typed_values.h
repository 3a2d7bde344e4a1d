#pragma once
// The readers of typed values, one a kind of value: a decimal MHz or Hz
// text, a tone text (OFF, a CTCSS tone such as "88.5", a DCS code such as
// "D023N" or "D754I"), a DCS code with its polarity. The windows, the text
// configuration and the channel list import all read through these, each
// saying what it does with a value that cannot be stored as written.

#include "image/codecs.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace vx {

// What a reader does with a value the image cannot hold exactly.
enum class Acceptance {
    Snap,    // as the windows do: the number the text starts with, brought onto what is stored
    Refuse,  // as a file is read: the whole text, taken only when stored exactly
};

// A decimal text in millionths: up to four whole digits, an optional point
// and up to six decimals (more only when zeros), nothing else around it but
// spaces; a comma is the point when `decimalComma`. "145.6" MHz is
// 145'600'000 Hz; "88.5" Hz is 88'500'000 millionths of a hertz.
std::optional<int64_t> read_decimal_millionths(QStringView text, bool decimalComma = false);

// Whether a frequency in hertz is one the channel records hold exactly: a
// whole number of 10 Hz on the 2.5 or 6.25 kHz raster.
bool on_raster_hz(int64_t hz);

// A CTCSS tone as the tone field holds it: tenths of a hertz, low byte first.
constexpr TonePair encode_ctcss(int tenths) { return {uint8_t(tenths % 256), uint8_t(tenths / 256)}; }

// The tone range a typed CTCSS tone lies in: 60.0 to 259.9 Hz.
constexpr bool ctcss_in_range(double hz) { return hz >= 60 && hz <= 259.9; }

// A typed CTCSS tone in tenths of a hertz, read as `how` says: Snap takes
// the number the text starts with to the nearest tenth (halves to even);
// Refuse takes a decimal text of at most one decimal. Outside 60.0-259.9
// Hz: none.
std::optional<int> read_ctcss_tenths(QStringView text, Acceptance how, bool decimalComma = false);

// A tone text as it is stored, and as a cell shows it.
struct ToneReading {
    TonePair pair;
    QString text;
};
// A tone text: Snap (the channel grid) tries a typed CTCSS tone first, then
// an entry of the tone list; Refuse (a file) tries the list first, then a
// CTCSS tone of at most one decimal. None when neither takes it.
std::optional<ToneReading> read_tone(QStringView text, Acceptance how);

// A DCS code of up to three octal digits ("23", "754") with its polarity,
// N normal or R (or I) inverted: its tone list index, or none when the code
// is not one of the list's.
std::optional<int> read_dcs(QStringView code, QChar polarity);

}  // namespace vx
