#pragma once
// Operations on the items of a grid as wholes (a channel, an FM preset),
// for the grids' row commands: an item is the image rows its layout names,
// moved together byte for byte; an emptied item is what the layout lays.
//
//   insert at 5      4 5 6 ... 198 199      5 becomes empty, 5..198 move
//                    4 _ 5 ... 197 198      down one; refused unless the
//                                           last item is empty
//   remove 5..6      4 5 6 7 ... 199        7..199 move up two, the last
//                    4 7 8 9 ... _ _        two become empty
//   move 3..4 by +2  2 3 4 5 6 7            the block moves, the items it
//                    2 5 6 3 4 7            passes take its place
//
// Each function changes nothing and says why when it cannot be done.

#include "image/image.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vx::items {

struct Layout {
    int count = 0;                                          // items 0..count-1
    std::function<std::vector<int>(int item)> rows;         // the image rows of an item
    std::function<bool(const Image&, int item)> empty;      // holds nothing
    std::function<void(Image&, int item)> clear;            // lays an empty item
};

// Why a row command was refused.
enum class Refusal {
    Full,     // insert: the last item is not empty
    PastEnd,  // a move past the first or last item, or a range outside them
};

// The image rows of items first..last, as runs.
std::vector<region::Rows> rows_of(const Layout& layout, int first, int last);

std::optional<Refusal> insert_empty(Image& image, const Layout& layout, int at);
std::optional<Refusal> remove_items(Image& image, const Layout& layout, int first, int last);
std::optional<Refusal> clear_items(Image& image, const Layout& layout, int first, int last);
std::optional<Refusal> move_items(Image& image, const Layout& layout, int first, int last, int by);

// What a sort orders by: a number, then a text; empty items go last and
// equal keys keep their order.
struct SortKey {
    double number = 0;
    QString text;
};
using KeyOf = std::function<SortKey(const Image&, int item)>;
std::optional<Refusal> sort_items(Image& image, const Layout& layout, int first, int last, const KeyOf& key);

}  // namespace vx::items
