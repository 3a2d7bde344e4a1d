#include "link/transfer_plan.h"

#include <algorithm>

namespace vx {

ProgressRule countingProgress(Text before, Text after, int total, int offset)
{
    return [=](int request, int counter) -> std::optional<ProgressStep> {
        if (request < 1 || total < 1)
            return std::nullopt;
        const int n = counter + offset;
        return ProgressStep{n * 100 / total, before.str() + QString::number(n) + after.str()};
    };
}

RowSink intoImage(Image& image)
{
    return [&image](int row, std::span<const uint8_t, Image::kRowBytes> bytes) {
        if (Image::validRow(row))
            image.setRow(row, bytes);
    };
}

RowSource fromImage(const Image& image, int rowOffset)
{
    return [&image, rowOffset](int row) {
        std::array<uint8_t, Image::kRowBytes> data;
        data.fill(Image::kFill);
        if (Image::validRow(rowOffset + row)) {
            const auto r = image.row(rowOffset + row);
            std::copy(r.begin(), r.end(), data.begin());
        }
        return data;
    };
}

bool copySlotsToRows(const std::vector<QByteArray>& replies, SlotRun run, int firstRow, const RowSink& sink)
{
    for (int i = 0; i < run.count; ++i) {
        const int s = run.slot(i);
        if (s < 0 || s >= int(replies.size()) || replies[size_t(s)].isEmpty())
            return false;
    }
    for (int i = 0; i < run.count; ++i) {
        const QByteArray data = blockData(replies[size_t(run.slot(i))]);
        const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
        for (int k = 0; k < 4; ++k)
            sink(firstRow + 4 * i + k, std::span<const uint8_t, Image::kRowBytes>(bytes + k * Image::kRowBytes, Image::kRowBytes));
    }
    return true;
}

TransferPlan TransferPlan::read(uint16_t base, int firstSlot, int lastSlot)
{
    TransferPlan plan;
    plan.params.direction = Direction::Read;
    plan.params.baseHigh = uint8_t(base >> 8);
    plan.params.baseLow = uint8_t(base & 0xFF);
    plan.params.firstSlot = firstSlot;
    plan.params.lastSlot = lastSlot;
    return plan;
}

TransferPlan TransferPlan::write(uint16_t base, int firstRow, int endRow, RowSource source)
{
    TransferPlan plan;
    plan.params.direction = Direction::Write;
    plan.params.baseHigh = uint8_t(base >> 8);
    plan.params.baseLow = uint8_t(base & 0xFF);
    plan.params.firstRow = firstRow;
    plan.params.endRow = endRow;
    plan.params.rowData = std::move(source);
    return plan;
}

TransferPlan& TransferPlan::storing(SlotRun run, int firstRow, RowSink sink)
{
    stores_.push_back({run, firstRow, std::move(sink)});
    return *this;
}

TransferPlan& TransferPlan::withRetries(int count, std::chrono::milliseconds pause)
{
    retries = count;
    params.retryPause = pause;
    return *this;
}

TransferPlan& TransferPlan::withProgress(ProgressRule rule)
{
    progress = std::move(rule);
    return *this;
}

TransferPlan& TransferPlan::into(RadioDocument& doc, EditName name, std::vector<region::Rows> rows, const QObject* source)
{
    target_ = Target{&doc, std::move(name), std::move(rows), source};
    return *this;
}

bool TransferPlan::store(const std::vector<QByteArray>& replies) const
{
    // Every run is checked first: nothing is copied unless all can be.
    static const RowSink none = [](int, std::span<const uint8_t, Image::kRowBytes>) {};
    for (const Store& s : stores_)
        if (!copySlotsToRows(replies, s.run, s.firstRow, none))
            return false;
    auto copy = [&](Image* image) {
        for (const Store& s : stores_) {
            if (s.sink)
                copySlotsToRows(replies, s.run, s.firstRow, s.sink);
            else if (image)
                copySlotsToRows(replies, s.run, s.firstRow, intoImage(*image));
        }
    };
    if (target_ && target_->doc)
        target_->doc->edit(target_->name, target_->rows, [&](Image& image) { copy(&image); }, target_->source);
    else
        copy(nullptr);
    return true;
}

}  // namespace vx
