#include "app/write_changes.h"

#include "app/restore_keeping.h"
#include "app/write_changes_texts.h"
#include "editors/adjust/adjust_table.h"
#include "editors/defaults.h"
#include "link/stopped_write.h"
#include "link/transfer_texts.h"
#include "link/whole_radio.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/window_names.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <numeric>

namespace vx {

namespace {

namespace text = write_changes_text;
namespace common = transfer_text;

WindowDescriptor changesWindow()
{
    const Notice busy{common::title, common::busy};
    WindowDescriptor d{
        .name = window::kWriteChanges,
        .caption = text::caption,
        .designWidth = Form_write_changes::kDesignWidth,
        .designHeight = Form_write_changes::kDesignHeight,
        .buttonRise = 1100,
        .progressRise = 500,
        .ownEndReports = true,
    };
    d.buttons = {{Command::Read, "Command_read", text::readAgain}, {Command::Close, "Command_Cancel", text::cancel}};
    // The ends of good transfers are the window's own reports.
    d.texts.connecting = common::connecting;
    d.texts.portError = {common::title, common::portError};
    d.texts.failure = {.message = Notice{common::title, common::failed}, .label = common::failedLabel};
    // As the whole-radio dialogs: Read and Cancel are refused while a
    // transfer runs; closing by the frame abandons it.
    d.busyRefusals = {{Command::Read, busy}, {Command::Close, {common::title, common::busyClose}}};
    return d;
}

std::vector<int> everyWrittenRow()
{
    std::vector<int> rows(size_t(region::wholeWrite.last - region::wholeWrite.first + 1));
    std::iota(rows.begin(), rows.end(), region::wholeWrite.first);
    return rows;
}

// "3-5, 224, 261": runs of rows.
QString rowRuns(const std::vector<int>& rows)
{
    QStringList runs;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        runs << (i == j ? QString::number(rows[i]) : QStringLiteral("%1-%2").arg(rows[i]).arg(rows[j]));
        i = j + 1;
    }
    return runs.join(QStringLiteral(", "));
}

QString regionNames(const std::vector<region::Named>& named)
{
    QStringList names;
    for (const region::Named& r : named)
        names << QString::fromUtf8(chinese() ? r.nameZh : r.name);
    return names.join(text::listSeparator.str());
}

}  // namespace

Form_write_changes::Form_write_changes(RadioDocument& doc, QWidget* parent)
    : TransferWindow(changesWindow(), doc, parent), source_(doc.image()),
      list_(new QTreeWidget(this)), summary_(new QLabel(this)), warning_(new QLabel(this)), anyway_(new QCheckBox(this)),
      adjust_(new QCheckBox(this)), writeChanges_(new QPushButton(this)), writeAll_(new QPushButton(this)),
      restore_(new QPushButton(this))
{
    list_->setObjectName(QStringLiteral("List_changes"));
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(true);
    summary_->setObjectName(QStringLiteral("Label_summary"));
    summary_->setWordWrap(true);
    warning_->setObjectName(QStringLiteral("Label_warning"));
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #b00000;"));
    anyway_->setObjectName(QStringLiteral("Check_other_radio"));
    adjust_->setObjectName(QStringLiteral("Check_adjust"));
    writeChanges_->setObjectName(QStringLiteral("Command_write_changes"));
    writeAll_->setObjectName(QStringLiteral("Command_write_all"));
    restore_->setObjectName(QStringLiteral("Command_write_back"));
    connect(writeChanges_, &QPushButton::clicked, this, [this] { write(false); });
    connect(writeAll_, &QPushButton::clicked, this, [this] { write(true); });
    connect(restore_, &QPushButton::clicked, this, &Form_write_changes::writeRestorePointBack);
    connect(anyway_, &QCheckBox::toggled, this, [this] { setStage(stage_); });
    setStage(Stage::Reading);
    caption();
}

void Form_write_changes::setRestorePoint(const restore::Point& point, const Image& image)
{
    point_ = point;
    source_ = image;
    caption();
}

void Form_write_changes::showEvent(QShowEvent* event)
{
    TransferWindow::showEvent(event);
    // The read starts once the window is up and whoever opened it has said
    // what it writes.
    if (!std::exchange(started_, true))
        QTimer::singleShot(0, this, [this] { startRead(); });
}

Image Form_write_changes::target() const
{
    Image laid = source_;
    prepare_whole_write(laid);
    return laid;
}

bool Form_write_changes::otherRadio() const
{
    if (!point_)
        return false;
    const RadioDocument& doc = document();
    return doc.serial().trimmed() != point_->radio.serial.trimmed() || doc.model().trimmed() != point_->radio.model.trimmed();
}

// --- the read for the preview ---------------------------------------------

// The read for the preview is the window's Read (see plan()).
void Form_write_changes::startRead()
{
    if (!busy())
        runCommand(Command::Read);
}

std::optional<TransferPlan> Form_write_changes::plan(Direction direction)
{
    if (direction == Direction::Read) {
        if (stage_ == Stage::Checking && everything_)
            return wholeReadPlan(readBack_).withProgress(countingProgress(common::readingBefore, common::readingAfter, kWholeReadBlocks));
        if (stage_ == Stage::Checking) {
            const std::vector<int> blocks = blocksOfRows(sending_);
            return blocksReadPlan(readBack_, blocks)
                .withProgress(countingProgress(common::readingBefore, common::readingAfter, int(blocks.size())));
        }
        // The first read and Read again: what is written is the document as
        // it is now, or the restore point.
        if (!point_)
            source_ = document().image();
        setStage(Stage::Reading);
        fresh_ = target();
        return wholeReadPlan(fresh_).withProgress(countingProgress(common::readingBefore, common::readingAfter, kWholeReadBlocks));
    }
    // The rows of the write under way; the packet for entry i starts once
    // entry i - 1 was acknowledged.
    const auto counted = [this](ProgressRule rule) {
        return [this, rule](int request, int counter) {
            if (request > 0)
                acknowledged_ = counter;
            return rule(request, counter);
        };
    };
    acknowledged_ = 0;
    if (adjusting_) {
        const adjust::Table& t = document().part<adjust::Table>();
        return TransferPlan::write(adjust::kBase, adjust::kFirstWrittenRow, adjust::kEndWrittenRow, adjust::from_table(t))
            .withRetries(kWholeWriteRetries, kWholeWritePause);
    }
    const ProgressRule rule = countingProgress(common::writingBefore, common::writingAfter, int(sending_.size()));
    if (everything_)
        return wholeWritePlan(written_).withProgress(counted(rule));
    return rowsWritePlan(written_, sending_).withProgress(counted(rule));
}

void Form_write_changes::afterRead()
{
    if (stage_ == Stage::Checking) {
        finishCheck();
        return;
    }
    radio_ = fresh_;
    showPreview();
    // What the radio held is kept before anything is written to it.
    keep_restore_point(document(), radio_, restore::Kind::Backup, region::wholeRead, int(rows_.size()));
}

void Form_write_changes::showPreview()
{
    const Image laid = target();
    rows_ = rows_to_write(source_, radio_);
    // What the radio will hold after the write: the preview lists exactly
    // what the write changes.
    after_ = radio_;
    for (int r : rows_)
        after_.setRow(r, laid.row(r));
    difference_ = config::compare_images(radio_, after_, document().bandLimits());
    report_.clear();
    setStage(Stage::Preview);
    fillList();
}

void Form_write_changes::fillList()
{
    list_->clear();
    for (const QString& line : report_)
        new QTreeWidgetItem(list_, {line});
    for (const config::Area& area : config::named_changes(difference_, radio_, after_, chinese())) {
        auto* top = new QTreeWidgetItem(list_, {area.title});
        for (const QString& line : area.lines)
            new QTreeWidgetItem(top, {line});
        top->setExpanded(true);
    }
}

QStringList Form_write_changes::lines() const
{
    return report_ + config::named_lines(config::named_changes(difference_, radio_, after_, chinese()));
}

// --- the write -------------------------------------------------------------

void Form_write_changes::write(bool everything)
{
    if (busy() || (stage_ != Stage::Preview && stage_ != Stage::Done) || (otherRadio() && !anyway_->isChecked()))
        return;
    everything_ = everything;
    restoring_ = false;
    adjusting_ = false;
    written_ = target();
    sending_ = everything ? everyWrittenRow() : rows_;
    if (sending_.empty())
        return;
    setStage(Stage::Writing);
    runCommand(Command::Write);
}

// After an interruption: the rows that reached the radio get back what the
// radio held when it was read.
void Form_write_changes::writeRestorePointBack()
{
    if (busy() || stage_ != Stage::Stopped || !interrupted_)
        return;
    const StoppedWrite stopped = classifyStoppedWrite(sending_, acknowledged_);
    if (stopped.reached.empty())
        return;
    everything_ = false;
    restoring_ = true;
    adjusting_ = false;
    written_ = radio_;
    sending_ = stopped.reached;
    std::ranges::sort(sending_);
    setStage(Stage::Writing);
    runCommand(Command::Write);
}

void Form_write_changes::afterWrite()
{
    if (!adjusting_)
        acknowledged_ = int(sending_.size());
    // The adjustment values go last, and only when asked for; they are not
    // read back (the adjustment window reads them).
    if (!adjusting_ && !restoring_ && !point_ && adjust_->isChecked()) {
        adjusting_ = true;
        setStage(Stage::Writing);
        runCommand(Command::Write);
        return;
    }
    readBack_ = written_;
    setStage(Stage::Checking);
    runCommand(Command::Read);
}

void Form_write_changes::finishCheck()
{
    std::vector<int> differ;
    for (int r : sending_)
        if (!std::ranges::equal(readBack_.row(r), written_.row(r)))
            differ.push_back(r);
    const int n = int(sending_.size());
    QString said;
    if (!differ.empty())
        said = text::mismatch.str().arg(n).arg(differ.size()).arg(rowRuns(differ));
    else
        said = (adjusting_ ? text::doneAdjust : text::done).str().arg(n);
    report_ = {said};
    if (differ.empty()) {
        // The radio now holds what was read with the rows written laid in.
        Image now = radio_;
        for (int r : sending_)
            now.setRow(r, written_.row(r));
        radio_ = now;
        rows_.clear();  // the list keeps showing what was written
        keep_restore_point(document(), now, restore::Kind::Write, region::wholeRead, n);
    }
    setStage(Stage::Done);
    fillList();
    progress().label()->setText(said);
    progress().bar()->setValue(100);
    QPointer<Form_write_changes> self(this);
    warn(common::title, said);
    if (self)
        setStage(stage_);
}

void Form_write_changes::afterFailure(Direction)
{
    interrupted_ = false;
    switch (stage_) {
    case Stage::Reading:
        report_ = {text::readFailed.str()};
        difference_ = {};
        break;
    case Stage::Writing:
        if (adjusting_) {
            report_ = {text::adjustFailed.str().arg(sending_.size())};
            break;
        }
        showStopped();
        break;
    case Stage::Checking: report_ = {text::checkFailed.str().arg(sending_.size())}; break;
    default: break;
    }
    setStage(Stage::Stopped);
    fillList();
}

// What the radio holds after a write that stopped part way, and the offer
// to put back what it held.
void Form_write_changes::showStopped()
{
    const StoppedWrite stopped = classifyStoppedWrite(sending_, acknowledged_);
    report_.clear();
    if (stopped.lastRow >= 0)
        report_ << text::stoppedAt.str().arg(stopped.lastRow).arg(Image::addressOfRow(stopped.lastRow), 4, 16, QLatin1Char('0'));
    else
        report_ << text::stoppedNone.str();
    if (!stopped.written.empty())
        report_ << text::regionsNew.str().arg(regionNames(stopped.written));
    if (!stopped.mixed.empty())
        report_ << text::regionsMixed.str().arg(regionNames(stopped.mixed));
    if (!stopped.unchanged.empty())
        report_ << text::regionsOld.str().arg(regionNames(stopped.unchanged));
    interrupted_ = !stopped.reached.empty() && !restoring_;
    if (interrupted_)
        report_ << text::offerBack.str();
}

// --- the window ------------------------------------------------------------

void Form_write_changes::setStage(Stage stage)
{
    stage_ = stage;
    const bool preview = stage == Stage::Preview || stage == Stage::Done;
    const bool other = preview && otherRadio();
    warning_->setVisible(other);
    anyway_->setVisible(other);
    const bool allowed = preview && (!other || anyway_->isChecked());
    writeChanges_->setEnabled(allowed && !rows_.empty());
    writeAll_->setEnabled(allowed);
    adjust_->setVisible(!point_);
    adjust_->setEnabled(stage != Stage::Writing && stage != Stage::Checking);
    restore_->setVisible(stage == Stage::Stopped && interrupted_);
    caption();
    if (!content_.isEmpty())
        layOutContent(content_);
}

void Form_write_changes::caption()
{
    TransferWindow::caption();
    if (!summary_)
        return;  // the base captions before the controls are made
    setWindowTitle(point_ ? text::captionPoint : text::caption);
    const int changes = rows_.empty() ? 0 : int(difference_.settings.size() + difference_.rawRows.size());
    writeChanges_->setText(text::writeChanges.str().arg(changes));
    writeAll_->setText(text::writeEverything);
    restore_->setText(text::writeBack);
    adjust_->setText(text::adjust);
    anyway_->setText(text::anyway);
    if (otherRadio()) {
        const RadioDocument& doc = document();
        warning_->setText(text::otherRadio.str().arg(doc.model().trimmed(), doc.serial().trimmed(),
                                                     point_->radio.model.trimmed(), point_->radio.serial.trimmed()));
    }
    const QString side = point_ ? text::fromPoint.str().arg(point_->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                                : text::fromDocument.str();
    QString said;
    switch (stage_) {
    case Stage::Reading: said = text::reading.str(); break;
    case Stage::Preview:
        if (rows_.empty())
            said = text::nothing.str();
        else if (difference_.rawRows.empty())
            said = text::previewSettings.str().arg(difference_.settings.size()).arg(rows_.size()).arg(blocksOfRows(rows_).size());
        else
            said = text::preview.str()
                       .arg(difference_.settings.size())
                       .arg(difference_.rawRows.size())
                       .arg(rows_.size())
                       .arg(blocksOfRows(rows_).size());
        break;
    case Stage::Writing:
        said = adjusting_ ? text::writingAdjust.str() : text::writing.str().arg(sending_.size());
        break;
    case Stage::Checking:
        said = text::checking.str().arg(everything_ ? kWholeReadBlocks : int(blocksOfRows(sending_).size()));
        break;
    case Stage::Done:
    case Stage::Stopped: said = report_.value(0); break;
    }
    summary_->setText(side + QLatin1Char('\n') + said);
}

void Form_write_changes::layOutContent(const QRect& area)
{
    content_ = area;
    const int m = twipsToPixels(180);
    const int rowH = twipsToPixels(400);
    const int w = area.width() - 2 * m;
    int y = area.top() + m;
    summary_->setGeometry(m, y, w, 2 * rowH);
    y += 2 * rowH + m / 2;
    if (warning_->isVisibleTo(this)) {
        warning_->setGeometry(m, y, w, 2 * rowH);
        y += 2 * rowH;
        anyway_->setGeometry(m, y, w, rowH);
        y += rowH + m / 2;
    }
    const int bottom = area.bottom() - m / 2;
    const int buttonsTop = bottom - rowH;
    const int adjustTop = buttonsTop - rowH - m / 2;
    list_->setGeometry(m, y, w, std::max(rowH, adjustTop - m / 2 - y));
    adjust_->setGeometry(m, adjustTop, w, rowH);
    const int bw = (w - 2 * m) / 3;
    writeChanges_->setGeometry(m, buttonsTop, bw, rowH);
    writeAll_->setGeometry(m + bw + m, buttonsTop, bw, rowH);
    restore_->setGeometry(m + 2 * (bw + m), buttonsTop, bw, rowH);
}

}  // namespace vx
