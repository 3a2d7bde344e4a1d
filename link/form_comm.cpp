#include "link/form_comm.h"

#include "app/geometry.h"
#include "app/prompt.h"
#include "app/shell.h"
#include "link/form_comm_texts.h"
#include "link/whole_radio.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace vx {

namespace text = form_comm_text;

namespace {
constexpr int kMargin = 12;  // pixels
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 28;
constexpr int kBarHeight = 22;

void warn(const Text& message) { prompt(text::title, PromptIcon::Warning, message); }
}  // namespace

FormComm::FormComm(const Kind& kind, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      port_(makeSerialPort()),
      sender_(makeTimer()),
      timeout_(makeTimer()),
      retry_(makeTimer()),
      engine_(std::make_unique<TransferEngine>(*port_, *sender_, *timeout_, *retry_))
{
    setObjectName(QString::fromLatin1(kind.name));

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label_tr_count"));
    label_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setVisible(false);

    start_ = new QPushButton(this);
    start_->setObjectName(QString::fromLatin1(kind.startName));
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Command_Cancel"));
    help_ = new QPushButton(this);
    help_->setObjectName(QStringLiteral("Command_Help"));  // no action
    connect(start_, &QPushButton::clicked, this, &FormComm::start);
    connect(cancel_, &QPushButton::clicked, this, &FormComm::cancel);

    // Hooks call members only: a member may be left through a prompt after
    // which the window is gone, and the hook must not touch it again.
    engine_->hooks.portError = [this] { warn(text::portError); };
    engine_->hooks.progress = [this](int n) { progress(n); };
    engine_->hooks.finished = [this] { finished(); };
    engine_->hooks.failed = [this] { failed(); };

    caption();
    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
}

FormComm::~FormComm() = default;

void FormComm::caption()
{
    setWindowTitle(kind_.caption);
    start_->setText(kind_.startCaption);
    cancel_->setText(text::cancel);
    help_->setText(text::help);
}

void FormComm::start()
{
    if (engine_->busy()) {
        warn(text::busy);
        return;
    }
    if (begin(*engine_)) {
        bar_->setValue(0);
        bar_->setVisible(true);
        label_->setText(text::connecting);
    }
}

void FormComm::cancel()
{
    if (engine_->busy()) {
        warn(text::noClose);
        return;
    }
    engine_->abandon();  // closes the port; a pending retry goes too
    close();
}

void FormComm::progress(int n)
{
    bar_->setValue(n * 100 / kind_.progressTotal);
    label_->setText(kind_.progressBefore.str() + QString::number(n) + kind_.progressAfter.str());
}

void FormComm::showDone(const Text& message, const Text& label)
{
    QPointer<FormComm> self(this);
    warn(message);
    if (self)
        label_->setText(label);
}

void FormComm::showFailed(bool hideBar)
{
    QPointer<FormComm> self(this);
    if (hideBar) {
        bar_->setValue(0);
        bar_->setVisible(false);
    }
    warn(text::failed);
    if (!self)
        return;
    bar_->setValue(0);
    label_->setText(text::failedLabel);
}

void FormComm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    caption();
    if (!placed_) {
        placed_ = true;
        placeInMainWindow();
    }
    layOut();
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

void FormComm::closeEvent(QCloseEvent* event)
{
    // Closing by the frame is not refused: the transfer is abandoned.
    engine_->abandon();
    event->accept();
}

void FormComm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void FormComm::layOut()
{
    // The rise is measured from the bottom of the whole window, title bar
    // and borders included (the size the geometry rule gives).
    const int w = width();
    int outerHeight = height();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        outerHeight = frame->height();
    else if (isWindow())
        outerHeight = frameGeometry().height();
    const int lowest = height() - kButtonHeight - kMargin;
    const int buttonsTop = std::max(std::min(outerHeight - twipsToPixels(kButtonRise), lowest),
                                    kMargin * 4 + kBarHeight + kButtonHeight);
    // Label and bar sit just above the button row.
    const int barTop = buttonsTop - kMargin * 2 - kBarHeight;
    bar_->setGeometry(kMargin * 2, barTop, w - 4 * kMargin, kBarHeight);
    label_->setGeometry(kMargin, std::max(barTop - kMargin - kButtonHeight, 0), w - 2 * kMargin, kButtonHeight);
    const int gap = std::max((w - 3 * kButtonWidth) / 4, 4);
    QPushButton* buttons[] = {start_, cancel_, help_};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(gap + i * (kButtonWidth + gap), buttonsTop, kButtonWidth, kButtonHeight);
}

// --- read ------------------------------------------------------------------

Form_Comm_Read::Form_Comm_Read(QWidget* parent)
    : FormComm({"Form_Comm_Read", text::readCaption, "Command_read", text::read, text::readingBefore,
                text::readingAfter, kWholeReadBlocks},
               parent)
{
}

bool Form_Comm_Read::begin(TransferEngine& engine)
{
    engine.setRetries(kWholeReadRetries);
    return engine.start(wholeReadParams());
}

void Form_Comm_Read::finished()
{
    // The image changes only here, once every block has arrived.
    wholeReadToImage(engine().replies(), appImage());
    showDone(text::readDone, text::readDoneLabel);
}

void Form_Comm_Read::failed() { showFailed(false); }

// --- write -----------------------------------------------------------------

Form_Comm_Write::Form_Comm_Write(QWidget* parent)
    : FormComm({"Form_Comm_Write", text::writeCaption, "Command_Write", text::write, text::writingBefore,
                text::writingAfter, kWholeWriteRows},
               parent)
{
}

bool Form_Comm_Write::begin(TransferEngine& engine)
{
    runBeforeWholeWrite(appImage());
    engine.setRetries(kWholeWriteRetries);
    return engine.start(wholeWriteParams(appImage()));
}

void Form_Comm_Write::finished() { showDone(text::writeDone, text::writeDoneLabel); }

void Form_Comm_Write::failed() { showFailed(true); }

}  // namespace vx
