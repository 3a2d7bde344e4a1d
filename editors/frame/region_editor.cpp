#include "editors/frame/region_editor.h"

#include "ui/shell.h"

#include <QEvent>
#include <QMdiSubWindow>

namespace vx {

RegionEditor::RegionEditor(EditorDescriptor descriptor, QWidget* parent)
    : TransferWindow(descriptor.window, parent), traits_(std::move(descriptor))
{
}

void RegionEditor::handleCommand(Command command)
{
    switch (command) {
    case Command::Default:
        if (traits_.defaultResetsProgress)
            progress().reset();
        loadDefaults();
        refresh();
        break;
    case Command::Clear:
        progress().hideBar();
        clearAll();
        refresh();
        break;
    case Command::Save: shell::reopenWindow(QStringLiteral("Form_save_chann")); break;
    case Command::Open: shell::reopenWindow(QStringLiteral("Form_open_chann")); break;
    default: break;
    }
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
