#include "app/compare_window.h"

#include "app/compare_window_texts.h"
#include "app/file_dialog.h"
#include "app/restore_keeping.h"
#include "app/restore_window.h"
#include "interchange/datafile.h"
#include "link/progress_panel.h"
#include "link/transfer_session.h"
#include "link/transfer_texts.h"
#include "link/whole_radio.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vx {

namespace {

namespace text = compare_window_text;
namespace common = transfer_text;

void report(const QString& message) { warn(text::promptTitle, message); }

// How the radio's read ends when it fails, as the whole-radio read's.
FailureReport failure()
{
    return {.message = Notice{common::title, common::failed}, .label = common::failedLabel};
}

// "3 settings and 1 row differ", "1 row differs", "The two are the same."
QString summaryOf(const config::Difference& d)
{
    const int settings = int(d.settings.size());
    const int rows = int(d.rawRows.size());
    if (settings == 0 && rows == 0)
        return text::same;
    const QString s = settings == 1 ? text::oneSetting.str() : text::settings.str().arg(settings);
    const QString r = rows == 1 ? text::oneRow.str() : text::rows.str().arg(rows);
    if (settings > 0 && rows > 0)
        return text::bothDiffer.str().arg(s, r);
    const int n = settings > 0 ? settings : rows;
    return (n == 1 ? text::oneDiffers : text::manyDiffer).str().arg(settings > 0 ? s : r);
}

}  // namespace

Form_compare::Form_compare(RadioDocument& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      session_(new TransferSession(LinkContext::of(doc), this)),
      progress_(new ProgressPanel(this, ProgressLayout::SideBySide, false)),
      pickHint_(new QLabel(this)),
      pickList_(new QTreeWidget(this)),
      list_(new QTreeWidget(this)),
      summary_(new QLabel(this)),
      compare_(new QPushButton(this)),
      copy_(new QPushButton(this)),
      close_(new QPushButton(this))
{
    setObjectName(window::kCompare);
    auto* sidesGrid = new QGridLayout;
    for (const Side side : {Side::First, Side::Second}) {
        const int i = index(side);
        const bool first = side == Side::First;
        sideCaptions_[i] = new QLabel(this);
        combos_[i] = new QComboBox(this);
        labels_[i] = new QLabel(this);
        combos_[i]->setObjectName(first ? QStringLiteral("Combo_first") : QStringLiteral("Combo_second"));
        labels_[i]->setObjectName(first ? QStringLiteral("Label_first") : QStringLiteral("Label_second"));
        labels_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sidesGrid->addWidget(sideCaptions_[i], i, 0);
        sidesGrid->addWidget(combos_[i], i, 1);
        sidesGrid->addWidget(labels_[i], i, 2);
        // Picking an entry again picks anew (another file, another point).
        connect(combos_[i], &QComboBox::activated, this, [this, side](int entry) { picked(side, entry); });
    }
    sidesGrid->setColumnStretch(2, 1);

    pickList_->setObjectName(QStringLiteral("List_pick"));
    pickList_->setRootIsDecorated(false);
    pickList_->setColumnCount(4);
    pickHint_->hide();
    pickList_->hide();
    list_->setObjectName(QStringLiteral("List_changes"));
    list_->setHeaderHidden(true);
    summary_->setObjectName(QStringLiteral("Label_summary"));
    summary_->setWordWrap(true);
    compare_->setObjectName(QStringLiteral("Command_compare"));
    copy_->setObjectName(QStringLiteral("Command_copy"));
    close_->setObjectName(QStringLiteral("Command_close"));

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_->label(), 1);
    progressRow->addWidget(progress_->bar(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(compare_);
    buttons->addWidget(copy_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sidesGrid);
    layout->addWidget(pickHint_);
    layout->addWidget(pickList_, 1);
    layout->addWidget(list_, 2);
    layout->addWidget(summary_);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);

    connect(pickList_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int i = item->data(0, Qt::UserRole).toInt();
        if (picking_ && i >= 0 && i < int(pickable_.size()) && pickable_[size_t(i)].readable)
            setRestorePoint(*picking_, pickable_[size_t(i)]);
    });
    connect(compare_, &QPushButton::clicked, this, &Form_compare::compare);
    connect(copy_, &QPushButton::clicked, this, [this] {
        const QStringList l = lines();
        QGuiApplication::clipboard()->setText(l.isEmpty() ? summary_->text() : l.join(QLatin1Char('\n')));
    });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    connect(session_, &TransferSession::progressed, progress_, &ProgressPanel::step);
    connect(session_, &TransferSession::succeeded, this, [this] { readEnded(true); });
    connect(session_, &TransferSession::failed, this, [this] {
        QPointer<Form_compare> self(this);
        progress_->reportFailure(failure());
        if (self)
            readEnded(false);
    });
    connect(session_, &TransferSession::portError, this, [this](bool midTransfer) {
        QPointer<Form_compare> self(this);
        const Notice portError{common::title, common::portError};
        if (midTransfer)
            progress_->reportPortLost(failure(), portError);
        else
            warn(portError);  // the bar and label stay as they were
        if (self)
            readEnded(false);
    });

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
    caption();
    updateControls();
}

// The session closes its port before the window's children go.
Form_compare::~Form_compare() { session_->abandon(); }

void Form_compare::caption()
{
    setWindowTitle(text::caption);
    sideCaptions_[0]->setText(text::firstLabel);
    sideCaptions_[1]->setText(text::secondLabel);
    for (QComboBox* combo : combos_) {
        const QSignalBlocker block(combo);
        const int at = combo->currentIndex();
        combo->clear();
        combo->addItems({text::current, text::dataFile, text::restorePoint, text::radio});
        combo->setPlaceholderText(text::choose);
        combo->setCurrentIndex(at);
    }
    pickHint_->setText(pickable_.empty() ? text::noPoints.str() : text::pickHint.str());
    pickList_->setHeaderLabels(restore_point_headings());
    if (compared_)
        summary_->setText(summaryOf(difference_));
    compare_->setText(text::compare);
    copy_->setText(text::copy);
    close_->setText(text::close);
    updateControls();
}

void Form_compare::picked(Side side, int entry)
{
    if (picking_ == side && Source(entry) != Source::RestorePoint)
        closePicker();
    switch (Source(entry)) {
    case Source::Current: setCurrent(side); break;
    case Source::File: chooseFile(side); break;
    case Source::RestorePoint: showPointPicker(side); break;
    case Source::Radio: readRadio(side); break;
    case Source::None: break;
    }
    updateControls();
}

bool Form_compare::setCurrent(Side side)
{
    if (session_->busy())
        return false;
    set(side, Held{.source = Source::Current});
    return true;
}

// Qt's own file dialog, never the platform's, so it looks the same
// everywhere and speaks the language of the moment; it does not block: the
// choice arrives as it is made, starting in the current folder.
void Form_compare::chooseFile(Side side)
{
    auto* dialog = new QFileDialog(this, text::fileTitle, QDir::currentPath(), text::fileFilter);
    dialog->setObjectName(QStringLiteral("Dialog_file"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setLabelText(QFileDialog::LookIn, text::fileLookIn);
    dialog->setLabelText(QFileDialog::FileName, text::fileName);
    dialog->setLabelText(QFileDialog::FileType, text::fileType);
    dialog->setLabelText(QFileDialog::Accept, text::fileAccept);
    dialog->setLabelText(QFileDialog::Reject, text::fileReject);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this, side](const QString& path) { setFile(side, path); });
    dialog->open();
}

bool Form_compare::setFile(Side side, const QString& path)
{
    if (session_->busy())
        return false;
    Held held{.source = Source::File, .path = path};
    const datafile::LoadResult result = datafile::load(path, held.image);
    if (!result.ok()) {
        set(side, {});
        report(data_file_problem(result));
        return false;
    }
    set(side, std::move(held));
    return true;
}

// The store's points, newest first, in a list above the differences; a
// point that cannot be read is listed but cannot be picked.
void Form_compare::showPointPicker(Side side)
{
    picking_ = side;
    pickable_ = restore::Store(restore::Store::defaultFolder()).points();
    pickList_->clear();
    for (size_t i = 0; i < pickable_.size(); ++i) {
        auto* item = new QTreeWidgetItem(pickList_, restore_point_columns(pickable_[i]));
        item->setData(0, Qt::UserRole, int(i));
        item->setDisabled(!pickable_[i].readable);
    }
    for (int c = 0; c < pickList_->columnCount(); ++c)
        pickList_->resizeColumnToContents(c);
    pickHint_->setText(pickable_.empty() ? text::noPoints.str() : text::pickHint.str());
    pickHint_->show();
    pickList_->setVisible(!pickable_.empty());
}

void Form_compare::closePicker()
{
    picking_.reset();
    pickHint_->hide();
    pickList_->hide();
}

bool Form_compare::setRestorePoint(Side side, const restore::Point& point)
{
    if (session_->busy())
        return false;
    Held held{.source = Source::RestorePoint, .point = point};
    if (!point.readable || !restore::Store(restore::Store::defaultFolder()).load(point, held.image)) {
        set(side, {});
        report(text::pointUnreadable);
        return false;
    }
    set(side, std::move(held));
    return true;
}

// The whole read into a copy of the document: the rows it does not fetch
// are the document's, so they never show as differences.
void Form_compare::readRadio(Side side)
{
    if (session_->busy())
        return;
    set(side, {});
    reading_ = side;
    radio_ = doc_.image();
    TransferPlan plan = wholeReadPlan(radio_);
    plan.withProgress(countingProgress(common::readingBefore, common::readingAfter, kWholeReadBlocks));
    if (session_->start(std::move(plan)))
        progress_->begin(common::connecting);
    else
        reading_.reset();
    updateControls();
}

void Form_compare::readEnded(bool ok)
{
    if (!reading_)
        return;
    const Side side = *reading_;
    reading_.reset();
    if (ok) {
        progress_->reset();
        // A whole read, kept as the radio's newest restore point like every other.
        keep_restore_point(doc_, radio_, restore::Kind::Read, region::wholeRead);
        const QString radio = (doc_.model().trimmed() + QLatin1Char(' ') + doc_.serial().trimmed()).trimmed();
        set(side, Held{.source = Source::Radio, .image = radio_, .radio = radio, .readAt = QDateTime::currentDateTime()});
    }
    updateControls();
}

void Form_compare::set(Side side, Held held)
{
    if (held.source != Source::None && picking_ == side)
        closePicker();
    sides_[index(side)] = std::move(held);
    clearResult();
    updateControls();
    // Both sides known: the list follows at once.
    if (source(Side::First) != Source::None && source(Side::Second) != Source::None)
        compare();
}

void Form_compare::comparePointWithDocument(const restore::Point& point)
{
    if (setRestorePoint(Side::First, point) && setCurrent(Side::Second))
        compare();
}

Image Form_compare::imageOf(Side side) const
{
    const Held& h = sides_[index(side)];
    return h.source == Source::Current ? doc_.image() : h.image;
}

// The current data is compared as it is when Compare is pressed.
void Form_compare::compare()
{
    if (session_->busy() || source(Side::First) == Source::None || source(Side::Second) == Source::None)
        return;
    const Image first = imageOf(Side::First);
    const Image second = imageOf(Side::Second);
    difference_ = config::compare_images(first, second, doc_.bandLimits());
    areas_ = config::named_changes(difference_, first, second, chinese());
    compared_ = true;

    list_->clear();
    for (const config::Area& area : areas_) {
        auto* top = new QTreeWidgetItem(list_, {area.title});
        for (const QString& line : area.lines)
            new QTreeWidgetItem(top, {line});
    }
    list_->expandAll();
    summary_->setText(summaryOf(difference_));
    updateControls();
}

QStringList Form_compare::lines() const { return config::named_lines(areas_); }

void Form_compare::clearResult()
{
    compared_ = false;
    areas_.clear();
    difference_ = {};
    list_->clear();
    summary_->clear();
}

QString Form_compare::shown(Side side) const
{
    if (reading_ == side)
        return text::reading;
    const Held& h = sides_[index(side)];
    switch (h.source) {
    case Source::None: break;
    case Source::Current: return text::currentShown;
    case Source::File: return text::fileShown.str().arg(QDir::toNativeSeparators(h.path));
    case Source::RestorePoint: {
        const QStringList c = restore_point_columns(h.point);
        return text::pointShown.str().arg(c[0], c[1], c[2]);
    }
    case Source::Radio:
        return text::radioShown.str().arg(h.radio, h.readAt.toString(QStringLiteral("HH:mm:ss")));
    }
    return text::notChosen;
}

// While the radio is read nothing else can be picked or compared; each
// list shows what its side holds.
void Form_compare::updateControls()
{
    const bool busy = session_->busy();
    for (const Side side : {Side::First, Side::Second}) {
        const int i = index(side);
        const QSignalBlocker block(combos_[i]);
        combos_[i]->setCurrentIndex(reading_ == side ? int(Source::Radio) : int(sides_[i].source));
        combos_[i]->setEnabled(!busy);
        labels_[i]->setText(shown(side));
    }
    compare_->setEnabled(!busy && source(Side::First) != Source::None && source(Side::Second) != Source::None);
    copy_->setEnabled(compared_);
}

void Form_compare::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    caption();
}

// Closing abandons a read that runs, as the whole-radio read's frame does:
// timers off, port closed, nothing reported.
void Form_compare::closeEvent(QCloseEvent* event)
{
    session_->abandon();
    reading_.reset();
    event->accept();
}

}  // namespace vx
