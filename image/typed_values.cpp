#include "image/typed_values.h"

#include "image/tones.h"

#include <algorithm>
#include <cmath>

namespace vx {

std::optional<int64_t> read_decimal_millionths(QStringView in, bool decimalComma)
{
    QString text = in.trimmed().toString();
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QStringView all(text);
    const QStringView whole = dot < 0 ? all : all.left(dot);
    QStringView frac = dot < 0 ? QStringView() : all.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 4 || frac.size() > 12)
        return std::nullopt;
    const auto digits = [](QStringView s) { return std::ranges::all_of(s, [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }); };
    if (!digits(whole) || !digits(frac))
        return std::nullopt;
    while (frac.size() > 6) {
        if (frac.back() != QLatin1Char('0'))
            return std::nullopt;  // finer than a millionth
        frac.chop(1);
    }
    int64_t v = whole.toLongLong() * 1'000'000;
    int64_t scale = 100'000;
    for (QChar c : frac) {
        v += (c.unicode() - '0') * scale;
        scale /= 10;
    }
    return v;
}

bool on_raster_hz(int64_t hz)
{
    constexpr int64_t kHzPerUnit = 10;
    return hz >= 0 && hz % kHzPerUnit == 0 && snap_to_raster(frequency_text(hz / kHzPerUnit)) == hz / kHzPerUnit;
}

std::optional<int> read_ctcss_tenths(QStringView text, Acceptance how, bool decimalComma)
{
    if (how == Acceptance::Snap) {
        const double hz = number_value(text);
        if (!ctcss_in_range(hz))
            return std::nullopt;
        return int(std::nearbyint(hz * 10.0));  // halves to even, as encode_tone_value
    }
    const auto m = read_decimal_millionths(text, decimalComma);
    if (!m || *m % 100'000 != 0)
        return std::nullopt;
    const int tenths = int(*m / 100'000);
    if (!ctcss_in_range(tenths / 10.0))
        return std::nullopt;
    return tenths;
}

std::optional<ToneReading> read_tone(QStringView typed, Acceptance how)
{
    const QString text = typed.trimmed().toString();
    const auto listed = [&]() -> std::optional<ToneReading> {
        if (const auto index = tones::index_of(text))
            return ToneReading{encode_tone_index(*index), tones::label(*index)};
        return std::nullopt;
    };
    if (how == Acceptance::Refuse)
        if (const auto l = listed())
            return l;
    if (how == Acceptance::Snap) {
        // The cell shows the number as typed, to the tenth stored.
        const double hz = number_value(text);
        if (ctcss_in_range(hz)) {
            QString shown = QString::number(hz, 'g', 15);
            if (!shown.contains(QLatin1Char('.')))
                shown += QStringLiteral(".0");
            return ToneReading{encode_tone_value(hz), shown};
        }
        return listed();
    }
    if (const auto tenths = read_ctcss_tenths(text, how))
        return ToneReading{encode_ctcss(*tenths), tenths_text(*tenths)};
    return std::nullopt;
}

std::optional<int> read_dcs(QStringView code, QChar polarity)
{
    const bool digits = !code.isEmpty() && code.size() <= 3
                        && std::ranges::all_of(code, [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('7'); });
    if (!digits)
        return std::nullopt;
    const auto normal = tones::index_of(QStringLiteral("D%1N").arg(code.toInt(), 3, 10, QLatin1Char('0')));
    if (!normal)
        return std::nullopt;
    const QChar p = polarity.toUpper();
    if (p == QLatin1Char('N'))
        return normal;
    if (p == QLatin1Char('R') || p == QLatin1Char('I'))
        return *normal - tones::kFirstDcsNormal + tones::kFirstDcsInverted;
    return std::nullopt;
}

}  // namespace vx
