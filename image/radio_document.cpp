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

std::vector<RowChange> RadioDocument::run(const std::vector<region::Rows>& rows, const Change& change)
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
    std::vector<RowChange> changed;
    for (const Run& run : runs) {
        for (int r = run.rows.first; r <= run.rows.last; ++r) {
            const uint8_t* was = run.before.data() + size_t(r - run.rows.first) * Image::kRowBytes;
            const auto now = image_.row(r);
            if (std::memcmp(was, now.data(), Image::kRowBytes) == 0)
                continue;
            if (std::ranges::any_of(changed, [r](const RowChange& c) { return c.row == r; }))
                continue;  // named twice
            RowChange c{r, {}, {}};
            std::memcpy(c.before.data(), was, Image::kRowBytes);
            std::ranges::copy(now, c.after.begin());
            changed.push_back(c);
        }
    }
    std::ranges::sort(changed, {}, &RowChange::row);
    return changed;
}

bool RadioDocument::edit(const EditName& name, const std::vector<region::Rows>& rows, const Change& change,
                         const QObject* source)
{
    std::vector<RowChange> changed = run(rows, change);
    if (changed.empty())
        return false;
    typing_ = nullptr;
    keep({name, changed});
    announce(changed, source);
    return true;
}

bool RadioDocument::typed(const EditName& name, const std::vector<region::Rows>& rows, const Change& change,
                          const QObject* source)
{
    std::vector<RowChange> changed = run(rows, change);
    if (changed.empty())
        return false;
    // The typing goes on while the newest entry is this field's (an edit,
    // an undo or a redo in between has ended it).
    if (source && typing_ == source && undone_ == 0 && !record_.empty() && record_.back().name == name) {
        join(changed);
    } else {
        keep({name, changed});
        typing_ = source;
    }
    announce(changed, source);
    return true;
}

void RadioDocument::join(const std::vector<RowChange>& rows)
{
    EditRecord& newest = record_.back();
    std::vector<RowChange>& kept = newest.rows;
    const std::size_t held = kept.size();
    for (const RowChange& c : rows) {
        const auto it = std::ranges::find(kept, c.row, &RowChange::row);
        if (it == kept.end())
            kept.push_back(c);  // its before is the row's state before the typing began
        else
            it->after = c.after;
    }
    std::erase_if(kept, [](const RowChange& c) { return c.before == c.after; });
    std::ranges::sort(kept, {}, &RowChange::row);
    recordedRows_ = recordedRows_ - held + kept.size();
    if (kept.empty()) {
        // Typed back to what it was: nothing to take back. The next key
        // starts afresh.
        record_.pop_back();
        typing_ = nullptr;
    }
    bound();
}

void RadioDocument::announce(const std::vector<RowChange>& rows, const QObject* source)
{
    for (const region::Rows r : runsOf(rows))
        emit changed(r.first, r.last, source);
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
    typing_ = nullptr;
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
    bound();
}

void RadioDocument::bound()
{
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
    typing_ = nullptr;
    for (const RowChange& c : record.rows)
        image_.setRow(c.row, before ? c.before : c.after);
    emit undoChanged();
    announce(record.rows, source);
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
