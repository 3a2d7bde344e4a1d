#pragma once
// The factory adjustment table: 16 rows of 16 bytes outside the image,
// mirroring radio addresses 0x3C00..0x3CFF (row r at 0x3C00 + 16 r). Each
// radio document holds one (RadioDocument::part); it outlives the
// adjustment editor and is not part of the data file.
//
//   row | content                                        | range
//   0   | transmit power, high, band A, point k at byte k | 0..15
//   1   | transmit power, high, band B                    | 0..15
//   2   | transmit power, low, band A                     | 0..15
//   3   | transmit power, low, band B                     | 0..15
//   4   | squelch levels, band A, level k at byte k (0-9) | 0..100
//   5   | squelch correction, band A, point k             | 0..10
//   6   | squelch levels, band B                          | 0..100
//   7   | squelch correction, band B, point k             | 0..10
//   8   | modulation and volume settings, one a byte      | per setting
//   9   | range limits: A low, A high, B low, B high,     | digits
//       | three digit values each (100, 10, 1 MHz)        |
//   10+ | not edited; carried through reads               |
//
// Points: band A point k at 130 + 4k MHz, band B point k at 400 + 6k MHz.

#include "image/record.h"
#include "link/transfer_plan.h"

#include <QStringView>
#include <array>
#include <cstdint>
#include <iterator>

namespace vx::adjust {

inline constexpr int kRows = 16;
inline constexpr int kBytes = 16;
inline constexpr int kPoints = 16;
inline constexpr uint16_t kBase = 0x3C00;

enum Row : int {
    PowerHighA = 0,
    PowerHighB = 1,
    PowerLowA = 2,
    PowerLowB = 3,
    SquelchA = 4,
    SquelchOffsetA = 5,
    SquelchB = 6,
    SquelchOffsetB = 7,
    Settings = 8,
    Range = 9,
};
// The rows the editor writes to the radio: the squelch rows 4..7.
inline constexpr int kFirstWrittenRow = SquelchA;
inline constexpr int kEndWrittenRow = SquelchOffsetB + 1;
inline constexpr int kSquelchLevels = 10;

constexpr int point_mhz_a(int k) { return 130 + 4 * k; }
constexpr int point_mhz_b(int k) { return 400 + 6 * k; }

using TableRow = std::array<uint8_t, kBytes>;

// The table's 256 bytes, row r at byte 16 r, read and written through the
// same typed views as the image.
class Table {
public:
    RecordView view() const { return RecordView(bytes_); }
    RecordRef ref() { return RecordRef(bytes_); }

    // Out of the table: reads 0, writes nothing.
    uint8_t at(int row, int byte) const { return valid(row, byte) ? bytes_[size_t(offset(row, byte))] : 0; }
    void set(int row, int byte, uint8_t value)
    {
        if (valid(row, byte))
            ref().setU8(offset(row, byte), value);
    }
    TableRow row(int r) const { return r >= 0 && r < kRows ? view().bytes<kBytes>(offset(r, 0)) : TableRow{}; }
    bool operator==(const Table&) const = default;

    static constexpr bool valid(int row, int byte) { return row >= 0 && row < kRows && byte >= 0 && byte < kBytes; }
    static constexpr int offset(int row, int byte) { return row * kBytes + byte; }

private:
    std::array<uint8_t, kRows * kBytes> bytes_{};
};

// The factory table.
const Table& default_table();
// Default: the factory table over every row of `t`.
void load_defaults(Table& t);

// Rows received from the radio go into the table (rows outside it are
// dropped); a write takes its rows from it.
RowSink into_table(Table& t);
RowSource from_table(const Table& t);

// ---------------------------------------------------------------- number boxes

// A number box: the table byte it edits and the largest value it takes.
struct NumberBox {
    int row;
    int byte;
    int max;
};
// The box of power point k, band A (false) or B, on power page 0 or 1.
NumberBox power_box(int page, bool bandB, int k);
NumberBox level_box(bool bandB, int level);
NumberBox offset_box(bool bandB, int k);

enum class NumberCheck { Stored, NotDigit, OutOfRange };
// The value of a box's text, stored when it is all digits (spaces around
// allowed; an empty text is 0) and within 0..max. Otherwise the table is
// left as it was.
NumberCheck store_number(Table& t, NumberBox box, QStringView text);

// ---------------------------------------------------------------- settings

// Row 8: one byte per setting, each a position in the list 0..count-1.
struct Setting {
    const char* control;
    int count;
};
inline constexpr Setting kSettings[] = {
    {"Combo_Voice_Dev", 128}, {"Combo_CT_Dev", 64},     {"Combo_DCS_Dev", 64},   {"Combo_Wide_C", 16},
    {"Combo_Wide_F", 16},     {"Combo_Narror_C", 16},   {"Combo_Narror_F", 16},  {"Combo_Beep_C", 16},
    {"Combo_Beep_F", 16},     {"Combo_VHF_Drive", 16},  {"Combo_UHF_Drive", 16}, {"Combo_TXP_Temp", 256},
    {"Combo_Tone_Dev", 128},
};
inline constexpr int kSettingCount = int(std::size(kSettings));

// ---------------------------------------------------------------- range limits

// Row 9: limit i (0 A low, 1 A high, 2 B low, 3 B high) in bytes 3i..3i+2,
// one decimal digit a byte.
constexpr field::DigitBytes range_digits(int i) { return {Table::offset(Range, 3 * i), 3}; }

struct RangeBand {
    int low;
    int high;
};
// The fixed bands the limits must stay within: A 130..179, B 400..520 MHz.
inline constexpr RangeBand kRangeBands[2] = {{130, 179}, {400, 520}};

int range_limit(const Table& t, int i);
// Stores the four limits, each its whole MHz.
void store_range_limits(Table& t, const std::array<double, 4>& limits);

enum class RangeCheck { Ok, LowerBelowBand, LowerAboveUpper, UpperAboveBand, UpperBelowLower };
// Leaving the lower or the upper box of band `band` (0 A, 1 B).
RangeCheck check_lower(int band, double lower, double upper);
RangeCheck check_upper(int band, double lower, double upper);

}  // namespace vx::adjust
