#include "editors/signalling/signalling_frame.h"

#include "editors/signalling/signalling_texts.h"
#include "link/transfer_texts.h"

namespace vx::signalling {

namespace common = transfer_text;
namespace T = signalling_texts;

EditorDescriptor descriptor(const WindowTexts& texts)
{
    return frame::describe({
        .name = texts.name,
        .caption = texts.caption,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
        .buttons = frame::sixButtons(),
        // Shown, bar at 100 and label set, before the message.
        .readDone = {.message = {common::titleCapital, T::kReadDone}, .label = texts.readOk, .labelFirst = true, .bar = 100},
        .writeDone = {.message = {common::titleCapital, texts.writeMessage}, .label = texts.writeOk},
        .closeRefusal = common::busy,
        .closeBoxRefusal = texts.refuseCloseBox ? std::optional<Text>(common::busyCloseBox) : std::nullopt,
        .rows = {texts.rows},
        .refreshOnActivate = texts.refreshOnActivate,
        .defaultResetsProgress = texts.defaultResetsProgress,
    });
}

EditorDescriptor toneDescriptor(const char* name, Text caption, region::Rows rows)
{
    return descriptor({.name = name,
                       .caption = caption,
                       .rows = rows,
                       .readOk = T::kReadOk,
                       .writeMessage = T::kWriteDone,
                       .writeOk = T::kWriteOk,
                       .refuseCloseBox = false,
                       .refreshOnActivate = false,
                       .defaultResetsProgress = true});
}

std::optional<TransferPlan> plan(Direction direction, const Range& range, const TransferWindow& window)
{
    if (direction == Direction::Read) {
        const int blocks = range.readBlocks();
        return frame::readBlocks(uint16_t(range.readRows.address()), blocks, blocks, range.readRows.first, window);
    }
    return frame::writeRows(range.writeRows, window.document().image());
}

}  // namespace vx::signalling
