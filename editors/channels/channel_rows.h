#pragma once
// The channels as items of the grid's row commands (editors/frame/
// item_rows.h): a channel is its record row and its name row, moved
// together byte for byte; an emptied channel's two rows are FF.

#include "editors/channels/channel_codec.h"
#include "editors/frame/item_rows.h"

#include <optional>
#include <vector>

namespace vx::channels {

using RowRefusal = items::Refusal;

// The channels as items.
const items::Layout& channel_layout();
// The image rows of channels first..last: their records and their names.
std::vector<region::Rows> rows_of(int first, int last);

std::optional<RowRefusal> insert_empty(Image& image, int at);
// Channels first..last go; those after them move up, the last ones become
// empty.
std::optional<RowRefusal> remove_channels(Image& image, int first, int last);
// Channels first..last become empty where they are.
std::optional<RowRefusal> clear_channels(Image& image, int first, int last);
// Channels first..last move `by` places (negative: up).
std::optional<RowRefusal> move_channels(Image& image, int first, int last, int by);

enum class SortKey {
    Receive,  // receive frequency, ascending
    Name,     // name, in character order
};
items::KeyOf sort_key(SortKey key);
// Sorts channels first..last by `key`; equal keys keep their order and
// empty channels go last.
std::optional<RowRefusal> sort_channels(Image& image, int first, int last, SortKey key);

// The next channel after `after` (wrapping round, `after` itself last)
// whose name holds `text` (any case), whose receive or transmit frequency
// starts with it ("145.6" finds 145.60000), or whose decode or encode tone
// is it ("88.5", "D023N"); -1 when none does. Empty channels are passed.
int find_channel(const Image& image, const QString& text, int after);

}  // namespace vx::channels
