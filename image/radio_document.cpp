#include "image/radio_document.h"

#include "image/language.h"

#include <algorithm>
#include <cstring>

namespace vx {

namespace {
// Changed rows (in row order) as the runs they are announced in.
std::vector<region::Rows> runsOf(const std::vector<RowChange>& rows)
{
    std::vector<region::Rows> runs;
    for (const RowChange& c : rows) {
        if (!runs.empty() && runs.back().last + 1 == c.row)
            runs.back().last = c.row;
        else
            runs.push_back({c.row, c.row});
    }
    return runs;
}
}  // namespace

QString EditName::str() const { return chinese() ? zh : en; }

namespace edits {
EditName readFromRadio() { return {QStringLiteral("从电台读取"), QStringLiteral("Read from radio")}; }
EditName defaults() { return {QStringLiteral("默认值"), QStringLiteral("Default")}; }
EditName clear() { return {QStringLiteral("清除"), QStringLiteral("Clear")}; }
EditName loadDataFile() { return {QStringLiteral("打开数据文件"), QStringLiteral("Load data file")}; }
EditName importChannels() { return {QStringLiteral("导入信道"), QStringLiteral("Import channels")}; }
EditName applyConfiguration() { return {QStringLiteral("应用配置"), QStringLiteral("Apply configuration")}; }
EditName writeTables() { return {QStringLiteral("写入前的五音表"), QStringLiteral("5-tone tables before a write")}; }
EditName startUp() { return {QStringLiteral("出厂值"), QStringLiteral("Factory values")}; }
}  // namespace edits

RadioDocument::RadioDocument(QObject* parent) : QObject(parent) {}

RadioDocument::~RadioDocument() = default;

bool RadioDocument::edit(const EditName& name, const std::vector<region::Rows>& rows, const Change& change,
                         const QObject* source)
{
    // The named rows before the change; nothing else is copied.
    struct Run {
        region::Rows rows;
        std::vector<uint8_t> before;
    };
    std::vector<Run> runs;
    runs.reserve(rows.size());
    for (region::Rows r : rows) {
        r.first = std::max(r.first, 0);
        r.last = std::min(r.last, Image::kRows - 1);
        if (r.first > r.last)
            continue;
        const uint8_t* from = image_.row(r.first).data();
        runs.push_back({r, std::vector<uint8_t>(from, from + size_t(r.count()) * Image::kRowBytes)});
    }
#ifndef NDEBUG
    const Image whole = image_;  // checks that the change kept to its rows
#endif
    change(image_);
#ifndef NDEBUG
    for (int r = 0; r < Image::kRows; ++r) {
        const bool named = std::ranges::any_of(runs, [r](const Run& run) { return r >= run.rows.first && r <= run.rows.last; });
        Q_ASSERT_X(named || std::ranges::equal(whole.row(r), image_.row(r)), "RadioDocument::edit",
                   "a change wrote a row it did not name");
    }
#endif
    EditRecord record{name, {}};
    for (const Run& run : runs) {
        for (int r = run.rows.first; r <= run.rows.last; ++r) {
            const uint8_t* was = run.before.data() + size_t(r - run.rows.first) * Image::kRowBytes;
            const auto now = image_.row(r);
            if (std::memcmp(was, now.data(), Image::kRowBytes) == 0)
                continue;
            if (std::ranges::any_of(record.rows, [r](const RowChange& c) { return c.row == r; }))
                continue;  // named twice
            RowChange c{r, {}, {}};
            std::memcpy(c.before.data(), was, Image::kRowBytes);
            std::ranges::copy(now, c.after.begin());
            record.rows.push_back(c);
        }
    }
    if (record.rows.empty())
        return false;
    std::ranges::sort(record.rows, {}, &RowChange::row);
    const std::vector<region::Rows> announced = runsOf(record.rows);
    keep(std::move(record));
    for (const region::Rows r : announced)
        emit changed(r.first, r.last, source);
    return true;
}

bool RadioDocument::replace(const EditName& name, const Image& from, region::Rows rows, const QObject* source)
{
    return edit(name, rows, [&](Image& image) {
        for (int r = std::max(rows.first, 0); r <= std::min(rows.last, Image::kRows - 1); ++r)
            image.setRow(r, from.row(r));
    }, source);
}

void RadioDocument::start(const Image& image)
{
    image_ = image;
    record_.clear();
    recordedRows_ = 0;
    undone_ = 0;
    emit changed(region::all.first, region::all.last, nullptr);
    emit undoChanged();
}

void RadioDocument::keep(EditRecord record)
{
    // A new edit drops what was undone: it can no longer be made again.
    for (; undone_ > 0; --undone_) {
        recordedRows_ -= record_.back().rows.size();
        record_.pop_back();
    }
    recordedRows_ += record.rows.size();
    record_.push_back(std::move(record));
    // The oldest edits go first; the newest is always kept.
    std::size_t drop = 0;
    while (recordedRows_ > kRecordedRows && drop + 1 < record_.size())
        recordedRows_ -= record_[drop++].rows.size();
    if (drop > 0)
        record_.erase(record_.begin(), record_.begin() + std::ptrdiff_t(drop));
    emit undoChanged();
}

void RadioDocument::lay(const EditRecord& record, bool before, const QObject* source)
{
    for (const RowChange& c : record.rows)
        image_.setRow(c.row, before ? c.before : c.after);
    emit undoChanged();
    for (const region::Rows r : runsOf(record.rows))
        emit changed(r.first, r.last, source);
}

bool RadioDocument::undo(const QObject* source)
{
    if (!canUndo())
        return false;
    ++undone_;
    lay(record_[record_.size() - undone_], true, source);
    return true;
}

bool RadioDocument::redo(const QObject* source)
{
    if (!canRedo())
        return false;
    --undone_;
    lay(record_[record_.size() - undone_ - 1], false, source);
    return true;
}

void RadioDocument::setBandLimits(const BandLimits& limits)
{
    if (limits == limits_)
        return;
    limits_ = limits;
    emit bandLimitsChanged();
}

}  // namespace vx
