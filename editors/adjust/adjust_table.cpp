#include "editors/adjust/adjust_table.h"

#include <algorithm>
#include <cmath>

namespace vx::adjust {

namespace {

Table makeDefaultTable()
{
    static constexpr uint8_t kRowsDefault[10][kBytes] = {
        {12, 13, 13, 13, 13, 13, 14, 15, 15, 15, 15, 15, 15, 15, 15, 15},
        {12, 12, 13, 13, 13, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
        {6, 5, 5, 5, 5, 5, 6, 6, 7, 6, 6, 6, 7, 7, 7, 7},
        {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
        {38, 26, 27, 28, 29, 30, 32, 35, 38, 40, 48, 48, 48, 48, 48, 48},
        {0, 0, 0, 1, 2, 3, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0},
        {38, 20, 21, 22, 23, 24, 28, 30, 33, 35, 37, 41, 41, 41, 41, 41},
        {5, 4, 4, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {60, 21, 16, 9, 15, 15, 15, 12, 12, 2, 2, 128, 50, 0, 0, 0},
        {1, 3, 0, 1, 7, 9, 4, 0, 0, 4, 8, 0, 0, 0, 0, 0},
    };
    Table t;  // rows 10..15 all 0
    for (int r = 0; r < 10; ++r)
        for (int b = 0; b < kBytes; ++b)
            t.set(r, b, kRowsDefault[r][b]);
    return t;
}

}  // namespace

const Table& default_table()
{
    static const Table t = makeDefaultTable();
    return t;
}

void load_defaults(Table& t) { t = default_table(); }

RowSink into_table(Table& t)
{
    return [&t](int row, std::span<const uint8_t, Image::kRowBytes> bytes) {
        if (row >= 0 && row < kRows)
            t.ref().write(Table::offset(row, 0), bytes);
    };
}

RowSource from_table(const Table& t)
{
    return [&t](int row) { return t.row(row); };
}

// ---------------------------------------------------------------- number boxes

NumberBox power_box(int page, bool bandB, int k) { return {2 * page + (bandB ? 1 : 0), k, 15}; }
NumberBox level_box(bool bandB, int level) { return {bandB ? SquelchB : SquelchA, level, 100}; }
NumberBox offset_box(bool bandB, int k) { return {bandB ? SquelchOffsetB : SquelchOffsetA, k, 10}; }

NumberCheck store_number(Table& t, NumberBox box, QStringView text)
{
    const QStringView digits = text.trimmed();
    int value = 0;
    bool over = false;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return NumberCheck::NotDigit;
        value = value * 10 + (c.unicode() - '0');
        if (value > box.max) {
            over = true;
            value = box.max;  // keeps the sum small however long the text
        }
    }
    if (over)
        return NumberCheck::OutOfRange;
    t.set(box.row, box.byte, uint8_t(value));
    return NumberCheck::Stored;
}

// ---------------------------------------------------------------- range limits

int range_limit(const Table& t, int i) { return range_digits(i).get(t.view()); }

void store_range_limits(Table& t, const std::array<double, 4>& limits)
{
    for (int i = 0; i < 4; ++i) {
        const double v = limits[size_t(i)];
        range_digits(i).put(t.ref(), std::isfinite(v) ? int(std::clamp(std::trunc(v), 0.0, 25599.0)) : 0);
    }
}

RangeCheck check_lower(int band, double lower, double upper)
{
    if (lower < kRangeBands[band & 1].low)
        return RangeCheck::LowerBelowBand;
    if (upper < lower)
        return RangeCheck::LowerAboveUpper;
    return RangeCheck::Ok;
}

RangeCheck check_upper(int band, double lower, double upper)
{
    if (upper > kRangeBands[band & 1].high)
        return RangeCheck::UpperAboveBand;
    if (lower > upper)
        return RangeCheck::UpperBelowLower;
    return RangeCheck::Ok;
}

}  // namespace vx::adjust
