#include "editors/frame/editor_parts.h"

#include "ui/controls.h"

#include <QComboBox>

namespace vx::frame {

namespace common = transfer_text;

EditorDescriptor describe(const EditorSpec& spec)
{
    WindowDescriptor d{
        .name = spec.name,
        .caption = spec.caption,
        .designWidth = spec.designWidth,
        .designHeight = spec.designHeight,
        .buttonRise = spec.buttonRise,
        .progressRise = spec.progressRise,
        .hideLabelWhenIdle = spec.hideLabelWhenIdle,
    };
    d.buttons = spec.buttons;
    d.texts = {
        .connecting = common::connecting,
        .portError = spec.portError,
        .readDone = spec.readDone,
        .writeDone = spec.writeDone,
        .failure = spec.failure,
    };
    for (const ButtonSpec& b : spec.buttons) {
        switch (b.command) {
        case Command::Help: break;
        case Command::Clear: d.busyRefusals.push_back({b.command, {spec.refusalTitle, common::busyClear}}); break;
        case Command::Close: d.busyRefusals.push_back({b.command, {spec.refusalTitle, spec.closeRefusal}}); break;
        default: d.busyRefusals.push_back({b.command, {spec.refusalTitle, common::busy}}); break;
        }
    }
    if (spec.closeBoxRefusal)
        d.closeBoxRefusal = Notice{spec.refusalTitle, *spec.closeBoxRefusal};
    return {.window = d,
            .rows = spec.rows,
            .refreshOnActivate = spec.refreshOnActivate,
            .refreshOnFocus = spec.refreshOnFocus,
            .defaultResetsProgress = spec.defaultResetsProgress};
}

TransferPlan readBlocks(uint16_t base, int lastSlot, int stored, int firstRow, RowSink sink, Retry retry)
{
    return TransferPlan::read(base, 2, lastSlot)
        .storing(SlotRun{2, stored}, firstRow, std::move(sink))
        .withRetries(retry.count, retry.pause)
        .withProgress(countingProgress(common::readingBefore, common::readingAfter, lastSlot + 1, 1));
}

TransferPlan writeRows(region::Rows rows, const Image& image, Retry retry)
{
    return TransferPlan::write(uint16_t(rows.address()), 0, rows.count(), fromImage(image, rows.first))
        .withRetries(retry.count, retry.pause)
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, rows.count()));
}

QComboBox* storedList(QWidget* parent, const QString& name, const QStringList& entries, region::Rows rows, field::List8 f)
{
    QComboBox* combo = ui::makeList(parent, name, entries);
    QObject::connect(combo, &QComboBox::activated, combo, [rows, f](int position) { f.put(RecordRef(appImage(), rows), position); });
    return combo;
}

}  // namespace vx::frame
