#include "link/whole_radio.h"

#include <algorithm>
#include <memory>

namespace vx {

TransferPlan wholeReadPlan(Image& image)
{
    return TransferPlan::read(0x0000, kWholeReadFirstSlot, kWholeReadLastSlot)
        .storing(kWholeReadStored, region::wholeRead.first, intoImage(image))
        .withRetries(kWholeReadRetries, kWholeReadPause);
}

TransferPlan wholeReadPlan(RadioDocument& doc, const QObject* source)
{
    return TransferPlan::read(0x0000, kWholeReadFirstSlot, kWholeReadLastSlot)
        .storing(kWholeReadStored, region::wholeRead.first)
        .into(doc, edits::readFromRadio(), {region::wholeRead}, source)
        .withRetries(kWholeReadRetries, kWholeReadPause);
}

TransferPlan wholeWritePlan(const Image& image)
{
    return TransferPlan::write(0x0000, region::wholeWrite.first, region::wholeWrite.last + 1, fromImage(image))
        .withRetries(kWholeWriteRetries, kWholeWritePause);
}

TransferPlan rowsWritePlan(const Image& image, std::vector<int> rows)
{
    const auto list = std::make_shared<const std::vector<int>>(std::move(rows));
    const RowSource source = fromImage(image);
    TransferPlan plan = TransferPlan::write(0x0000, 0, int(list->size()), [list, source](int i) { return source(list->at(size_t(i))); });
    plan.params.rowAddress = [list](int i) { return uint16_t(Image::addressOfRow(list->at(size_t(i)))); };
    return plan.withRetries(kWholeWriteRetries, kWholeWritePause);
}

TransferPlan blocksReadPlan(Image& image, std::vector<int> blocks)
{
    const auto list = std::make_shared<const std::vector<int>>(std::move(blocks));
    const int count = int(list->size());
    // Request j asks for block j of the list and fills slot 1 + j.
    TransferPlan plan = TransferPlan::read(0x0000, 1, count - 1);
    plan.params.requestAddress = [list](int j) { return uint16_t(list->at(size_t(std::clamp(j, 0, int(list->size()) - 1))) * 64); };
    const RowSink sink = intoImage(image);
    return plan
        .storing({1, count}, 0, [list, sink](int q, std::span<const uint8_t, Image::kRowBytes> bytes) { sink(list->at(size_t(q / 4)) * 4 + q % 4, bytes); })
        .withRetries(kWholeReadRetries, kWholeReadPause);
}

std::vector<int> blocksOfRows(const std::vector<int>& rows)
{
    std::vector<int> out;
    for (int r : rows)
        if (out.empty() || out.back() != r / 4)
            out.push_back(r / 4);
    std::ranges::sort(out);
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace vx
