#include "editors/frame/item_rows.h"

#include <algorithm>
#include <array>

namespace vx::items {

namespace {

using Row = std::array<uint8_t, Image::kRowBytes>;
using Item = std::vector<Row>;

Item take(const Image& image, const Layout& layout, int n)
{
    Item item;
    for (int r : layout.rows(n)) {
        Row row;
        std::ranges::copy(image.row(r), row.begin());
        item.push_back(row);
    }
    return item;
}

void put(Image& image, const Layout& layout, int n, const Item& item)
{
    const std::vector<int> rows = layout.rows(n);
    for (size_t i = 0; i < rows.size() && i < item.size(); ++i)
        image.setRow(rows[i], item[i]);
}

bool inRange(const Layout& layout, int first, int last)
{
    return first >= 0 && last < layout.count && first <= last;
}

}  // namespace

std::vector<region::Rows> rows_of(const Layout& layout, int first, int last)
{
    std::vector<int> all;
    for (int n = first; n <= last; ++n)
        for (int r : layout.rows(n))
            all.push_back(r);
    std::ranges::sort(all);
    std::vector<region::Rows> runs;
    for (int r : all) {
        if (!runs.empty() && runs.back().last + 1 >= r)
            runs.back().last = std::max(runs.back().last, r);
        else
            runs.push_back({r, r});
    }
    return runs;
}

std::optional<Refusal> insert_empty(Image& image, const Layout& layout, int at)
{
    if (!inRange(layout, at, at))
        return Refusal::PastEnd;
    if (!layout.empty(image, layout.count - 1))
        return Refusal::Full;
    for (int n = layout.count - 1; n > at; --n)
        put(image, layout, n, take(image, layout, n - 1));
    layout.clear(image, at);
    return std::nullopt;
}

std::optional<Refusal> remove_items(Image& image, const Layout& layout, int first, int last)
{
    if (!inRange(layout, first, last))
        return Refusal::PastEnd;
    const int count = last - first + 1;
    for (int n = first; n < layout.count; ++n) {
        if (n + count < layout.count)
            put(image, layout, n, take(image, layout, n + count));
        else
            layout.clear(image, n);
    }
    return std::nullopt;
}

std::optional<Refusal> clear_items(Image& image, const Layout& layout, int first, int last)
{
    if (!inRange(layout, first, last))
        return Refusal::PastEnd;
    for (int n = first; n <= last; ++n)
        layout.clear(image, n);
    return std::nullopt;
}

std::optional<Refusal> move_items(Image& image, const Layout& layout, int first, int last, int by)
{
    if (!inRange(layout, first, last) || !inRange(layout, first + by, last + by))
        return Refusal::PastEnd;
    // The span the move touches, rotated: the block and the items it passes.
    const int lo = std::min(first, first + by), hi = std::max(last, last + by);
    std::vector<Item> span;
    for (int n = lo; n <= hi; ++n)
        span.push_back(take(image, layout, n));
    const int count = last - first + 1;
    // Down: the items passed come first; up: the block does.
    std::ranges::rotate(span, by > 0 ? span.begin() + count : span.end() - count);
    for (int n = lo; n <= hi; ++n)
        put(image, layout, n, span[size_t(n - lo)]);
    return std::nullopt;
}

std::optional<Refusal> sort_items(Image& image, const Layout& layout, int first, int last, const KeyOf& key)
{
    if (!inRange(layout, first, last))
        return Refusal::PastEnd;
    struct Entry {
        bool empty;
        SortKey key;
        Item rows;
    };
    std::vector<Entry> entries;
    for (int n = first; n <= last; ++n)
        entries.push_back({layout.empty(image, n), key(image, n), take(image, layout, n)});
    std::ranges::stable_sort(entries, [](const Entry& a, const Entry& b) {
        if (a.empty != b.empty)
            return !a.empty;
        if (a.key.number != b.key.number)
            return a.key.number < b.key.number;
        return a.key.text < b.key.text;
    });
    for (int n = first; n <= last; ++n)
        put(image, layout, n, entries[size_t(n - first)].rows);
    return std::nullopt;
}

}  // namespace vx::items
