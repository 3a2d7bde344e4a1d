#include "app/form_comm.h"

#include "app/form_comm_texts.h"
#include "editors/defaults.h"
#include "app/restore_keeping.h"
#include "link/transfer_texts.h"
#include "link/whole_radio.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QMdiSubWindow>

#include <algorithm>
#include <utility>

namespace vx {

namespace {

namespace text = form_comm_text;
namespace common = transfer_text;

// What the two dialogs share; `read` picks the read dialog's parts.
WindowDescriptor dialog(bool read)
{
    const Notice busy{common::title, common::busy};
    WindowDescriptor d{
        .name = read ? window::kCommRead : window::kCommWrite,
        .caption = read ? text::readCaption : text::writeCaption,
        .designWidth = FormComm::kDesignWidth,
        .designHeight = FormComm::kDesignHeight,
        .buttonRise = FormComm::kButtonRise,
        .progressRise = 1300,
        .progressLayout = ProgressLayout::Stacked,
    };
    d.buttons = {
        read ? ButtonSpec{Command::Read, "Command_read", text::read} : ButtonSpec{Command::Write, "Command_Write", text::write},
        {Command::Close, "Command_Cancel", text::cancel},
        {Command::Help, "Command_Help", text::help},
    };
    d.texts = {
        .connecting = common::connecting,
        .portError = {common::title, common::portError},
        .readDone = {.message = {common::title, common::readDone}, .label = text::readDoneLabel},
        .writeDone = {.message = {common::title, common::writeDone}, .label = text::writeDoneLabel},
        .failure = {.message = Notice{common::title, common::failed},
                    .label = common::failedLabel,
                    .hideBar = !read},  // the write hides its bar, the read keeps it
    };
    d.busyRefusals = {{Command::Read, busy},
                      {Command::Write, busy},
                      {Command::Close, {common::title, common::busyClose}}};
    // Closing by the frame is not refused: the transfer is abandoned.
    return d;
}

}  // namespace

FormComm::FormComm(WindowDescriptor descriptor, RadioDocument& doc, QWidget* parent)
    : TransferWindow(std::move(descriptor), doc, parent)
{
}

void FormComm::keepRestorePoint(bool read, region::Rows rows)
{
    keep_restore_point(document(), document().image(), read ? restore::Kind::Read : restore::Kind::Write, rows);
}

void FormComm::showEvent(QShowEvent* event)
{
    TransferWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        placeInMainWindow();
    }
}

// The shell centres the frame; its top goes to (main height - height) / 1.5,
// kept inside the main window's client area.
void FormComm::placeInMainWindow()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    const QSize main = shell::mainWindowSize();
    const QRect client = shell::clientArea();
    if (!frame || main.isEmpty() || client.isEmpty())
        return;
    int top = int((main.height() - frame->height()) / 1.5);
    top = std::clamp(top, 0, std::max(0, client.height() - frame->height()));
    frame->move(frame->x(), top);
}

// --- read ------------------------------------------------------------------

Form_Comm_Read::Form_Comm_Read(RadioDocument& doc, QWidget* parent) : FormComm(dialog(true), doc, parent) {}

// Every whole read is kept as a restore point of the radio read.
void Form_Comm_Read::afterRead() { keepRestorePoint(true, region::wholeRead); }

std::optional<TransferPlan> Form_Comm_Read::plan(Direction direction)
{
    if (direction != Direction::Read)
        return std::nullopt;
    // The image changes only at the finish, once every block has arrived, as
    // one edit: every open editor shows what was read before the report
    // comes up.
    return wholeReadPlan(document(), this)
        .withProgress(countingProgress(common::readingBefore, common::readingAfter, kWholeReadBlocks));
}

// --- write -----------------------------------------------------------------

Form_Comm_Write::Form_Comm_Write(RadioDocument& doc, QWidget* parent) : FormComm(dialog(false), doc, parent) {}

// What a whole write sent is kept as the radio's newest restore point.
void Form_Comm_Write::afterWrite() { keepRestorePoint(false, region::wholeWrite); }

std::optional<TransferPlan> Form_Comm_Write::plan(Direction direction)
{
    if (direction != Direction::Write)
        return std::nullopt;
    // The constant tables (the 5-tone standards) go into the image first.
    // An open 5-tone window shows them before anything is sent.
    prepare_whole_write(document(), this);
    return wholeWritePlan(document().image())
        .withProgress(countingProgress(common::writingBefore, common::writingAfter, kWholeWriteRows));
}

}  // namespace vx
