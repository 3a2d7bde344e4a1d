#pragma once
// Channel records (image rows 0..199) and channel names (rows 256..455).
//
// Record of channel n, image row n:
//
//   byte   | bits | field
//   0..3   |      | receive frequency, packed BCD LSB first; byte 0 = FF: empty
//   4..7   |      | transmit frequency; byte 4 = FF: none
//   8..9   |      | decode tone, 16-bit little endian
//   10..11 |      | encode tone
//   12     | 0-3  | signal code 0..14 ("1".."15")   4-7 kept
//   13     | 0-3  | optional signal                 4-7 speaker mute
//   14     | 0-1  | power (reads LOW only when bits 0-2 are 001)
//          | 2    | kept, except that setting LOW clears it
//          | 3    | kept                            4-7 scrambler
//   15     | 0-1  | PTT-ID   2 scan add   3 busy lock   4-5 kept
//          | 6    | bandwidth (1 = narrow)           7 kept
//
// Name of channel n, image row 256 + n: bytes 0..5 one character each
// ("0".."9", "A".."Z"), left-aligned, FF where there is none; bytes 6..15 FF.
//
// Every function takes the image and a channel number; a number outside
// 0..199 does nothing (and decodes to blank texts).

#include "image/image.h"
#include "image/record.h"
#include "image/tables.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vx::channels {

inline constexpr int kChannels = 200;
inline constexpr int kNameLength = 6;

constexpr bool valid_channel(int n) { return n >= 0 && n < kChannels; }
constexpr int record_row(int n) { return region::channels.first + n; }
constexpr int name_row(int n) { return region::names.first + n; }

using Bits = field::Bits;  // a bit field within one byte of a record

// One channel record: image row n, 16 bytes.
struct ChannelOffsets {
    static constexpr field::Bcd8le rxFreq{0};  // byte 0 = FF: channel empty
    static constexpr field::Bcd8le txFreq{4};  // byte 4 = FF: no transmit frequency
    static constexpr field::Tone16le decodeTone{8};
    static constexpr field::Tone16le encodeTone{10};
    static constexpr Bits signalCode{12, 0, 4};
    static constexpr Bits optionalSignal{13, 0, 4};
    static constexpr Bits speakerMute{13, 4, 4};
    // Power is stored in bits 0-1 (0 HIGH, 1 LOW) but reads LOW only when
    // bits 0-2 are 001, so bit 2 decides too. Written only by set_power: the
    // power the byte already reads changes nothing (a file's own export
    // imports back byte for byte); LOW stores 001 in bits 0-2, clearing bit 2
    // where it was set, so that it reads LOW; HIGH where the byte reads LOW
    // stores 0 in bits 0-1. Bits 3-7 are always kept.
    static constexpr Bits power{14, 0, 2};
    static constexpr Bits powerRead{14, 0, 3};  // LOW only when these read 1
    static constexpr Bits powerBit2{14, 2, 1};
    static constexpr Bits scrambler{14, 4, 4};
    static constexpr Bits pttId{15, 0, 2};
    static constexpr Bits scanAdd{15, 2, 1};
    static constexpr Bits busyLock{15, 3, 1};
    static constexpr Bits bandwidth{15, 6, 1};
    static constexpr uint8_t kEmpty = 0xFF;  // byte 0 (receive) or 4 (transmit)
};

constexpr bool digit_or_capital(char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z'); }

// One name: image row 256 + n.
struct NameOffsets {
    static constexpr field::Ascii name{0, kNameLength, digit_or_capital};
};

// Grid columns of one channel.
enum Column : int {
    ColNumber = 0,
    ColBand,
    ColRx,
    ColTx,
    ColDecode,
    ColEncode,
    ColPower,
    ColBandwidth,
    ColPttId,
    ColBusyLock,
    ColScanAdd,
    ColSignalCode,
    ColOptionalSignal,
    ColSpeakerMute,
    ColScrambler,
    ColName,
    kColumns
};

// Texts of columns 0..15; column 0 (the number) is left empty by the codec.
using ChannelTexts = std::array<QString, kColumns>;

inline const QString kBandText = QStringLiteral("VHF/UHF");

// The entries of a column's drop-down list, in order; the stored value of an
// entry is its position. Tone columns give the whole tone list; columns
// without a list give an empty list.
QStringList choices(int column);

bool is_empty(const Image& image, int n);

// Decodes channel n into its grid texts; an empty record (byte 0 FF)
// decodes blank whatever its other bytes hold.
ChannelTexts decode_channel(const Image& image, int n);
// An empty record gets both of its rows rewritten with FF, as the grid does
// after an edit of the channel. Returns whether a byte changed.
bool normalise_channel(Image& image, int n);

// Defaults given to a channel when it first receives a frequency: tones off,
// signal code 1, optional signal off, mute QT, power high, scrambler off,
// PTT-ID off, scan add on, busy lock off, wide; no name. The frequencies are
// left alone.
void new_channel(Image& image, int n);
// The texts of columns 4..15 of a new channel (the others are empty).
ChannelTexts new_channel_texts();
// Record and name rows all FF.
void delete_channel(Image& image, int n);

// Receive frequency; the transmit frequency is set to the same value.
void set_rx(Image& image, int n, QStringView text);
// Receive frequency only; the transmit frequency is kept.
void set_rx_only(Image& image, int n, QStringView text);
// Transmit frequency only.
void set_tx(Image& image, int n, QStringView text);
// No transmit frequency: bytes 4..7 and the encode tone FF.
void remove_tx(Image& image, int n);

enum class Tone { Decode, Encode };
// Tone list entry `index`; a decode tone is copied to the encode tone.
void set_tone(Image& image, int n, Tone which, int index);
// A tone pair as a reader gave it (image/typed_values.h); a decode tone is
// copied to the encode tone.
void set_tone_pair(Image& image, int n, Tone which, TonePair pair);
// A typed CTCSS tone in Hz; a decode tone is copied to the encode tone.
void set_tone_value(Image& image, int n, Tone which, double hz);
// List position p of column 6..14; other bits of the byte are kept (power
// goes through set_power). A position outside the column's list does nothing.
void set_choice(Image& image, int n, int column, int p);
// The power every surface sets (the grid, the CSV import, the text
// configuration): afterwards it reads as set, and a power the channel already
// reads leaves byte 14 as it is. See ChannelOffsets::power.
void set_power(Image& image, int n, bool low);
// Whether channel n's power reads LOW.
bool low_power(const Image& image, int n);

// ---------------------------------------------------------------- typed values
// The rules a typed frequency or tone meets, wherever it is typed (the grid,
// an imported channel list).

// The test Enter applies to a frequency in MHz: between the band A lower and
// the band B upper limit, and not in the gap above band A.
bool in_enter_range(double mhz, const BandLimits& limits);
// The test leaving a cell applies: up to one MHz above band A is accepted.
bool in_leave_range(double mhz, const BandLimits& limits);
// The text Enter leaves in a frequency cell: nine characters from 100 MHz
// up, eight below, zero-padded; a whole number gets its point first, so
// "145" reads 145.00000 and not 145000000.
QString entered_frequency(QStringView typed);
// What replaces an out-of-range frequency: the band A lower limit.
QString lower_limit_text(const BandLimits& limits);
// A typed tone is read by read_tone (image/typed_values.h).

// The name as it is stored: the text trimmed, its first six characters upper
// case; a digit or letter A..Z is stored, any other character leaves FF.
void set_name(Image& image, int n, QStringView text);
// The text set_name stores for `text` before characters are dropped.
QString name_entry(QStringView text);
// Whether set_name keeps every character of `text`: trimmed, at most six
// characters, each a digit or a letter A..Z in either case.
bool storable_name(QStringView text);
// `text` with what the radio cannot show taken out: upper case, every
// character other than a digit or a letter A..Z dropped; not cut to six.
QString showable_name(QStringView text);

// Received-name rule over one name row: blank when byte 0 is FF, else bytes
// 0..5 mapped 0..9 -> digit, 17..37 -> "A".."U", 48..250 -> the character
// of that code in the Windows ANSI code page (Windows-1252), 251 -> "+",
// 253 -> "-", anything else (and the five codes 1252 leaves undefined,
// 81 8D 8F 90 9D) skipped.
QString received_name(std::span<const uint8_t, Image::kRowBytes> row);

struct ReceivedName {
    int channel;
    QString text;
};
// Names carried by one received 64-byte name block read from `address`:
// only blocks within 0x1000..0x2FFF, only channels below 200.
std::vector<ReceivedName> received_names(QByteArrayView block, int address);

// The factory channel set: records 0-199 emptied, channels 0-6 and 199 laid
// down; names are not touched.
void load_factory_channels(Image& image);

}  // namespace vx::channels
