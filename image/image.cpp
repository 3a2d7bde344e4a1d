#include "image/image.h"

#include <algorithm>
#include <cassert>

namespace vx {

int Image::index(int row, int byte)
{
    assert(validRow(row) && byte >= 0 && byte < kRowBytes);
    return row * kRowBytes + byte;
}

void Image::setRow(int r, std::span<const uint8_t> bytes)
{
    auto dst = row(r);
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), kRowBytes), dst.begin());
}

void Image::fillRows(int first, int last, uint8_t value)
{
    for (int r = first; r <= last; ++r)
        std::fill(row(r).begin(), row(r).end(), value);
}

}  // namespace vx
