#include "link/stopped_write.h"

#include <algorithm>

namespace vx {

StoppedWrite classifyStoppedWrite(std::span<const int> rows, int acknowledged)
{
    StoppedWrite result;
    const size_t taken = size_t(std::clamp(acknowledged, 0, int(rows.size())));
    result.reached.assign(rows.begin(), rows.begin() + std::ptrdiff_t(taken));
    if (taken > 0)
        result.lastRow = rows[taken - 1];
    for (const region::Named& r : region::kMap) {
        int planned = 0, sent = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] < r.rows.first || rows[i] > r.rows.last)
                continue;
            ++planned;
            sent += i < taken;
        }
        if (planned == 0)
            continue;
        (sent == planned ? result.written : sent == 0 ? result.unchanged : result.mixed).push_back(r);
    }
    return result;
}

}  // namespace vx
