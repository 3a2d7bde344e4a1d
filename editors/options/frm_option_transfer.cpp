// The optional-features editor's descriptor and its own read and write of
// rows 224..255.
#include "editors/options/frm_option.h"

#include "editors/frame/editor_parts.h"
#include "editors/options/frm_option_texts.h"
#include "ui/window_names.h"

namespace vx {

namespace T = option_texts;
namespace common = transfer_text;

namespace {

// The read fills slots 2..9 (radio 0x0E00..0x0FFF); slots 2..6 hold the
// option block and the VFO records (0x0E00..0x0F3F) and go to rows 224..243.
// Rows 244..255 are read but not stored. The label counts "Reading 3" ..
// "Reading 9", the bar in ninths.
constexpr int kLastSlot = 8;
constexpr int kStoredBlocks = 5;

}  // namespace

EditorDescriptor frm_option::makeDescriptor()
{
    return frame::describe({
        .name = window::kOptions,
        .caption = T::kTitle,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
        .buttons = frame::sixButtons(),
        .readDone = {.message = {common::titleCapital, T::kReadDone}, .label = T::kReadOk, .labelFirst = true, .bar = 100},
        .writeDone = {.message = {common::titleCapital, T::kWriteDone}, .label = T::kWriteOk},
        .failure = {.message = Notice{common::title, common::failed}, .label = common::failedLabel, .keepBar = true},
        .closeRefusal = common::busyCloseBox,
        .closeBoxRefusal = common::busyCloseBox,
        .rows = {region::options},
        .refreshOnActivate = true,
        .defaultResetsProgress = true,
        .buttonRise = kButtonRise,
        .progressRise = kProgressRise,
    });
}

std::optional<TransferPlan> frm_option::plan(Direction direction)
{
    if (direction == Direction::Read)
        return frame::readBlocks(kBase, kLastSlot, kStoredBlocks, options::kBlockRows.first, *this);
    return frame::writeRows(region::options, image());
}

}  // namespace vx
