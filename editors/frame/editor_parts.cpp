#include "editors/frame/editor_parts.h"

#include <QLabel>

#include "ui/controls.h"

#include <QComboBox>

namespace vx::frame {

namespace common = transfer_text;

EditorDescriptor describe(const EditorSettings& settings)
{
    WindowDescriptor d{
        .name = settings.name,
        .caption = settings.caption,
        .designWidth = settings.designWidth,
        .designHeight = settings.designHeight,
        .buttonRise = settings.buttonRise,
        .progressRise = settings.progressRise,
        .hideLabelWhenIdle = settings.hideLabelWhenIdle,
    };
    d.buttons = settings.buttons;
    d.texts = {
        .connecting = common::connecting,
        .portError = settings.portError,
        .readDone = settings.readDone,
        .writeDone = settings.writeDone,
        .failure = settings.failure,
    };
    for (const ButtonSpec& b : settings.buttons) {
        switch (b.command) {
        case Command::Help: break;
        case Command::Clear: d.busyRefusals.push_back({b.command, {settings.refusalTitle, common::busyClear}}); break;
        case Command::Close: d.busyRefusals.push_back({b.command, {settings.refusalTitle, settings.closeRefusal}}); break;
        default: d.busyRefusals.push_back({b.command, {settings.refusalTitle, common::busy}}); break;
        }
    }
    if (settings.closeBoxRefusal)
        d.closeBoxRefusal = Notice{settings.refusalTitle, *settings.closeBoxRefusal};
    return {.window = d,
            .rows = settings.rows,
            .refreshOnActivate = settings.refreshOnActivate,
            .refreshOnFocus = settings.refreshOnFocus,
            .defaultResetsProgress = settings.defaultResetsProgress};
}

TransferPlan readBlocks(uint16_t base, int lastSlot, int stored, int firstRow, RowSink sink, Retry retry)
{
    return TransferPlan::read(base, 2, lastSlot)
        .storing(SlotRun{2, stored}, firstRow, std::move(sink))
        .withRetries(retry.count, retry.pause)
        .withProgress(countingProgress(common::readingBefore, common::readingAfter, lastSlot + 1, 1));
}

TransferPlan readBlocks(uint16_t base, int lastSlot, int stored, int firstRow, const TransferWindow& window, Retry retry)
{
    const Text& caption = window.descriptor().caption;
    const EditName read = edits::readFromRadio();
    const EditName name{caption.in(true) + QLatin1Char(' ') + read.zh, caption.in(false) + QLatin1Char(' ') + read.en};
    return TransferPlan::read(base, 2, lastSlot)
        .storing(SlotRun{2, stored}, firstRow)
        .into(window.document(), name, {{firstRow, firstRow + 4 * stored - 1}}, &window)
        .withRetries(retry.count, retry.pause)
        .withProgress(countingProgress(common::readingBefore, common::readingAfter, lastSlot + 1, 1));
}

TransferPlan writeRows(region::Rows rows, const Image& image, Retry retry)
{
    return TransferPlan::write(uint16_t(rows.address()), 0, rows.count(), fromImage(image, rows.first))
        .withRetries(retry.count, retry.pause)
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, rows.count()));
}

QComboBox* storedList(QWidget* parent, const QString& name, const QStringList& entries, region::Rows rows, field::List8 f,
                      EditRows edit)
{
    QComboBox* combo = ui::makeList(parent, name, entries);
    QObject::connect(combo, &QComboBox::activated, combo, [rows, f, edit](int position) {
        edit([&](Image& image) { f.put(RecordRef(image, rows), position); });
    });
    return combo;
}

void nameControls(QWidget* window, const std::vector<std::pair<QLabel*, const Setting*>>& labels)
{
    for (const auto& [label, row] : labels)
        if (label && row && row->control)
            if (auto* control = window->findChild<QWidget*>(QString::fromLatin1(row->control)))
                label->setBuddy(control);
}

}  // namespace vx::frame
