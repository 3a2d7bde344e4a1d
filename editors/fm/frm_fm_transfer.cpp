// The FM presets window's descriptor and its own read and write of the
// preset rows.
#include "editors/fm/frm_fm.h"

#include "editors/fm/frm_fm_texts.h"
#include "editors/frame/editor_parts.h"
#include "ui/window_names.h"

namespace vx {

namespace T = fm_texts;
namespace common = transfer_text;

// Default is refused during a transfer too: mid-write it would send the
// radio a mix of old and factory presets.
EditorDescriptor frm_FM::makeDescriptor()
{
    return frame::describe({
        .name = window::kFm,
        .caption = T::kTitle,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
        .buttons = {frame::button(Command::Read, frame::Spacing::Narrow),
                    frame::button(Command::Write, frame::Spacing::Narrow),
                    frame::button(Command::Clear, frame::Spacing::Narrow),
                    frame::button(Command::Save, frame::Spacing::Narrow),
                    frame::button(Command::Open, frame::Spacing::Narrow),
                    frame::button(Command::Close, frame::Spacing::Narrow),
                    {Command::Default, "Command_default", T::kDefault}},
        .readDone = {.message = {T::kPromptTitleCapital, T::kReadDone}, .label = T::kReadOk},
        .writeDone = {.message = {T::kPromptTitleCapital, T::kWriteDone}, .label = T::kWriteOk},
        .portError = {T::kPromptTitleCapital, common::portOpenError},
        .refusalTitle = T::kPromptTitle,
        .closeBoxRefusal = common::busyCloseBox,
        .rows = {region::fmPresets},
        .refreshOnActivate = true,
        .refreshOnFocus = true,
    });
}

// Slots 2..5; each further request shows the slot its reply will take. The
// write: rows 0..15 from the base; each acknowledgement shows the row sent
// next.
std::optional<TransferPlan> frm_FM::plan(Direction direction)
{
    if (direction == Direction::Read)
        return frame::readBlocks(kBase, kReadBlocks, kReadBlocks, region::fmPresets.first, *this);
    return frame::writeRows(region::fmPresets, image());
}

}  // namespace vx
