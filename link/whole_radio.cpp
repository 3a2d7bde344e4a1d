#include "link/whole_radio.h"

#include <algorithm>

namespace vx {

namespace {
BeforeWholeWrite gBeforeWrite;
constexpr int kFirstUsedSlot = 2;
constexpr int kLastUsedSlot = 198;
}  // namespace

TransferParams wholeReadParams()
{
    TransferParams p;
    p.direction = Direction::Read;
    p.firstSlot = kWholeReadFirstSlot;
    p.lastSlot = kWholeReadLastSlot;
    p.retryPauseMs = kWholeReadPauseMs;
    return p;
}

TransferParams wholeWriteParams(const Image& image)
{
    TransferParams p;
    p.direction = Direction::Write;
    p.firstRow = region::wholeWrite.first;
    p.endRow = region::wholeWrite.last + 1;
    p.rowData = [&image](int row) {
        std::array<uint8_t, 16> data;
        data.fill(Image::kFill);
        if (Image::validRow(row))
            std::copy_n(image.row(row).begin(), 16, data.begin());
        return data;
    };
    p.retryPauseMs = kWholeWritePauseMs;
    return p;
}

bool wholeReadToImage(const std::vector<QByteArray>& replies, Image& image)
{
    if (int(replies.size()) <= kLastUsedSlot)
        return false;
    for (int s = kFirstUsedSlot; s <= kLastUsedSlot; ++s)
        if (replies[size_t(s)].isEmpty())
            return false;
    int row = 0;
    for (int s = kFirstUsedSlot; s <= kLastUsedSlot; ++s) {
        const QByteArray data = blockData(replies[size_t(s)]);
        for (int i = 0; i < 4; ++i, ++row)
            image.setRow(row, std::span(reinterpret_cast<const uint8_t*>(data.constData()) + 16 * i, 16));
    }
    return true;
}

void setBeforeWholeWrite(BeforeWholeWrite hook) { gBeforeWrite = std::move(hook); }

void runBeforeWholeWrite(Image& image)
{
    if (gBeforeWrite)
        gBeforeWrite(image);
}

}  // namespace vx
