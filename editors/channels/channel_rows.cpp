#include "editors/channels/channel_rows.h"

#include <algorithm>
#include <array>

namespace vx::channels {

namespace {

// One channel's two rows.
struct Channel {
    std::array<uint8_t, Image::kRowBytes> record;
    std::array<uint8_t, Image::kRowBytes> name;
};

Channel take(const Image& image, int n)
{
    Channel c;
    std::ranges::copy(image.row(record_row(n)), c.record.begin());
    std::ranges::copy(image.row(name_row(n)), c.name.begin());
    return c;
}

void put(Image& image, int n, const Channel& c)
{
    image.setRow(record_row(n), c.record);
    image.setRow(name_row(n), c.name);
}

Channel emptyChannel()
{
    Channel c;
    c.record.fill(ChannelOffsets::kEmpty);
    c.name.fill(ChannelOffsets::kEmpty);
    return c;
}

bool inRange(int first, int last) { return valid_channel(first) && valid_channel(last) && first <= last; }

}  // namespace

std::vector<region::Rows> rows_of(int first, int last)
{
    return {{record_row(first), record_row(last)}, {name_row(first), name_row(last)}};
}

std::optional<RowRefusal> insert_empty(Image& image, int at)
{
    if (!valid_channel(at))
        return RowRefusal::PastEnd;
    if (!is_empty(image, kChannels - 1))
        return RowRefusal::Full;
    for (int n = kChannels - 1; n > at; --n)
        put(image, n, take(image, n - 1));
    put(image, at, emptyChannel());
    return std::nullopt;
}

std::optional<RowRefusal> remove_channels(Image& image, int first, int last)
{
    if (!inRange(first, last))
        return RowRefusal::PastEnd;
    const int count = last - first + 1;
    for (int n = first; n < kChannels; ++n)
        put(image, n, n + count < kChannels ? take(image, n + count) : emptyChannel());
    return std::nullopt;
}

std::optional<RowRefusal> clear_channels(Image& image, int first, int last)
{
    if (!inRange(first, last))
        return RowRefusal::PastEnd;
    for (int n = first; n <= last; ++n)
        put(image, n, emptyChannel());
    return std::nullopt;
}

std::optional<RowRefusal> move_channels(Image& image, int first, int last, int by)
{
    if (!inRange(first, last) || !inRange(first + by, last + by))
        return RowRefusal::PastEnd;
    // The span the move touches, rotated: the block and the channels it passes.
    const int lo = std::min(first, first + by), hi = std::max(last, last + by);
    std::vector<Channel> span;
    for (int n = lo; n <= hi; ++n)
        span.push_back(take(image, n));
    const int count = last - first + 1;
    // Down: the channels passed come first; up: the block does.
    std::ranges::rotate(span, by > 0 ? span.begin() + count : span.end() - count);
    for (int n = lo; n <= hi; ++n)
        put(image, n, span[size_t(n - lo)]);
    return std::nullopt;
}

std::optional<RowRefusal> sort_channels(Image& image, int first, int last, SortKey key)
{
    if (!inRange(first, last))
        return RowRefusal::PastEnd;
    struct Entry {
        bool empty;
        double mhz;
        QString name;
        Channel rows;
    };
    std::vector<Entry> entries;
    for (int n = first; n <= last; ++n) {
        const ChannelTexts t = decode_channel(image, n);
        entries.push_back({is_empty(image, n), t[ColRx].toDouble(), t[ColName], take(image, n)});
    }
    std::ranges::stable_sort(entries, [key](const Entry& a, const Entry& b) {
        if (a.empty != b.empty)
            return !a.empty;
        return key == SortKey::Receive ? a.mhz < b.mhz : a.name < b.name;
    });
    for (int n = first; n <= last; ++n)
        put(image, n, entries[size_t(n - first)].rows);
    return std::nullopt;
}

int find_channel(const Image& image, const QString& text, int after)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return -1;
    for (int i = 1; i <= kChannels; ++i) {
        const int n = ((after + i) % kChannels + kChannels) % kChannels;
        if (is_empty(image, n))
            continue;
        const ChannelTexts c = decode_channel(image, n);
        if (c[ColName].contains(t, Qt::CaseInsensitive) || c[ColRx].startsWith(t) || (!c[ColTx].isEmpty() && c[ColTx].startsWith(t))
            || c[ColDecode].compare(t, Qt::CaseInsensitive) == 0 || c[ColEncode].compare(t, Qt::CaseInsensitive) == 0)
            return n;
    }
    return -1;
}

}  // namespace vx::channels
