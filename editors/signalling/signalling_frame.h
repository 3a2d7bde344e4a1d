#pragma once
// What the three signalling editors (DTMF, 2-tone, 5-tone) share beyond the
// frame: the same six buttons and end texts, and the shape of their own read
// and write (blocks from a base into the region, rows of the region back).

#include "editors/frame/editor_parts.h"
#include "image/image.h"
#include "image/language.h"

#include <optional>

namespace vx::signalling {

// What differs between the three windows' descriptors.
struct WindowTexts {
    const char* name;
    Text caption;
    region::Rows rows;  // what the window shows
    Text readOk;        // the label after a read
    Text writeMessage;  // the message after a write
    Text writeOk;       // the label after it
    bool refuseCloseBox = false;  // closing by the frame while a transfer runs
    bool refreshOnActivate = false;
    bool defaultResetsProgress = false;
};

// Design size of each signalling window, twips.
inline constexpr int kDesignW = 12500;
inline constexpr int kDesignH = 9000;

EditorDescriptor descriptor(const WindowTexts& texts);
// The 2-tone and 5-tone windows: the shared end texts; neither refreshes
// on activation, and Default resets the progress row.
EditorDescriptor toneDescriptor(const char* name, Text caption, region::Rows rows);

// A window's own transfers: the read asks for `readBlocks` blocks from the
// address of `readRows.first` and stores them there (slots 2 on); the write
// sends `writeRows` from their own address, one row a packet.
struct Range {
    region::Rows readRows;
    region::Rows writeRows;
    constexpr int readBlocks() const { return readRows.count() / 4; }
};

std::optional<TransferPlan> plan(Direction direction, const Range& range, const TransferWindow& window);

}  // namespace vx::signalling
