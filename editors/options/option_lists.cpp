#include "editors/options/option_lists.h"

#include "editors/options/option_codec.h"
#include "image/tones.h"

namespace vx::options {

const QStringList& offset_labels()
{
    static const QStringList labels = [] {
        QStringList out;
        out.reserve(kOffsetCount);
        for (int i = 0; i < kOffsetCount; ++i)
            out << offset_label(i);
        return out;
    }();
    return labels;
}

QStringList vfo_tone_entries(bool inChinese)
{
    static const QStringList tail = [] {
        QStringList out;
        for (int i = 1; i < tones::kCount; ++i)
            out << tones::label(i).trimmed();
        return out;
    }();
    return QStringList{lists::toneOff.in(inChinese)} + tail;
}

const QStringList& channel_entries()
{
    static const QStringList entries = lists::channel.entries(false);
    return entries;
}

void build_option_constants()
{
    offset_labels();
    vfo_tone_entries(false);
    channel_entries();
}

}  // namespace vx::options
