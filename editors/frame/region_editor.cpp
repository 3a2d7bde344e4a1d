#include "editors/frame/region_editor.h"

#include "image/image_changes.h"
#include "ui/cell_editing.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QEvent>
#include <QMdiSubWindow>

namespace vx {

RegionEditor::RegionEditor(EditorDescriptor descriptor, QWidget* parent)
    : TransferWindow(descriptor.window, parent), traits_(std::move(descriptor))
{
    connect(&imageChanges(), &ImageChanges::changed, this, &RegionEditor::imageChanged);
}

void RegionEditor::refresh() { display(); }

void RegionEditor::cancelCellEditing()
{
    for (CellEditing* cells : findChildren<CellEditing*>())
        cells->cancel();
}

void RegionEditor::announceChange()
{
    for (const region::Rows rows : traits_.rows)
        imageChanges().announce(rows, this);
}

// Someone else changed rows of the image: what the window shows of them is
// out of date, and so is any cell editor opened on it.
void RegionEditor::imageChanged(int first, int last, const QObject* source)
{
    if (!loaded_ || source == this)
        return;
    for (const region::Rows rows : traits_.rows) {
        if (overlaps(rows, {first, last})) {
            cancelCellEditing();
            refresh();
            return;
        }
    }
}

void RegionEditor::handleCommand(Command command)
{
    switch (command) {
    case Command::Default:
        if (traits_.defaultResetsProgress)
            progress().reset();
        replaceRegion([this] { loadDefaults(); });
        break;
    case Command::Clear:
        progress().hideBar();
        replaceRegion([this] { clearAll(); });
        break;
    case Command::Save: shell::reopenWindow(window::kSaveFile); break;
    case Command::Open: shell::reopenWindow(window::kOpenFile); break;
    default: break;
    }
}

// Default, Clear and a read replace what the window shows: open cell editors
// go unstored, the window shows the new contents and tells the others.
void RegionEditor::replaceRegion(const std::function<void()>& replace)
{
    cancelCellEditing();
    replace();
    refresh();
    announceChange();
}

void RegionEditor::afterRead()
{
    replaceRegion([] {});  // the read has stored its rows
}

bool RegionEditor::event(QEvent* event)
{
    // In the main window its frame's activation refreshes (connected when
    // shown): the main window regaining the focus from a message box or
    // another program does not activate the editor.
    if (event->type() == QEvent::WindowActivate && loaded_ && traits_.refreshOnActivate &&
        !qobject_cast<QMdiSubWindow*>(parentWidget()))
        refresh();
    return TransferWindow::event(event);
}

void RegionEditor::showEvent(QShowEvent* event)
{
    TransferWindow::showEvent(event);
    if (loaded_)
        return;
    loaded_ = true;
    // The window loads: timers off, transfer state clear, progress hidden.
    session().abandon();
    progress().reset();
    if (traits_.refreshOnActivate)
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(frame, &QMdiSubWindow::aboutToActivate, this, &RegionEditor::refresh);
    refresh();
}

void RegionEditor::focusInEvent(QFocusEvent* event)
{
    TransferWindow::focusInEvent(event);
    if (traits_.refreshOnFocus)
        refresh();
}

}  // namespace vx
