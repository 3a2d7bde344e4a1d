#pragma once
// Operations on whole channels, as the grid's row commands make them: a
// channel is its record row and its name row, moved together and kept
// byte for byte; an emptied channel's two rows are FF.
//
//   insert at 5      4 5 6 ... 198 199      5 becomes empty, 5..198 move
//                    4 _ 5 ... 197 198      down one; refused unless 199
//                                           is empty
//   remove 5..6      4 5 6 7 ... 199        7..199 move up two, the last
//                    4 7 8 9 ... _ _        two become empty
//   move 3..4 by +2  2 3 4 5 6 7            the block moves, the channels
//                    2 5 6 3 4 7            it passes take its place
//
// Each function changes nothing and says why when it cannot be done; the
// rows it may change are rows_of(first, last) of the range it reports.

#include "editors/channels/channel_codec.h"

#include <optional>
#include <vector>

namespace vx::channels {

// Why a row command was refused.
enum class RowRefusal {
    Full,     // insert: the last channel is not empty
    PastEnd,  // a move past channel 0 or 199, or a range outside them
};

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
// Sorts channels first..last by `key`; equal keys keep their order and
// empty channels go last.
std::optional<RowRefusal> sort_channels(Image& image, int first, int last, SortKey key);

// The next channel after `after` (wrapping round, `after` itself last)
// whose name holds `text` (any case), whose receive or transmit frequency
// starts with it ("145.6" finds 145.60000), or whose decode or encode tone
// is it ("88.5", "D023N"); -1 when none does. Empty channels are passed.
int find_channel(const Image& image, const QString& text, int after);

}  // namespace vx::channels
