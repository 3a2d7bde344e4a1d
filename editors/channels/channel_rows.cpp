#include "editors/channels/channel_rows.h"

#include <array>

namespace vx::channels {

const items::Layout& channel_layout()
{
    static const items::Layout layout{
        .count = kChannels,
        .rows = [](int n) { return std::vector<int>{record_row(n), name_row(n)}; },
        .empty = [](const Image& image, int n) { return is_empty(image, n); },
        .clear =
            [](Image& image, int n) {
                std::array<uint8_t, Image::kRowBytes> erased;
                erased.fill(ChannelOffsets::kEmpty);
                image.setRow(record_row(n), erased);
                image.setRow(name_row(n), erased);
            },
    };
    return layout;
}

std::vector<region::Rows> rows_of(int first, int last) { return items::rows_of(channel_layout(), first, last); }

std::optional<RowRefusal> insert_empty(Image& image, int at) { return items::insert_empty(image, channel_layout(), at); }

std::optional<RowRefusal> remove_channels(Image& image, int first, int last)
{
    return items::remove_items(image, channel_layout(), first, last);
}

std::optional<RowRefusal> clear_channels(Image& image, int first, int last)
{
    return items::clear_items(image, channel_layout(), first, last);
}

std::optional<RowRefusal> move_channels(Image& image, int first, int last, int by)
{
    return items::move_items(image, channel_layout(), first, last, by);
}

items::KeyOf sort_key(SortKey key)
{
    return [key](const Image& image, int n) -> items::SortKey {
        const ChannelTexts t = decode_channel(image, n);
        return key == SortKey::Receive ? items::SortKey{t[ColRx].toDouble(), {}} : items::SortKey{0, t[ColName]};
    };
}

std::optional<RowRefusal> sort_channels(Image& image, int first, int last, SortKey key)
{
    return items::sort_items(image, channel_layout(), first, last, sort_key(key));
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
