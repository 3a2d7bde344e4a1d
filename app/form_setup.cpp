#include "app/form_setup.h"

#include "app/form_setup_texts.h"
#include "app/mdimain.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/port_inventory.h"
#include "link/portmap.h"
#include "link/status.h"
#include "link/transfer_texts.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
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
constexpr int kDesignHeightWithDevices = Form_setup::kDesignHeight + Form_setup::kDevicesHeight;
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

    devicesLabel_ = new QLabel(this);
    devicesLabel_->setObjectName(QStringLiteral("Label_Devices"));
    devices_ = new QListWidget(this);
    devices_->setObjectName(QStringLiteral("List_Devices"));
    devices_->setSelectionMode(QAbstractItemView::NoSelection);
    devices_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    devicesLabel_->setBuddy(devices_);

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("Command_ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Command_Cancel"));
    connect(ok_, &QPushButton::clicked, this, &Form_setup::confirm);
    connect(cancel_, &QPushButton::clicked, this, &Form_setup::closeDialog);

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeightWithDevices));
    shell::placeChild(this, kDesignWidth, kDesignHeightWithDevices);
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
    devicesLabel_->setText(text::devices);
    listDevices();

    shell::placeChild(this, kDesignWidth, kDesignHeightWithDevices);
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

// The devices found, present ones only (the option buttons show every COM
// number), as the port inventory lists them: each with its COM number and
// name, likely cables in bold and marked, what else is known as its tooltip.
void Form_setup::listDevices()
{
    devices_->clear();
    const bool zh = chinese();
    for (const PortEntry& e : portInventory()) {
        if (!e.present)
            continue;
        QStringList parts{e.port ? QStringLiteral("COM%1").arg(e.port) : text::noComNumber.in(zh), e.device};
        if (const QString name = device_name(e, zh); !name.isEmpty())
            parts << name;
        QString line = parts.join(QStringLiteral("  "));
        if (e.cable)
            line += text::likelyCable.in(zh);
        if (e.inUse)
            line += text::inUse.in(zh);
        auto* item = new QListWidgetItem(line, devices_);
        QStringList tip;
        if (e.location != e.device)
            tip << e.location;
        if (const QString ids = usb_ids(e); !ids.isEmpty())
            tip << text::usbIds.in(zh).arg(ids);
        if (!e.port)
            tip << text::unreachedTip.in(zh).arg(QDir::toNativeSeparators(portLinkFolder()));
        item->setToolTip(tip.join(QLatin1Char('\n')));
        if (e.cable) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    if (devices_->count() == 0)
        new QListWidgetItem(text::noDevices.in(zh), devices_);
}

// Frame1 fills the space above the device list and the button row, whose
// top lies kButtonRise twips above the bottom edge of the whole window,
// title bar and borders included (the size the geometry rule gives), so
// some of the rise lies below the client area. The list takes the
// window's kDevicesHeight share, so Frame1 is as tall as in a window of
// the design height.
void Form_setup::layOut()
{
    int outerHeight = height();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        outerHeight = frame->height();
    else if (isWindow())
        outerHeight = frameGeometry().height();
    const int buttonTop = std::clamp(outerHeight - twipsToPixels(kButtonRise), kMargin,
                                     std::max(height() - kButtonHeight - kMargin, kMargin));
    const int strip = outerHeight * kDevicesHeight / kDesignHeightWithDevices;
    const int listTop = std::max(buttonTop - strip, kMargin);
    const int innerWidth = std::max(width() - 2 * kMargin, 0);
    frame_->setGeometry(kMargin, kMargin, innerWidth, std::max(listTop - 2 * kMargin, 0));
    const int labelHeight = devicesLabel_->sizeHint().height();
    devicesLabel_->setGeometry(kMargin, listTop, innerWidth, labelHeight);
    devices_->setGeometry(kMargin, listTop + labelHeight, innerWidth, std::max(buttonTop - kMargin - listTop - labelHeight, 0));
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
