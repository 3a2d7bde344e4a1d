// The FM presets window's descriptor and its own read and write of the
// preset rows.
#include "editors/fm/frm_fm.h"

#include "editors/fm/frm_fm_texts.h"
#include "link/transfer_texts.h"

namespace vx {

namespace T = fm_texts;
namespace common = transfer_text;

EditorDescriptor frm_FM::makeDescriptor()
{
    const Notice busy{T::kPromptTitle, common::busy};
    WindowDescriptor d{
        .name = "frm_FM",
        .caption = T::kTitle,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
    };
    d.buttons = {
        {Command::Read, "Command_read", T::kRead},    {Command::Write, "Command_write", T::kWrite},
        {Command::Clear, "Command_clear", T::kClear}, {Command::Save, "Command_save", T::kSave},
        {Command::Open, "Command_open", T::kOpen},    {Command::Close, "Command_close", T::kClose},
        {Command::Default, "Command_default", T::kDefault},
    };
    d.texts = {
        .connecting = common::connecting,
        .portError = {T::kPromptTitleCapital, common::portOpenError},
        .readDone = {.message = {T::kPromptTitleCapital, T::kReadDone}, .label = T::kReadOk},
        .writeDone = {.message = {T::kPromptTitleCapital, T::kWriteDone}, .label = T::kWriteOk},
        .failure = {.message = Notice{T::kPromptTitle, common::failed}, .label = common::failedLabel},
    };
    // Default is refused too: mid-write it would send the radio a mix of old
    // and factory presets.
    d.busyRefusals = {
        {Command::Read, busy},    {Command::Write, busy},
        {Command::Default, busy}, {Command::Open, busy},
        {Command::Save, busy},    {Command::Clear, {T::kPromptTitle, common::busyClear}},
        {Command::Close, {T::kPromptTitle, common::busyClose}},
    };
    d.closeBoxRefusal = Notice{T::kPromptTitle, common::busyCloseBox};
    return {.window = d, .refreshOnActivate = true, .refreshOnFocus = true};
}

std::optional<TransferPlan> frm_FM::plan(Direction direction)
{
    Image& image = appImage();
    const auto pause = std::chrono::milliseconds(kRetryPauseMs);
    if (direction == Direction::Read) {
        // Slots 2..5; each further request shows the slot its reply will take.
        return TransferPlan::read(kBase, 2, kReadBlocks)
            .storing(SlotRun{2, kReadBlocks}, region::fmPresets.first, intoImage(image))
            .withRetries(kRetries, pause)
            .withProgress(countingProgress(common::readingBefore, common::readingAfter, kReadBlocks + 1, 1));
    }
    // Rows 0..15 from the base; each acknowledgement shows the row sent next.
    return TransferPlan::write(kBase, 0, fm::kPresets, fromImage(image, region::fmPresets.first))
        .withRetries(kRetries, pause)
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, fm::kPresets));
}

}  // namespace vx
