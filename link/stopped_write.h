#pragma once
// A write of some rows that stopped part way (interrupted, or the radio
// stopped answering): which rows reached the radio and what each memory
// region holds now. The rows are sent in the order given and each is
// acknowledged before the next is sent, so the radio holds exactly the
// first `acknowledged` of them.
//
//   rows          3  4  5 | 224 | 261 262      acknowledged = 4
//   reached       3  4  5   224                lastRow = 224
//   regions       channels, options: new; names: as before

#include "image/image.h"

#include <span>
#include <vector>

namespace vx {

struct StoppedWrite {
    std::vector<int> reached;  // the rows the radio holds from the write, in order
    int lastRow = -1;          // the last of them; -1 when the radio took none
    // The regions the write had rows for, in address order (a region the
    // write had no row for is in none of them):
    std::vector<region::Named> written;    // every planned row reached the radio
    std::vector<region::Named> mixed;      // some did, some did not
    std::vector<region::Named> unchanged;  // none did
};

// `rows` the write was to send, in sending order; `acknowledged` of them
// taken by the radio (clamped to 0..rows.size()).
StoppedWrite classifyStoppedWrite(std::span<const int> rows, int acknowledged);

}  // namespace vx
