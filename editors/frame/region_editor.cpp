#include "editors/frame/region_editor.h"

#include "ui/cell_editing.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QEvent>
#include <QMdiSubWindow>

namespace vx {

RegionEditor::RegionEditor(EditorDescriptor descriptor, RadioDocument& doc, QWidget* parent)
    : TransferWindow(descriptor.window, doc, parent), traits_(std::move(descriptor))
{
    connect(&doc, &RadioDocument::changed, this, &RegionEditor::imageChanged);
}

EditName RegionEditor::name(const EditName& what) const
{
    const Text& caption = traits_.window.caption;
    auto join = [](QString window, const QString& part) { return part.isEmpty() ? window : window + QLatin1Char(' ') + part; };
    return {join(caption.in(true), what.zh), join(caption.in(false), what.en)};
}

EditName RegionEditor::name(const Text& what) const
{
    return name(EditName{QString::fromUtf8(what.zh ? what.zh : ""), QString::fromUtf8(what.en ? what.en : "")});
}

bool RegionEditor::edit(const EditName& name, const RadioDocument::Change& change)
{
    return document().edit(name, traits_.rows, change, this);
}

bool RegionEditor::typed(const EditName& name, const RadioDocument::Change& change)
{
    return document().typed(name, traits_.rows, change, this);
}

void RegionEditor::endTyping() { document().endTyping(this); }

void RegionEditor::refresh() { display(); }

void RegionEditor::cancelCellEditing()
{
    for (CellEditing* cells : findChildren<CellEditing*>())
        cells->cancel();
    endTyping();
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
        replaceRegion(name(edits::defaults()), [this](Image& image) { loadDefaults(image); });
        break;
    case Command::Clear:
        progress().hideBar();
        replaceRegion(name(edits::clear()), [this](Image& image) { clearAll(image); });
        break;
    case Command::Save: shell::reopenWindow(window::kSaveFile); break;
    case Command::Open: shell::reopenWindow(window::kOpenFile); break;
    default: break;
    }
}

// Default, Clear and a read replace what the window shows: open cell editors
// go unstored, the window shows the new contents; the edit tells the others.
void RegionEditor::replaceRegion(const EditName& name, const RadioDocument::Change& replace)
{
    cancelCellEditing();
    edit(name, replace);
    refresh();
}

// The read has stored its rows as one edit, announced to the others.
void RegionEditor::afterRead()
{
    cancelCellEditing();
    refresh();
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
