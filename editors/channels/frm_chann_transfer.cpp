// The channel editor's descriptor and its own read and write of the channel
// region.
#include "editors/channels/frm_chann.h"

#include "editors/channels/frm_chann_texts.h"
#include "editors/frame/editor_parts.h"
#include "ui/window_names.h"

#include <algorithm>

namespace vx {

using namespace channels;
namespace T = chann_texts;
namespace common = transfer_text;

namespace {

constexpr int kChannelBase = 0x0000;
constexpr int kNameBase = 0x1000;
// Read replies go to slots 2..103, channel and name blocks alternating.
constexpr SlotRun kRecordSlots{2, frm_chann::kStoredPairs, 2};
constexpr SlotRun kNameSlots{3, frm_chann::kStoredPairs, 2};

}  // namespace

// Default is refused during a transfer too: mid-write it would send the
// radio half old, half factory channels.
EditorDescriptor frm_chann::makeDescriptor()
{
    return frame::describe({
        .name = window::kChannels,
        .caption = T::kTitle,
        .designWidth = frm_chann::kDesignW,
        .designHeight = frm_chann::kDesignH,
        .buttons = {frame::button(Command::Read, frame::Spacing::Narrow),
                    frame::button(Command::Write, frame::Spacing::Narrow),
                    frame::button(Command::Clear, frame::Spacing::Narrow),
                    {Command::Default, "Command_default", T::kDefault},
                    frame::button(Command::Save, frame::Spacing::Narrow),
                    frame::button(Command::Open, frame::Spacing::Narrow),
                    frame::button(Command::Close, frame::Spacing::Narrow)},
        .readDone = {.message = {T::kPromptTitle, common::readDone}, .label = T::kReadOk},
        .writeDone = {.message = {T::kPromptTitle, common::writeDone}, .label = T::kWriteOk},
        .failure = {.message = Notice{T::kPromptTitle, common::failed},
                    .label = common::failedLabel,
                    .statusPanel = 4,
                    .panelText = common::failedPanel},
        .portError = {T::kPromptTitle, common::portError},
        .refusalTitle = T::kPromptTitle,
        .closeBoxRefusal = common::busyCloseBox,
        .rows = {region::channels, region::names},
        .refreshOnActivate = true,
        .refreshOnFocus = true,
        .hideLabelWhenIdle = true,
    });
}

int frm_chann::readAddress(int request)
{
    const int pair = request / 2;
    return (request % 2 == 0 ? kChannelBase : kNameBase) + kBlockBytes * pair;
}

int frm_chann::writeRow(int packet)
{
    const int n = packet / 2;
    return packet % 2 == 0 ? record_row(n) : name_row(n);
}

std::optional<TransferPlan> frm_chann::plan(Direction direction)
{
    const Image& image = this->image();
    if (direction == Direction::Read) {
        const EditName read = edits::readFromRadio();
        const Text& caption = descriptor().caption;
        TransferPlan p = TransferPlan::read(kChannelBase, 2, 2 + kReadRequests - 2)  // slots 2..103
                             .storing(kRecordSlots, record_row(0))
                             .storing(kNameSlots, name_row(0))
                             .into(document(),
                                   {caption.in(true) + QLatin1Char(' ') + read.zh, caption.in(false) + QLatin1Char(' ') + read.en},
                                   {{record_row(0), record_row(4 * kStoredPairs - 1)}, {name_row(0), name_row(4 * kStoredPairs - 1)}},
                                   this)
                             .withRetries(kRetries, std::chrono::milliseconds(kRetryPauseMs));
        p.params.requestAddress = [](int request) { return uint16_t(readAddress(request)); };
        // After each request: the count reads i after the channel request of
        // pair i and i + 1 after its name request.
        p.progress = [](int request, int) -> std::optional<ProgressStep> {
            const int c = request / 2 + 1 + request % 2;
            return ProgressStep{std::min(100, c * 100 / (kReadPairs + 1)),
                                common::readingBefore.str() + QString::number(c) + common::readingAfter.str()};
        };
        return p;
    }
    TransferPlan p = TransferPlan::write(kChannelBase, 0, kWritePackets,
                                         [rows = fromImage(image)](int packet) { return rows(writeRow(packet)); })
                         .withRetries(kRetries, std::chrono::milliseconds(kRetryPauseMs));
    p.params.rowAddress = [](int packet) { return uint16_t(Image::addressOfRow(writeRow(packet))); };
    // Before each record n from 1 on.
    p.progress = [](int, int packet) -> std::optional<ProgressStep> {
        if (packet % 2 != 0 || packet < 2)
            return std::nullopt;
        const int n = packet / 2;
        return ProgressStep{std::min(100, n * 100 / kChannels),
                            T::kWritingBefore.str() + QString::number(n - 1) + T::kWritingAfter.str()};
    };
    return p;
}

void frm_chann::afterRead()
{
    RegionEditor::afterRead();
    // The names once more, by the wider rule, from the blocks as received.
    const auto& replies = engine().replies();
    for (int i = 0; i < kReadPairs; ++i) {
        const size_t slot = size_t(kNameSlots.slot(i));
        if (slot >= replies.size())
            break;
        const int request = 2 * i + 1;
        for (const ReceivedName& name : received_names(blockData(replies[slot]), readAddress(request)))
            setCell(name.channel, ColName, name.text);
    }
}

}  // namespace vx
