#include "editors/signalling/signalling_frame.h"

#include "editors/signalling/signalling_texts.h"
#include "link/transfer_texts.h"
#include "ui/field_events.h"

#include <QComboBox>

#include <chrono>

namespace vx::signalling {

namespace common = transfer_text;
namespace T = signalling_texts;

EditorDescriptor descriptor(const WindowTexts& texts)
{
    const Notice busy{common::title, common::busy};
    WindowDescriptor d{
        .name = texts.name,
        .caption = texts.caption,
        .designWidth = kDesignW,
        .designHeight = kDesignH,
    };
    d.buttons = {
        {Command::Read, "Command_read", T::kRead},     {Command::Write, "Command_write", T::kWrite},
        {Command::Default, "Command_def", T::kDefault}, {Command::Save, "Command_save", T::kSave},
        {Command::Open, "Command_open", T::kOpen},     {Command::Close, "Command_close", T::kClose},
    };
    d.texts = {
        .connecting = common::connecting,
        .portError = {common::titleCapital, common::portOpenError},
        // Shown, bar at 100 and label set, before the message.
        .readDone = {.message = {common::titleCapital, T::kReadDone}, .label = texts.readOk, .labelFirst = true, .bar = 100},
        .writeDone = {.message = {common::titleCapital, texts.writeMessage}, .label = texts.writeOk},
        .failure = {.message = Notice{common::title, common::failed}, .label = common::failedLabel},
    };
    d.busyRefusals = {
        {Command::Read, busy}, {Command::Write, busy}, {Command::Default, busy},
        {Command::Open, busy}, {Command::Save, busy},  {Command::Close, busy},
    };
    if (texts.refuseCloseBox)
        d.closeBoxRefusal = Notice{common::title, common::busyCloseBox};
    return {.window = d,
            .refreshOnActivate = texts.refreshOnActivate,
            .refreshOnFocus = false,
            .defaultResetsProgress = texts.defaultResetsProgress};
}

std::optional<TransferPlan> plan(Direction direction, const Range& range, Image& image)
{
    const auto pause = std::chrono::milliseconds(kRetryPauseMs);
    if (direction == Direction::Read) {
        // Slots 2..blocks + 1; after slot s is stored the label counts s + 1.
        const int blocks = range.readBlocks();
        return TransferPlan::read(uint16_t(range.readRows.address()), 2, blocks)
            .storing(SlotRun{2, blocks}, range.readRows.first, intoImage(image))
            .withRetries(kRetries, pause)
            .withProgress(countingProgress(common::readingBefore, common::readingAfter, blocks + 1, 1));
    }
    const int rows = range.writeRows.count();
    return TransferPlan::write(uint16_t(range.writeRows.address()), 0, rows, fromImage(image, range.writeRows.first))
        .withRetries(kRetries, pause)
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, rows));
}

QComboBox* storedList(QWidget* parent, const QString& name, const QStringList& entries, region::Rows rows, field::List8 f)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(entries);
    combo->setMaxVisibleItems(15);
    discardTyping(combo);
    QObject::connect(combo, &QComboBox::activated, combo, [rows, f](int position) { f.put(RecordRef(appImage(), rows), position); });
    return combo;
}

}  // namespace vx::signalling
