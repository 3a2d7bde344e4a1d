#include "interchange/csv/channel_csv_reader.h"

#include "editors/channels/channel_codec.h"

#include <QStringDecoder>

#include <algorithm>

namespace vx::channels::csv_parts {

// ------------------------------------------------------------------ columns

std::optional<int> usedColumn(const QString& name)
{
    for (int c = 0; c < kUsed; ++c)
        if (name.compare(QLatin1String(kUsedNames[c]), Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

bool ignoredColumn(const QString& name)
{
    return std::ranges::any_of(kIgnoredNames, [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; });
}

// ---------------------------------------------------------------- frequencies

QString mhzText(Hz hz, int decimals)
{
    QString frac = QString::number(hz % 1'000'000).rightJustified(6, QLatin1Char('0'));
    return QString::number(hz / 1'000'000) + QLatin1Char('.') + frac.left(decimals);
}

std::optional<Hz> parseMhz(QString text, bool decimalComma)
{
    text = text.trimmed();
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
            return std::nullopt;  // finer than a hertz
        frac.chop(1);
    }
    Hz hz = whole.toLongLong() * 1'000'000;
    Hz scale = 100'000;
    for (QChar c : frac) {
        hz += (c.unicode() - '0') * scale;
        scale /= 10;
    }
    return hz;
}

bool onRaster(Hz hz) { return hz % kHzPerUnit == 0 && snap_to_raster(mhzText(hz, 6)) == hz / kHzPerUnit; }

// ------------------------------------------------------------------- reading

// Stateless: a sequence the field ends before finishing is an invalid byte
// too, not one the decoder holds back for more input and then forgets.
QString utf8(const QByteArray& bytes, bool* valid)
{
    if (std::ranges::all_of(bytes, [](char c) { return uchar(c) < 0x80; })) {  // most fields, at once
        if (valid)
            *valid = true;
        return QString::fromLatin1(bytes);
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

QByteArray asUtf8(const QByteArray& raw)
{
    if (raw.startsWith("\xEF\xBB\xBF"))
        return raw.mid(3);
    const bool le = raw.startsWith("\xFF\xFE"), be = raw.startsWith("\xFE\xFF");
    if (!le && !be)
        return raw;
    QStringDecoder decoder(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QString(decoder.decode(QByteArrayView(raw).sliced(2))).toUtf8();
}

char detectSeparator(const QByteArray& data)
{
    char best = ',';
    int bestCount = -1;
    for (char sep : {',', ';', '\t'}) {
        Reader reader(data, sep);
        Record r;
        while (reader.next(r) && r.fault == Record::None && r.blank()) {
        }
        int count = 0;
        for (const QByteArray& f : r.fields) {
            const QString name = utf8(f).trimmed();
            count += usedColumn(name) || ignoredColumn(name);
        }
        if (count > bestCount) {
            best = sep;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace vx::channels::csv_parts
