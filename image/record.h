#pragma once
// Typed record views: a run of image rows (or a run of bytes of its own, such
// as a working copy or a table) read as one byte array, and the field types a
// record layout is written in, so a layout reads as a table of
// {name, offset, type}:
//
//   // One VFO: rows 240..241 (A) or 242..243 (B).
//   struct VfoOffsets {
//       static constexpr field::Digits8 frequency{0};
//       static constexpr field::Tone16le rxTone{16};  // second row, bytes 0-1
//       static constexpr field::List8 step{27, 6};    // "2.50 KHZ" .. "25.00 KHZ"
//   };
//   const QString text = VfoOffsets::frequency.get(RecordView(image, 240, 2));
//
// Byte k of a run that starts at image row `first`:
//
//   k      | 0..15       | 16..31          | ... | 16n-16..16n-1
//   image  | first, 0-15 | first + 1, 0-15 | ... | first + n - 1, 0-15
//
// Field types (offsets are run bytes):
//
//   type       | bytes | coding
//   U8         | 1     | the byte itself
//   Word16le   | 2     | a 16-bit word, low byte first
//   List8      | 1     | list position; a value past the end reads as the last entry
//   Bits       | 1     | bits shift..shift+width-1; a write keeps the other bits
//   Flag       | 1     | one bit; a write keeps the other bits
//   NonZero8   | 1     | any non-zero value is on; on is written 1, off 0
//   Bcd8le     | 4     | packed BCD frequency, LSB first; first byte FF: none
//   DigitBytes | N     | a number, one decimal digit a byte, most significant first
//   Digits8    | 8     | digit-string frequency, one digit a byte, 100 MHz first
//   Tone16le   | 2     | tone field, low byte first
//   DtmfDigit  | 1     | one DTMF digit code
//   DtmfString | N     | DTMF digit codes, one a byte, unused bytes FF
//   Ascii      | N     | characters, one a byte, FF where there is none;
//              |       | FF in the first byte: no text
//
// Decoding reads through a RecordView (over a const image), encoding writes
// through a RecordRef. An offset outside the run is a programming error: it
// asserts in debug builds; otherwise it reads FF and writes nothing, so
// neither ever reaches past the image.

#include "image/codecs.h"
#include "image/image.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace vx {

// Bytes a defaults table lays from `offset` on, at most one row's worth.
struct RecordDefault {
    int offset;
    std::array<uint8_t, Image::kRowBytes> bytes{};
    int count = 0;
    constexpr RecordDefault(int at, std::initializer_list<uint8_t> run)
        : offset(at), count(int(std::min<size_t>(run.size(), Image::kRowBytes)))
    {
        assert(run.size() <= Image::kRowBytes);
        std::copy_n(run.begin(), count, bytes.begin());
    }
};

class RecordView {
public:
    // A run of bytes of its own (a working copy, a table).
    explicit RecordView(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    // Rows first..first + rows - 1 of an image; a run that leaves the image
    // is a programming error, and is cut at the image's end.
    RecordView(const Image& image, int first, int rows = 1)
        : bytes_(rowSpan(std::span<const uint8_t, Image::kSize>(image.bytes()), first, rows))
    {
    }
    RecordView(const Image& image, region::Rows rows) : RecordView(image, rows.first, rows.count()) {}

    int size() const { return int(bytes_.size()); }
    bool contains(int offset, int count = 1) const { return offset >= 0 && count >= 0 && offset <= size() - count; }

    uint8_t u8(int offset) const;
    uint16_t u16le(int offset) const { return uint16_t(u8(offset) | u8(offset + 1) << 8); }
    template <size_t N>
    std::array<uint8_t, N> bytes(int offset) const
    {
        std::array<uint8_t, N> out;
        for (size_t i = 0; i < N; ++i)
            out[i] = u8(offset + int(i));
        return out;
    }

protected:
    bool check(int offset, int count) const;

    // The bytes of rows first..first + rows - 1 of an image's bytes.
    template <class Byte>
    static std::span<Byte> rowSpan(std::span<Byte, Image::kSize> image, int first, int rows)
    {
        assert(Image::validRow(first) && rows >= 0 && first + rows <= Image::kRows);
        if (!Image::validRow(first))
            return {};
        const int n = std::clamp(rows, 0, Image::kRows - first);
        return image.subspan(size_t(first) * Image::kRowBytes, size_t(n) * Image::kRowBytes);
    }

    std::span<const uint8_t> bytes_;
};

// Writes go straight to the bytes viewed; like a span, a const RecordRef
// still writes.
class RecordRef : public RecordView {
public:
    explicit RecordRef(std::span<uint8_t> bytes) : RecordView(bytes), out_(bytes) {}
    RecordRef(Image& image, int first, int rows = 1)
        : RecordRef(rowSpan(std::span<uint8_t, Image::kSize>(image.bytes()), first, rows))
    {
    }
    RecordRef(Image& image, region::Rows rows) : RecordRef(image, rows.first, rows.count()) {}

    void setU8(int offset, uint8_t value) const;
    void setU16le(int offset, uint16_t value) const;
    void write(int offset, std::span<const uint8_t> bytes) const;
    void fill(int offset, int count, uint8_t value) const;
    void lay(std::span<const RecordDefault> defaults) const;

private:
    std::span<uint8_t> out_;
};

// Byte offset of image row `row`, byte `byte`, in a run that starts at
// region `run`'s first row: how a layout names a byte by its image row.
constexpr int runOffset(region::Rows run, int row, int byte = 0) { return (row - run.first) * Image::kRowBytes + byte; }

namespace field {

struct U8 {
    int offset;
    uint8_t get(RecordView r) const { return r.u8(offset); }
    void put(RecordRef r, uint8_t value) const { r.setU8(offset, value); }
};

struct Word16le {
    int offset;
    int get(RecordView r) const { return r.u16le(offset); }
    void put(RecordRef r, int value) const { r.setU16le(offset, uint16_t(value)); }
};

// A position in a list of `count` entries. A position outside the list is
// not written.
struct List8 {
    int offset;
    int count;
    int get(RecordView r) const { return std::min(int(r.u8(offset)), std::max(count, 1) - 1); }
    void put(RecordRef r, int position) const
    {
        if (position >= 0 && position < count && position <= 0xFF)
            r.setU8(offset, uint8_t(position));
    }
};

struct Bits {
    int offset;
    int shift;
    int width;
    constexpr uint8_t mask() const { return uint8_t(((1u << width) - 1u) << shift); }
    int get(RecordView r) const { return (r.u8(offset) & mask()) >> shift; }
    void put(RecordRef r, int value) const { r.setU8(offset, uint8_t((r.u8(offset) & ~mask()) | ((value << shift) & mask()))); }
};

struct Flag {
    int offset;
    int bit;
    constexpr uint8_t mask() const { return uint8_t(1u << bit); }
    bool get(RecordView r) const { return r.u8(offset) & mask(); }
    void put(RecordRef r, bool on) const { r.setU8(offset, uint8_t(on ? r.u8(offset) | mask() : r.u8(offset) & ~mask())); }
};

struct NonZero8 {
    int offset;
    bool get(RecordView r) const { return r.u8(offset) != 0; }
    void put(RecordRef r, bool on) const { r.setU8(offset, on ? 1 : 0); }
};

struct Bcd8le {
    int offset;
    bool none(RecordView r) const { return r.u8(offset) == 0xFF; }
    QString get(RecordView r) const { return decode_packed(r.bytes<4>(offset)); }
    // In 10 Hz units, at most 999.99999 MHz (nibbles above 9 count as
    // their value in their place).
    Units10Hz units(RecordView r) const { return std::min(packed_units(r.bytes<4>(offset)), kMaxUnits); }
    void put(RecordRef r, QStringView text) const { r.write(offset, encode_packed(text)); }
    void clear(RecordRef r) const { r.fill(offset, 4, 0xFF); }
};

// A number kept as decimal digits, one a byte, most significant first; the
// first byte takes what the others cannot hold (three bytes keep 0..25599:
// 256 is 2 5 6, 25599 is 255 9 9). A value out of that range is clamped.
struct DigitBytes {
    int offset;
    int count;
    int get(RecordView r) const;
    void put(RecordRef r, int value) const;
};

struct Digits8 {
    int offset;
    QString get(RecordView r) const { return decode_digits(r.bytes<8>(offset)); }
    void put(RecordRef r, QStringView text) const { r.write(offset, encode_digits(text)); }
};

struct Tone16le {
    int offset;
    TonePair pair(RecordView r) const { return {r.u8(offset), r.u8(offset + 1)}; }
    ToneValue value(RecordView r) const { return tone_value(pair(r)); }
    QString get(RecordView r) const { return decode_tone(r.u8(offset), r.u8(offset + 1)); }
    void put(RecordRef r, TonePair p) const { r.write(offset, std::array<uint8_t, 2>{p.low, p.high}); }
    void putIndex(RecordRef r, int index) const { put(r, encode_tone_index(index)); }
    void putValue(RecordRef r, double hz) const { put(r, encode_tone_value(hz)); }
};

struct DtmfDigit {
    int offset;
    QString get(RecordView r) const;   // empty for a code without a character
    void put(RecordRef r, char32_t c) const;
};

// Decoding skips bytes without a character; encoding trims the text and
// stores its first `length` characters, FF after them.
struct DtmfString {
    int offset;
    int length;
    QString get(RecordView r) const;
    void put(RecordRef r, QStringView text) const;
};

constexpr bool printableAscii(char32_t c) { return c >= 0x20 && c <= 0x7E; }

// Characters `keep` accepts are stored as their codes; encoding writes FF for
// any other character and past the text's end, decoding skips bytes `keep`
// rejects.
struct Ascii {
    int offset;
    int length;
    bool (*keep)(char32_t) = printableAscii;
    QString text(std::span<const uint8_t> bytes) const;
    QString get(RecordView r) const;
    void put(RecordRef r, QStringView text) const;
};

}  // namespace field

}  // namespace vx
