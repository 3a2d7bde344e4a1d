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
