#include "image/codecs.h"

#include "image/typed_values.h"

#include "image/tones.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

// A decimal number read from the start of a text, as an exact value:
// negative, integer digits and fraction digits (as typed).
struct Decimal {
    bool negative = false;
    QString intDigits;
    QString fracDigits;
};

Decimal read_decimal(QStringView text)
{
    Decimal d;
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        d.negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            (point ? d.fracDigits : d.intDigits).append(c);
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    return d;
}

// value x 10^scale, truncated toward zero, saturated at `limit`.
int64_t scaled(const Decimal& d, int scale, int64_t limit)
{
    int64_t v = 0;
    auto push = [&](int digit) {
        if (v > (limit - digit) / 10) {
            v = limit;
            return false;
        }
        v = v * 10 + digit;
        return true;
    };
    for (QChar c : d.intDigits)
        if (!push(c.digitValue()))
            return d.negative ? -limit : limit;
    for (int k = 0; k < scale; ++k) {
        const int digit = k < d.fracDigits.size() ? d.fracDigits[k].digitValue() : 0;
        if (!push(digit))
            return d.negative ? -limit : limit;
    }
    return d.negative ? -v : v;
}

int64_t floor_div(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

}  // namespace

double number_value(QStringView text)
{
    const Decimal d = read_decimal(text);
    const QString s = (d.negative ? QStringLiteral("-") : QString()) + (d.intDigits.isEmpty() ? QStringLiteral("0") : d.intDigits)
                      + QLatin1Char('.') + d.fracDigits + QLatin1Char('0');
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : 0.0;
}

QString frequency_text(Units10Hz units)
{
    const bool negative = units < 0;
    const Units10Hz a = negative ? -units : units;
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(a / kUnitsPerMHz)
        .arg(a % kUnitsPerMHz, 5, 10, QLatin1Char('0'));
}

QString frequency_text_mhz(double mhz) { return frequency_text(Units10Hz(std::llround(mhz * kUnitsPerMHz))); }

Units10Hz frequency_units(QStringView text)
{
    const Decimal d = read_decimal(text);
    if (d.negative)
        return 0;
    return std::min(scaled(d, 5, kMaxUnits + 1), kMaxUnits);
}

Units10Hz snap_to_raster(QStringView text)
{
    // Work in millihertz so that the 1 Hz allowance and the truncation of the
    // remainders to 10 Hz are exact.
    const Decimal d = read_decimal(text);
    if (d.negative)
        return 0;
    constexpr int64_t kMilliHzPerUnit = 10'000;  // 10 Hz
    constexpr int64_t kLimit = (kMaxUnits + 1) * kMilliHzPerUnit;
    const int64_t f = std::min(scaled(d, 9, kLimit), kLimit);

    const int64_t k25 = floor_div(f + 1'000, 2'500'000);
    const int64_t rem25 = floor_div(f - 2'500'000 * k25, kMilliHzPerUnit);
    const int64_t k625 = floor_div(f + 1'000, 6'250'000);
    const int64_t rem625 = floor_div(f - 6'250'000 * k625, kMilliHzPerUnit);
    const Units10Hz snapped = rem625 >= rem25 ? k25 * 250 : k625 * 625;
    return std::clamp<Units10Hz>(snapped, 0, kMaxUnits);
}

std::array<uint8_t, 4> packed_from_units(Units10Hz units)
{
    units = std::clamp<Units10Hz>(units, 0, kMaxUnits);
    std::array<uint8_t, 4> out{};
    for (int i = 0; i < 4; ++i) {
        const int lo = int(units % 10);
        units /= 10;
        const int hi = int(units % 10);
        units /= 10;
        out[i] = uint8_t(hi << 4 | lo);
    }
    return out;
}

Units10Hz packed_units(std::span<const uint8_t, 4> bytes)
{
    // Nibbles above 9 keep their numeric value in their place.
    Units10Hz units = 0;
    for (int i = 3; i >= 0; --i)
        units = units * 100 + (bytes[i] >> 4) * 10 + (bytes[i] & 0x0F);
    return units;
}

QString decode_packed(std::span<const uint8_t, 4> bytes) { return frequency_text(packed_units(bytes)); }

std::array<uint8_t, 4> encode_packed(QStringView text) { return packed_from_units(snap_to_raster(text)); }

QString decode_digits(std::span<const uint8_t, 8> bytes)
{
    Units10Hz units = 0;
    for (uint8_t b : bytes)
        units = units * 10 + b;
    return frequency_text(units);
}

std::array<uint8_t, 8> encode_digits(QStringView text)
{
    Units10Hz units = frequency_units(text);
    std::array<uint8_t, 8> out{};
    for (int i = 7; i >= 0; --i) {
        out[i] = uint8_t(units % 10);
        units /= 10;
    }
    return out;
}

ToneValue tone_value(TonePair p)
{
    if ((p.low == 0 && p.high == 0) || (p.low == 0xFF && p.high == 0xFF))
        return {};
    if (p.high >= 0x01 && p.high <= 0x7F)
        return {ToneValue::Ctcss, 256 * p.high + p.low, 0};
    if (p.high == 0 && p.low >= 1 && p.low <= 210)
        return {ToneValue::Dcs, 0, p.low + 50};
    return {ToneValue::Other, 0, 0};
}

QString tenths_text(int tenths) { return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10); }

QString decode_tone(uint8_t low, uint8_t high)
{
    const ToneValue t = tone_value({low, high});
    switch (t.kind) {
    case ToneValue::Off: return QStringLiteral("OFF");
    case ToneValue::Ctcss: return tenths_text(t.tenths);
    case ToneValue::Dcs: return tones::label(t.index).trimmed();
    case ToneValue::Other: break;
    }
    return QString();
}

TonePair encode_tone_index(int index)
{
    switch (tones::kind(index)) {
    case tones::Kind::Ctcss: {
        const uint16_t c = tones::code(index);
        return encode_ctcss(c);
    }
    case tones::Kind::DcsNormal:
    case tones::Kind::DcsInverted: return {uint8_t(index - 50), 0};
    case tones::Kind::None: break;
    }
    return {0, 0};
}

TonePair encode_tone_value(double hz)
{
    // Nearest tenth of a hertz, halves to even.
    const double tenths = std::nearbyint(hz * 10.0);
    const int code = std::isfinite(tenths) ? int(std::clamp(tenths, 0.0, 65535.0)) : 0;
    return encode_ctcss(code);
}

namespace {

// Windows-1252 characters of 0x80..0x9F; 0 where the code page has none.
constexpr char16_t kAnsi80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98..9F
};

}  // namespace

char16_t ansi_char(uint8_t b) { return b >= 0x80 && b <= 0x9F ? kAnsi80[b - 0x80] : char16_t(b); }

int ansi_code(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kAnsi80[i] != 0 && kAnsi80[i] == c)
            return 0x80 + i;
    return -1;
}

}  // namespace vx
