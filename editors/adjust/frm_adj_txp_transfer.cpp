// The adjustment editor's descriptor, its read of the whole adjustment table
// and its write of the four squelch rows.
#include "editors/adjust/frm_adj_txp.h"

#include "editors/adjust/frm_adj_txp_texts.h"
#include "editors/frame/editor_parts.h"
#include "ui/window_names.h"

namespace vx {

namespace T = adj_texts;
namespace common = transfer_text;

// Only the main window's status panel tells of a failure. Closing by the
// frame is not refused: the transfer is abandoned. The Close button's
// refusal has no space before its final comma.
EditorDescriptor frm_Adj_Txp::makeDescriptor()
{
    return frame::describe({
        .name = window::kAdjust,
        .caption = T::kTitle,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
        .buttons = {frame::button(Command::Read, frame::Spacing::Wide),
                    frame::button(Command::Write, frame::Spacing::Wide),
                    frame::button(Command::Default, frame::Spacing::Wide),
                    {Command::Close, "Command_close", T::kClose}},
        .readDone = {.message = {T::kPromptTitleCapital, T::kReadDone}, .label = T::kReadOk, .labelFirst = true, .bar = 100},
        .writeDone = {.message = {T::kPromptTitleCapital, T::kWriteDone}, .label = T::kWriteOk},
        .failure = {.statusPanel = 2, .panelText = common::failedPanel},
        .portError = {T::kPromptTitleCapital, common::portOpenError},
        .refusalTitle = T::kPromptTitle,
        .closeRefusal = common::busyCloseBox,
        .refreshOnActivate = false,
        .refreshOnFocus = true,
        .defaultResetsProgress = true,
    });
}

std::optional<TransferPlan> frm_Adj_Txp::plan(Direction direction)
{
    const frame::Retry retry{kRetries, std::chrono::milliseconds(kRetryPauseMs)};
    adjust::Table& t = table();
    if (direction == Direction::Read) {
        // Slots 2..5 into table rows 0..15, only once all four have arrived.
        // Each further request shows the slot its reply will take, of 5.
        return frame::readBlocks(adjust::kBase, kReadBlocks, kReadBlocks, 0, adjust::into_table(t), retry);
    }
    // Rows 4..7 only, at 0x3C40..0x3C7F. The bar shows the row being sent, of
    // 8; from the second packet on the label names the row acknowledged.
    return TransferPlan::write(adjust::kBase, adjust::kFirstWrittenRow, adjust::kEndWrittenRow, adjust::from_table(t))
        .withRetries(retry.count, retry.pause)
        .withProgress([](int request, int row) -> std::optional<ProgressStep> {
            constexpr int kTotal = adjust::kEndWrittenRow;
            if (request < 1)
                return ProgressStep{row * 100 / kTotal, std::nullopt};
            return ProgressStep{row * 100 / kTotal,
                                common::writingBefore.str() + QString::number(row - 1) + common::writingAfter.str()};
        });
}

}  // namespace vx
