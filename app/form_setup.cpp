#include "app/form_setup.h"

#include "app/form_setup_texts.h"
#include "app/mdimain.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/portmap.h"
#include "link/status.h"
#include "link/transfer_texts.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include <algorithm>

namespace vx {

namespace text = form_setup_text;

namespace {
constexpr int kMargin = 8;  // pixels
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kColumns = 4;  // COM1-4, COM5-8, COM9-12: one device family a row
}  // namespace

Form_setup::Form_setup(RadioDocument& doc, QWidget* parent) : Form_setup(doc, mainIdentification(), parent) {}

Form_setup::Form_setup(RadioDocument& doc, Identification* identification, QWidget* parent)
    : QWidget(parent), doc_(doc), identification_(identification)
{
    setObjectName(window::kSetup);

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame_);
    group_ = new QButtonGroup(this);
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        auto* option = new QRadioButton(QStringLiteral("COM%1").arg(n), frame_);
        option->setObjectName(QStringLiteral("Option%1").arg(n));
        options_[n - 1] = option;
        group_->addButton(option, n);
        grid->addWidget(option, (n - 1) / kColumns, (n - 1) % kColumns);
    }

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("Command_ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Command_Cancel"));
    connect(ok_, &QPushButton::clicked, this, &Form_setup::confirm);
    connect(cancel_, &QPushButton::clicked, this, &Form_setup::closeDialog);

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
}

int Form_setup::selectedPort() const { return std::max(group_->checkedId(), 0); }

void Form_setup::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!prepared_) {
        prepared_ = true;
        prepare();
    }
}

void Form_setup::closeEvent(QCloseEvent* event)
{
    prepared_ = false;  // the next showing starts afresh
    QWidget::closeEvent(event);
}

void Form_setup::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

// Captions, geometry and the selection of the current port, each time the
// dialog opens.
void Form_setup::prepare()
{
    setWindowTitle(text::caption);
    frame_->setTitle(text::frame);
    ok_->setText(text::ok);
    cancel_->setText(text::cancel);
    for (int n = kFirstPort; n <= kLastPort; ++n)
        options_[n - 1]->setToolTip(deviceForPort(n));

    shell::placeChild(this, kDesignWidth, kDesignHeight);
    layOut();

    // Clear all twelve, then select the current port (none if it is out of range).
    group_->setExclusive(false);
    for (QRadioButton* option : options_)
        option->setChecked(false);
    group_->setExclusive(true);
    const int current = doc_.portNumber();
    if (current >= kFirstPort && current <= kLastPort)
        options_[current - 1]->setChecked(true);
}

// Frame1 fills the space above the button row, whose top lies kButtonRise
// twips above the bottom edge of the whole window, title bar and borders
// included (the size the geometry rule gives), so some of the rise lies
// below the client area.
void Form_setup::layOut()
{
    int outerHeight = height();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        outerHeight = frame->height();
    else if (isWindow())
        outerHeight = frameGeometry().height();
    const int buttonTop = std::clamp(outerHeight - twipsToPixels(kButtonRise), kMargin,
                                     std::max(height() - kButtonHeight - kMargin, kMargin));
    frame_->setGeometry(kMargin, kMargin, std::max(width() - 2 * kMargin, 0),
                        std::max(buttonTop - 2 * kMargin, 0));
    const int gap = std::max((width() - 2 * kButtonWidth) / 3, 0);
    ok_->setGeometry(gap, buttonTop, kButtonWidth, kButtonHeight);
    cancel_->setGeometry(2 * gap + kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
}

void Form_setup::confirm()
{
    if (const int chosen = selectedPort())
        doc_.setPortNumber(chosen);  // none selected: the port number stays

    for (int panel : {2, 4, 6, 8, 10})
        setStatusPanel(panel, QString());

    if (!openChosenPort())
        return;  // the port message was shown; another choice may follow
    if (identification_)
        identification_->start();  // closes the test opening again and probes with three retries
    closeDialog();
}

// Opens the chosen port once as a test, after closing the identification's
// port: a port still open on the old number proves nothing.
bool Form_setup::openChosenPort()
{
    if (identification_)
        identification_->closePort();
    doc_.setPortFailure(false);
    const std::unique_ptr<SerialPort> port = makeSerialPort();
    if (!port->open(doc_.portNumber())) {
        doc_.setPortFailure(true);
        prompt(transfer_text::titleCapital, PromptIcon::Warning, transfer_text::portOpenError);
        return false;
    }
    port->close();
    return true;
}

// As a child of the main window the shell closes it (its frame with it);
// standing alone it closes itself.
void Form_setup::closeDialog()
{
    if (shell::findWindow(objectName()) == this)
        shell::closeWindow(objectName());
    else
        close();
}

}  // namespace vx
