#include "link/transfer_window.h"

#include "ui/geometry.h"
#include "ui/shell.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace vx {

namespace {
// Button row, twips.
constexpr int kButtonWidth = 1300;
constexpr int kButtonHeight = 495;
constexpr int kButtonGap = 150;
constexpr int kMargin = 180;
constexpr int kProgressHeight = 300;  // one row; the stacked layout takes two
}  // namespace

TransferWindow::TransferWindow(WindowDescriptor descriptor, RadioDocument& doc, QWidget* parent)
    : QWidget(parent), descriptor_(std::move(descriptor)), doc_(doc), session_(new TransferSession(LinkContext::of(doc), this)),
      progress_(new ProgressPanel(this, descriptor_.progressLayout, descriptor_.hideLabelWhenIdle))
{
    setObjectName(QString::fromLatin1(descriptor_.name));
    for (const ButtonSpec& spec : descriptor_.buttons) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(spec.name));
        const Command command = spec.command;
        connect(b, &QPushButton::clicked, this, [this, command] { runCommand(command); });
        buttons_.emplace_back(command, b);
    }
    connect(session_, &TransferSession::progressed, progress_, &ProgressPanel::step);
    connect(session_, &TransferSession::succeeded, this, &TransferWindow::onSucceeded);
    connect(session_, &TransferSession::failed, this, &TransferWindow::onFailed);
    connect(session_, &TransferSession::portError, this, &TransferWindow::onPortError);

    resize(twipsToPixels(descriptor_.designWidth), twipsToPixels(descriptor_.designHeight));
    shell::placeChild(this, descriptor_.designWidth, descriptor_.designHeight);
    TransferWindow::caption();
}

TransferWindow::~TransferWindow()
{
    // The session closes its port before the window's children go.
    session_->abandon();
}

QPushButton* TransferWindow::button(Command command) const
{
    for (const auto& [c, b] : buttons_)
        if (c == command)
            return b;
    return nullptr;
}

void TransferWindow::caption()
{
    setWindowTitle(descriptor_.caption);
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].second->setText(descriptor_.buttons[i].caption);
}

void TransferWindow::runCommand(Command command)
{
    if (busy()) {
        if (const auto refusal = descriptor_.refusal(command)) {
            warn(*refusal);
            return;
        }
    }
    switch (command) {
    case Command::Read: startTransfer(Direction::Read); break;
    case Command::Write: startTransfer(Direction::Write); break;
    case Command::Close:
        session_->abandon();  // closes the port; a pending retry goes too
        closing();
        closeWindow();
        break;
    case Command::Help: break;
    default: handleCommand(command); break;
    }
}

void TransferWindow::startTransfer(Direction direction)
{
    if (busy())
        return;
    std::optional<TransferPlan> p = plan(direction);
    if (!p)
        return;
    lastDirection_ = direction;
    if (session_->start(std::move(*p)))
        progress_->begin(descriptor_.texts.connecting);
}

void TransferWindow::onSucceeded(Direction direction)
{
    QPointer<TransferWindow> self(this);
    if (direction == Direction::Read)
        afterRead();
    else
        afterWrite();
    if (!self || descriptor_.ownEndReports)
        return;
    progress_->reportEnd(direction == Direction::Read ? descriptor_.texts.readDone : descriptor_.texts.writeDone);
}

void TransferWindow::onFailed(Direction direction)
{
    QPointer<TransferWindow> self(this);
    progress_->reportFailure(descriptor_.texts.failure);
    if (self)
        afterFailure(direction);
}

void TransferWindow::onPortError(bool midTransfer)
{
    if (!midTransfer) {
        warn(descriptor_.texts.portError);  // the bar and label stay as they were
        return;
    }
    // The direction of the transfer the lost device ended.
    const Direction direction = lastDirection_;
    QPointer<TransferWindow> self(this);
    progress_->reportPortLost(descriptor_.texts.failure, descriptor_.texts.portError);
    if (self)
        afterFailure(direction);
}

void TransferWindow::closeWindow()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TransferWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    caption();
    nameControlsByLabels();
    layOut();
}

// A control with a label of its own (its buddy) carries the label's text
// as its accessible name, in the language it is shown in: a list would
// otherwise be announced by its value alone.
void TransferWindow::nameControlsByLabels()
{
    for (QLabel* label : findChildren<QLabel*>())
        if (QWidget* control = label->buddy())
            control->setAccessibleName(label->text().remove(QLatin1Char('&')).trimmed());
}

void TransferWindow::closeEvent(QCloseEvent* event)
{
    if (busy() && descriptor_.closeBoxRefusal) {
        warn(*descriptor_.closeBoxRefusal);
        event->ignore();
        return;
    }
    session_->abandon();
    event->accept();
}

void TransferWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

// The button row's top lies buttonRise twips above the bottom of the whole
// window, title bar and borders included (the size the geometry rule
// gives); the progress row progressRise twips above it; the window's own
// controls above that.
void TransferWindow::layOut()
{
    const int w = width();
    const int h = height();
    const int margin = twipsToPixels(kMargin);
    const int buttonH = twipsToPixels(kButtonHeight);
    const int rowH = twipsToPixels(kProgressHeight) * (descriptor_.progressLayout == ProgressLayout::Stacked ? 2 : 1);
    int outerH = h;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        outerH = frame->height();
    else if (isWindow())
        outerH = frameGeometry().height();
    const int progressRise = twipsToPixels(descriptor_.progressRise);
    const int buttonTop = std::clamp(outerH - twipsToPixels(descriptor_.buttonRise), progressRise + margin,
                                     std::max(progressRise + margin, h - buttonH - margin / 2));
    const int progressTop = std::max(0, buttonTop - progressRise);

    const int rowW = int(w / 1.02);
    const int rowX = (w - rowW) / 2;
    const int count = int(buttons_.size());
    if (count > 0) {
        const int minGap = twipsToPixels(kButtonGap);
        const int buttonW = std::max(1, std::min(twipsToPixels(kButtonWidth), (rowW - (count + 1) * minGap) / count));
        const int gap = std::max(minGap, (rowW - count * buttonW) / (count + 1));
        int x = rowX + (rowW - (count * buttonW + (count - 1) * gap)) / 2;
        for (const auto& [c, b] : buttons_) {
            b->setGeometry(x, buttonTop, buttonW, buttonH);
            x += buttonW + gap;
        }
    }
    progress_->layOut(QRect(rowX, progressTop, rowW, rowH));
    layOutContent(QRect(0, 0, w, std::max(0, progressTop - margin / 2)));
}

}  // namespace vx
