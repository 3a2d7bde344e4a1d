#include "editors/options/vfo_codec.h"

#include "image/tones.h"

#include <algorithm>
#include <cmath>

namespace vx::options {

// ---------------------------------------------------------------- VFO

QString decode_vfo_frequency(std::span<const uint8_t, 8> digits)
{
    QString out;
    for (int i = 0; i < 8; ++i) {
        if (i == 3)
            out += QLatin1Char('.');
        if (digits[size_t(i)] < 10)
            out += QLatin1Char(char('0' + digits[size_t(i)]));
    }
    return out;
}

QString vfo_frequency(const Image& image, Vfo v) { return decode_vfo_frequency(vfo_view(image, v).bytes<8>(0)); }

void encode_vfo_frequency(Image& image, Vfo v, QStringView text) { VfoLayout::frequency.put(vfo_ref(image, v), text); }

bool vfo_is_vhf(const Image& image, Vfo v) { return vfo_view(image, v).u8(0) == 1; }

Units10Hz vfo_grid_units(QStringView text)
{
    // Read the number exactly: leading spaces, a sign, digits with one point.
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int64_t mhz = 0;
    int64_t khz = 0;     // the first three decimals
    int64_t below = 0;   // the next six: the part below 1 kHz in millionths of a kHz
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        const int d = c.digitValue();
        if (!point)
            mhz = std::min<int64_t>(mhz * 10 + d, 1000);
        else if (decimals < 3)
            khz = khz * 10 + d, ++decimals;
        else if (decimals < 9)
            below = below * 10 + d, ++decimals;
    }
    if (negative)
        return 0;
    for (; decimals < 3; ++decimals)
        khz *= 10;
    for (; decimals < 9; ++decimals)
        below *= 10;
    // The nearest of 0, 250, 500, 750 and 1000 Hz; digits past the ninth
    // decimal never move a value across a tie, which goes up.
    const int64_t quarter = (below + 125'000) / 250'000;
    const Units10Hz units = mhz * kUnitsPerMHz + khz * 100 + quarter * 25;
    return std::clamp<Units10Hz>(units, 0, kMaxUnits);
}

QString normalised_vfo_frequency(QStringView text) { return frequency_text(vfo_grid_units(text)); }

QString offset_label(int position)
{
    const int khz = std::clamp(position, 0, kOffsetCount - 1) * 50;
    return QStringLiteral("%1.%2MHZ").arg(khz / 1000, 2, 10, QLatin1Char('0')).arg(khz % 1000, 3, 10, QLatin1Char('0'));
}

int decode_offset(std::span<const uint8_t, 6> bytes)
{
    // At most six three-digit texts: 18 digits fit.
    uint64_t n = 0;
    for (uint8_t b : bytes)
        n = n * (b >= 100 ? 1000 : b >= 10 ? 100 : 10) + b;
    uint64_t q = n / 50;
    const uint64_t r = n % 50;
    if (r > 25 || (r == 25 && q % 2 == 1))
        ++q;
    return int(std::min<uint64_t>(q, kOffsetCount - 1));
}

int vfo_offset(const Image& image, Vfo v) { return decode_offset(vfo_view(image, v).bytes<6>(VfoLayout::offsetDigits)); }

void encode_offset(Image& image, Vfo v, QStringView label)
{
    std::array<uint8_t, 6> bytes{};
    constexpr int kFrom[] = {0, 1, 3, 4, 5};  // characters 1, 2, 4, 5, 6
    for (int i = 0; i < 5; ++i) {
        const int d = kFrom[i] < label.size() ? label[kFrom[i]].digitValue() : 0;
        bytes[size_t(i + 1)] = uint8_t(std::max(d, 0));
    }
    vfo_ref(image, v).write(VfoLayout::offsetDigits, bytes);
}

VfoTone decode_vfo_tone(uint8_t low, uint8_t high)
{
    if (low == 0xFF || high == 0xFF)
        return {0, {}};
    const ToneValue t = tone_value({low, high});
    switch (t.kind) {
    case ToneValue::Off: return {0, {}};
    case ToneValue::Dcs: return {t.index, {}};
    case ToneValue::Ctcss:
        if (const auto index = tones::index_of(tenths_text(t.tenths)); index && tones::kind(*index) == tones::Kind::Ctcss)
            return {*index, {}};
        return {-1, tenths_text(t.tenths)};
    case ToneValue::Other: break;
    }
    // No list entry: the stored bytes as they are.
    if (high != 0)
        return {-1, tenths_text(256 * high + low)};
    return {-1, QStringLiteral("%1 %2").arg(low, 2, 16, QLatin1Char('0')).arg(high, 2, 16, QLatin1Char('0')).toUpper()};
}

// ---------------------------------------------------------------- VFO entry

VfoLimits vfo_limits(bool vhf, const BandLimits& l) { return vhf ? VfoLimits{l.aLow, l.aHigh} : VfoLimits{l.bLow, l.bHigh}; }

namespace {
QString whole(double mhz) { return QString::number(int64_t(std::floor(mhz))); }
}  // namespace

VfoEntry vfo_frequency_entry(QStringView typed, VfoLimits limits)
{
    VfoEntry e{typed.toString()};
    const double f = number_value(typed);
    if (f < limits.lower) {
        e = {whole(limits.lower) + QStringLiteral(".02500"), true};
    } else if (f > limits.upper) {
        e = {whole(limits.upper - 1) + QStringLiteral(".62500"), true};
    }
    e.text = normalised_vfo_frequency(e.text);
    return e;
}

QString vfo_band_text(QStringView text, VfoLimits limits)
{
    const double w = std::trunc(number_value(text));
    if (w < limits.lower || w >= limits.upper)
        return whole(limits.lower) + QStringLiteral(".02500");
    return text.toString();
}

}  // namespace vx::options
