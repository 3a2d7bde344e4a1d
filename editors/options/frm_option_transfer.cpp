// The optional-features editor's descriptor and its own read and write of
// rows 224..255.
#include "editors/options/frm_option.h"

#include "editors/options/frm_option_texts.h"
#include "link/transfer_texts.h"

namespace vx {

namespace T = option_texts;
namespace common = transfer_text;

namespace {

// The read fills slots 2..9 (radio 0x0E00..0x0FFF); slots 2..6 hold the
// option block and the VFO records (0x0E00..0x0F3F) and go to rows 224..243.
// Rows 244..255 are read but not stored.
constexpr int kFirstSlot = 2;
constexpr int kLastSlot = 8;
constexpr SlotRun kStoredSlots{kFirstSlot, 5};
constexpr int kReadCounted = 9;  // "Reading 3" .. "Reading 9", the bar in ninths
constexpr int kWriteRows = 32;   // rows 224..255

}  // namespace

EditorDescriptor frm_option::makeDescriptor()
{
    const Notice busy{common::title, common::busy};
    const Notice busyClose{common::title, common::busyCloseBox};
    WindowDescriptor d{
        .name = "frm_option",
        .caption = T::kTitle,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
        .buttonRise = kButtonRise,
        .progressRise = kProgressRise,
    };
    d.buttons = {
        {Command::Read, "Command_read", T::kRead},     {Command::Write, "Command_write", T::kWrite},
        {Command::Default, "Command_def", T::kDefault}, {Command::Save, "Command_save", T::kSave},
        {Command::Open, "Command_open", T::kOpen},      {Command::Close, "Command_close", T::kClose},
    };
    d.texts = {
        .connecting = common::connecting,
        .portError = {common::titleCapital, common::portOpenError},
        .readDone = {.message = {common::titleCapital, T::kReadDone}, .label = T::kReadOk, .labelFirst = true, .bar = 100},
        .writeDone = {.message = {common::titleCapital, T::kWriteDone}, .label = T::kWriteOk},
        .failure = {.message = Notice{common::title, common::failed}, .label = common::failedLabel, .keepBar = true},
    };
    d.busyRefusals = {
        {Command::Read, busy}, {Command::Write, busy}, {Command::Default, busy},
        {Command::Open, busy}, {Command::Save, busy},  {Command::Close, busyClose},
    };
    d.closeBoxRefusal = busyClose;
    return {.window = d, .refreshOnActivate = true, .defaultResetsProgress = true};
}

std::optional<TransferPlan> frm_option::plan(Direction direction)
{
    Image& image = appImage();
    const auto pause = std::chrono::milliseconds(kRetryPauseMs);
    if (direction == Direction::Read)
        return TransferPlan::read(kBase, kFirstSlot, kLastSlot)
            .storing(kStoredSlots, options::kBlockRows.first, intoImage(image))
            .withRetries(kRetries, pause)
            .withProgress(countingProgress(common::readingBefore, common::readingAfter, kReadCounted, 1));
    return TransferPlan::write(kBase, 0, kWriteRows, fromImage(image, options::kBlockRows.first))
        .withRetries(kRetries, pause)
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, kWriteRows));
}

}  // namespace vx
