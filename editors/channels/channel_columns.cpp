#include "editors/channels/channel_columns.h"

#include "image/tones.h"

#include <algorithm>
#include <iterator>

namespace vx::channels {

namespace {

QStringList listOf(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromLatin1(t);
    return out;
}

}  // namespace

namespace column_lists {

const QStringList& band()
{
    static const QStringList l{kBandText};
    return l;
}
const QStringList& tones() { return vx::tones::labels(); }
const QStringList& power()
{
    static const QStringList l = listOf({"HIGH", "LOW"});
    return l;
}
const QStringList& bandwidth()
{
    static const QStringList l = listOf({"W", "N"});
    return l;
}
const QStringList& pttId()
{
    static const QStringList l = listOf({"OFF", "BOT", "EOT", "BOTH"});
    return l;
}
const QStringList& offOn()
{
    static const QStringList l = listOf({"OFF", "ON"});
    return l;
}
const QStringList& signalCodes()
{
    static const QStringList l = [] {
        QStringList out;
        for (int i = 1; i <= 15; ++i)
            out << QString::number(i);
        return out;
    }();
    return l;
}
const QStringList& optionalSignal()
{
    static const QStringList l = listOf({"OFF", "DTMF", "2TONE", "5TONE"});
    return l;
}
const QStringList& speakerMute()
{
    static const QStringList l = listOf({"QT", "AND", "OR"});
    return l;
}

}  // namespace column_lists

const ChannelColumn* channel_column(int id)
{
    const auto it = std::ranges::find(kChannelColumns, id, [](const ChannelColumn& c) { return int(c.id); });
    return it == std::end(kChannelColumns) ? nullptr : &*it;
}

QString channel_headings(bool inChinese)
{
    QStringList all;
    for (const ChannelColumn& c : kChannelColumns)
        all << c.heading.in(inChinese);
    return all.join(QLatin1Char('|'));
}

QString channel_heading(bool inChinese, int id)
{
    const ChannelColumn* c = channel_column(id);
    QString h = c ? c->heading.in(inChinese) : QString();
    if (!h.isEmpty() && QStringLiteral("^<>").contains(h[0]))
        h.remove(0, 1);
    return h.simplified();
}

QStringList choices(int column)
{
    const ChannelColumn* c = channel_column(column);
    return c && c->list ? c->list() : QStringList();
}

}  // namespace vx::channels
