#pragma once
// Whole-radio transfers: the read fetches 0x0000..0x31FF and rebuilds image
// rows 0..787; the write sends image rows 0..783 (0x0000..0x30FF).
//
//   read   S = 1, L = 200: slot 1 and slot 2 both hold block 0, slot s >= 2
//          holds block s - 2; slots 2..198 become rows 0..787, four rows a
//          slot; slot 1 and slots 199..201 are not used
//   write  rows 0..783, one 21-byte packet a row

#include "image/image.h"
#include "link/transfer_plan.h"

#include <QByteArray>
#include <chrono>
#include <vector>

namespace vx {

inline constexpr int kWholeReadFirstSlot = 1;
inline constexpr int kWholeReadLastSlot = 200;
inline constexpr int kWholeReadBlocks = 201;  // requests a whole read makes
inline constexpr int kWholeReadRetries = 3;
inline constexpr std::chrono::milliseconds kWholeReadPause{3000};
inline constexpr int kWholeWriteRows = 784;
inline constexpr int kWholeWriteRetries = 0;
inline constexpr std::chrono::milliseconds kWholeWritePause{5000};
// The slots a whole read stores, into rows 0..787.
inline constexpr SlotRun kWholeReadStored{2, 197};

// The read, storing into `image` once every block has arrived.
TransferPlan wholeReadPlan(Image& image);
// The same into `doc`, as one edit ("Read from radio") announced from
// `source`.
TransferPlan wholeReadPlan(RadioDocument& doc, const QObject* source);
// The write; rows come from `image` as each packet is built.
TransferPlan wholeWritePlan(const Image& image);

// Only some rows: the write sends the listed rows of `image` (ascending) in
// the whole write's packets, pause and retries; the read fetches the listed
// 64-byte blocks (block b is rows 4b..4b+3) with the whole read's retries
// and stores their rows into `image` once every block has arrived.
TransferPlan rowsWritePlan(const Image& image, std::vector<int> rows);
TransferPlan blocksReadPlan(Image& image, std::vector<int> blocks);
// The blocks that hold `rows`, ascending, each once.
std::vector<int> blocksOfRows(const std::vector<int>& rows);

}  // namespace vx
