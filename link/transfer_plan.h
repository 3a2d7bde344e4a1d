#pragma once
// A transfer plan: everything one Read or Write of a window hands to its
// transfer session. The engine parameters, the retry count and pause, how
// progress is shown, and the post-processing of a read.
//
// The two shapes every window uses:
//
//   read   TransferPlan::read(base, S, L).storing({slot, count}, rows...)
//          blocks from `base`; the replies of slots slot..slot+count-1 are
//          copied, 64 data bytes a slot, into four rows each
//   write  TransferPlan::write(base, F, E, source)
//          rows F..E-1, row n at base + 16 n, its bytes from `source`
//
// A read copies only when every slot it stores has arrived, so a failed or
// short read leaves its target as it was.

#include "image/image.h"
#include "image/radio_document.h"
#include "image/language.h"
#include "link/engine.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vx {

// What a window shows after a request or packet has started: a progress bar
// value and a label text, each left as it is when absent.
struct ProgressStep {
    std::optional<int> bar;
    std::optional<QString> label;
    bool operator==(const ProgressStep&) const = default;
};

// Maps the engine's progress report (request index, block counter) to what
// the window shows; nullopt shows nothing new.
using ProgressRule = std::function<std::optional<ProgressStep>(int request, int counter)>;

// The common rule: from the second request on, n = counter + offset, the bar
// at the whole part of n / total x 100 and the label before + n + after.
// The texts are picked by the language flag when the step is shown.
ProgressRule countingProgress(Text before, Text after, int total, int offset = 0);

// Where read rows go: row r of the target receives 16 bytes.
using RowSink = std::function<void(int row, std::span<const uint8_t, Image::kRowBytes> bytes)>;
// Where written rows come from: the 16 bytes of target row r.
using RowSource = std::function<std::array<uint8_t, Image::kRowBytes>(int row)>;

// Rows of `image`; out-of-range rows are ignored (sink) or read as 0xFF
// (source).
RowSink intoImage(Image& image);
RowSource fromImage(const Image& image, int rowOffset = 0);

// A run of read slots: slots first, first + stride, ... (count of them).
struct SlotRun {
    int first = 2;
    int count = 0;
    int stride = 1;
    int slot(int i) const { return first + i * stride; }
};

// Copies the 64 data bytes of each slot of `run` (see blockData()) into four
// rows of `sink`, from `firstRow` on. Copies nothing and returns false when a
// slot of the run is missing.
bool copySlotsToRows(const std::vector<QByteArray>& replies, SlotRun run, int firstRow, const RowSink& sink);

struct TransferPlan {
    TransferParams params;
    int retries = 3;
    ProgressRule progress;

    // Blocks from `base`, first slot S, last slot L (slots S..L+1 filled).
    static TransferPlan read(uint16_t base, int firstSlot, int lastSlot);
    // Rows F..E-1 from `base`, each taken from `source` as its packet is built.
    static TransferPlan write(uint16_t base, int firstRow, int endRow, RowSource source);

    // Adds a copy of `run` into `sink` from `firstRow` on; every run is
    // checked before any is copied.
    TransferPlan& storing(SlotRun run, int firstRow, RowSink sink);
    // The same into the image of the plan's document (see into()).
    TransferPlan& storing(SlotRun run, int firstRow) { return storing(run, firstRow, RowSink{}); }
    // A read into `doc`: the runs stored without a sink of their own go into
    // its image as one edit named `name` of rows `rows`, announced from
    // `source` (the window that shows the rows itself).
    TransferPlan& into(RadioDocument& doc, EditName name, std::vector<region::Rows> rows, const QObject* source = nullptr);
    TransferPlan& withRetries(int count, std::chrono::milliseconds pause);
    TransferPlan& withProgress(ProgressRule rule);

    // The post-processing of a read: copies every run into its sink. False,
    // and nothing copied, when a slot of some run did not arrive.
    bool store(const std::vector<QByteArray>& replies) const;

private:
    struct Store {
        SlotRun run;
        int firstRow;
        RowSink sink;
    };
    std::vector<Store> stores_;
    struct Target {
        QPointer<RadioDocument> doc;
        EditName name;
        std::vector<region::Rows> rows;
        const QObject* source = nullptr;
    };
    std::optional<Target> target_;
};

}  // namespace vx
