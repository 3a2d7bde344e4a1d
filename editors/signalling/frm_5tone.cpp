#include "editors/signalling/frm_5tone.h"

#include "editors/signalling/frm_5tone_texts.h"
#include "editors/signalling/signalling_frame.h"
#include "editors/signalling/signalling_texts.h"
#include "editors/signalling/text_grid.h"
#include "editors/signalling/typing_filter.h"
#include "ui/geometry.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace vx {

namespace T = five_tone_texts;
using five_tone::Layout;

namespace {

// Read rows 576..607 from 0x2400; write rows 512..607 from 0x2000.
constexpr signalling::Range kRange{five_tone::kReadRows, five_tone::kRegion};

enum StdColumn : int { StdName, StdLength, StdGroup, StdRepeat, kStdColumns };
enum EncodeColumn : int { EncNumber, EncFrame1, EncFrame2, EncFrame3, EncStandard, kEncodeColumns };

// A frame takes Backspace always, and digits 0..F and Enter while it holds
// at most four characters.
const TypingFilter::Rule kFrameKeys{QStringLiteral("0123456789abcdefABCDEF"), five_tone::kFrameDigits - 1, true, true};

bool blank(const QString& text) { return text.trimmed().isEmpty(); }

void select(QComboBox* combo, int position)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(std::min(position, combo->count() - 1));
}

void setChecked(QCheckBox* box, bool on)
{
    const QSignalBlocker block(box);
    box->setChecked(on);
}

QLabel* makeLabel(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

int titleHeight(const QWidget* frame) { return frame->fontMetrics().height() + 6; }

}  // namespace

frm_5tone::frm_5tone(QWidget* parent)
    : RegionEditor(signalling::descriptor({.name = "frm_5tone",
                                           .caption = T::kTitle,
                                           .readOk = signalling_texts::kReadOk,
                                           .writeMessage = signalling_texts::kWriteDone,
                                           .writeOk = signalling_texts::kWriteOk,
                                           .refuseCloseBox = false,
                                           .refreshOnActivate = false,
                                           .defaultResetsProgress = true}),
                   parent)
{
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    frameStd_ = new QGroupBox;
    frameStd_->setObjectName(QStringLiteral("Frame_std"));
    frameEncode_ = new QGroupBox;
    frameEncode_->setObjectName(QStringLiteral("Frame_Encode"));
    tabs_->addTab(frameStd_, QString());
    tabs_->addTab(frameEncode_, QString());
    frameStd_->installEventFilter(this);  // each page lays itself out
    frameEncode_->installEventFilter(this);
    const QStringList names = five_tone::standard_names();

    // Standards: grid, the list of names and the chosen standard's tones.
    stdGrid_ = new TextGrid(QStringLiteral("MSF_Chann"), five_tone::kStandards, kStdColumns, frameStd_);
    comboEdit_ = new QComboBox(stdGrid_->viewport());
    comboEdit_->setObjectName(QStringLiteral("Combo_edit"));
    comboEdit_->setEditable(true);  // shows the cell's text, in the list or not
    comboEdit_->setInsertPolicy(QComboBox::NoInsert);
    comboEdit_->setCompleter(nullptr);
    comboEdit_->hide();
    discardTyping(comboEdit_);
    connect(comboEdit_, &QComboBox::activated, this, &frm_5tone::chooseStandardCell);
    connect(stdGrid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { leaveStandard(); });
    connect(stdGrid_, &QTableView::clicked, this, &frm_5tone::enterStandard);
    stdNameLabel_ = makeLabel(frameStd_, QStringLiteral("Label_std_name"));
    stdNames_ = new QComboBox(frameStd_);
    stdNames_->setObjectName(QStringLiteral("Combo_stxh"));
    stdNames_->addItems(names);
    stdNames_->setMaxVisibleItems(15);
    discardTyping(stdNames_);
    connect(stdNames_, &QComboBox::activated, this, &frm_5tone::showStandard);
    for (int d = 0; d < five_tone::kDigits; ++d) {
        codeLabels_[size_t(d)] = makeLabel(frameStd_, QStringLiteral("Label_code_%1").arg(d));
        codeLabels_[size_t(d)]->setText(five_tone::digit_text(uint8_t(d)));
        codeLabels_[size_t(d)]->setAlignment(Qt::AlignCenter);
        codeLabels_[size_t(d)]->setFrameShape(QFrame::Panel);
        freqLabels_[size_t(d)] = makeLabel(frameStd_, QStringLiteral("Label_freq_%1").arg(d));
        freqLabels_[size_t(d)]->setAlignment(Qt::AlignCenter);
        freqLabels_[size_t(d)]->setFrameShape(QFrame::Panel);
    }
    for (int s = 0; s < five_tone::kStandards; ++s)
        stdGrid_->setText(s, StdName, names.at(s));

    // Encode: transmit entries and settings.
    encodeGrid_ = new TextGrid(QStringLiteral("MSF_Encode"), five_tone::kEntries, kEncodeColumns, frameEncode_);
    textEncode_ = new QLineEdit(encodeGrid_->viewport());
    textEncode_->setObjectName(QStringLiteral("Text_Encode"));
    textEncode_->setAlignment(Qt::AlignCenter);
    textEncode_->hide();
    TypingFilter::install(textEncode_, kFrameKeys);
    textEncode_->installEventFilter(this);  // Show when it loses the focus
    connect(textEncode_, &QLineEdit::textEdited, this, &frm_5tone::frameEdited);
    comboEncode_ = new QComboBox(encodeGrid_->viewport());
    comboEncode_->setObjectName(QStringLiteral("Combo_Encode"));
    comboEncode_->addItems(names);
    comboEncode_->hide();
    discardTyping(comboEncode_);
    connect(comboEncode_, &QComboBox::activated, this, &frm_5tone::chooseEntryStandard);
    connect(encodeGrid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &frm_5tone::onEncodeCurrent);
    connect(encodeGrid_, &QTableView::clicked, this, &frm_5tone::enterEncode);
    for (int n = 0; n < five_tone::kEntries; ++n)
        encodeGrid_->setText(n, EncNumber, QString::number(n + 1));

    static constexpr const char* kTimingNames[five_tone::kTimingLists][2] = {
        {"Label_enc_ys1", "Combo_Enc_ys1"},
        {"Label_enc_ys2", "Combo_Enc_ys2"},
        {"Label_enc_ys3", "Combo_enc_ys3"},
        {"Label_enc_ys4", "Combo_Enc_ys4"},
    };
    for (int i = 0; i < five_tone::kTimingLists; ++i) {
        timingLabels_[size_t(i)] = makeLabel(frameEncode_, QString::fromLatin1(kTimingNames[i][0]));
        timings_[size_t(i)] = makeList(frameEncode_, QString::fromLatin1(kTimingNames[i][1]), five_tone::timingEntries(),
                                       Layout::timing(i));
    }
    decodeStdLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Decode_Std"));
    decodeStd_ = makeList(frameEncode_, QStringLiteral("Combo_Decode_Std"), names, Layout::decodeStandard);
    callLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Decode_HJ"));
    dispLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Decode_Disp"));
    for (int f = 0; f < five_tone::kFrames; ++f) {
        callFrames_[size_t(f)] = new QCheckBox(frameEncode_);
        callFrames_[size_t(f)]->setObjectName(QStringLiteral("Check_Decode_HJ_%1").arg(f));
        dispFrames_[size_t(f)] = new QCheckBox(frameEncode_);
        dispFrames_[size_t(f)]->setObjectName(QStringLiteral("Check_Decode_Disp_%1").arg(f));
        connect(callFrames_[size_t(f)], &QCheckBox::clicked, this,
                [f](bool on) { Layout::callFrame(f).put(five_tone::ref(appImage()), on); });
        connect(dispFrames_[size_t(f)], &QCheckBox::clicked, this,
                [f](bool on) { Layout::displayFrame(f).put(five_tone::ref(appImage()), on); });
    }
    resetLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Reset_Time"));
    resetTime_ = makeList(frameEncode_, QStringLiteral("Combo_Dec_Res_Time"), five_tone::resetTimeEntries(), Layout::resetTime);

    connect(tabs_, &QTabWidget::currentChanged, this, [this] { hideEditors(); });
    select(stdNames_, 0);
    showStandard(0);
    caption();
}

frm_5tone::~frm_5tone() = default;

QComboBox* frm_5tone::makeList(QWidget* parent, const QString& name, const QStringList& entries, field::List8 f)
{
    return signalling::storedList(parent, name, entries, five_tone::kRegion, f);
}

// ---------------------------------------------------------------- showing

void frm_5tone::refresh()
{
    Image& image = appImage();
    five_tone::normalise(image);
    for (int s = 0; s < five_tone::kStandards; ++s) {
        stdGrid_->setText(s, StdLength, five_tone::tone_length_text(image, s));
        stdGrid_->setText(s, StdGroup, five_tone::group_tone_text(image, s));
        stdGrid_->setText(s, StdRepeat, five_tone::repeat_tone_text(image, s));
    }
    for (int n = 1; n <= five_tone::kEntries; ++n) {
        for (int f = 0; f < five_tone::kFrames; ++f)
            encodeGrid_->setText(n - 1, EncFrame1 + f, five_tone::frame_text(image, n, f));
        encodeGrid_->setText(n - 1, EncStandard, five_tone::entry_standard_text(image, n));
    }
    const RecordView r = five_tone::view(image);
    for (int i = 0; i < five_tone::kTimingLists; ++i)
        select(timings_[size_t(i)], Layout::timing(i).get(r));
    select(decodeStd_, Layout::decodeStandard.get(r));
    select(resetTime_, Layout::resetTime.get(r));
    for (int f = 0; f < five_tone::kFrames; ++f) {
        setChecked(callFrames_[size_t(f)], Layout::callFrame(f).get(r));
        setChecked(dispFrames_[size_t(f)], Layout::displayFrame(f).get(r));
    }
}

void frm_5tone::showStandard(int s)
{
    for (int d = 0; d < five_tone::kDigits; ++d)
        freqLabels_[size_t(d)]->setText(five_tone::frequency_text(s, d));
}

void frm_5tone::caption()
{
    RegionEditor::caption();
    tabs_->setTabText(0, T::kTabStandard);
    tabs_->setTabText(1, T::kTabEncode);
    frameStd_->setTitle(T::kFrameStd);
    stdNameLabel_->setText(T::kStdName);
    frameEncode_->setTitle(T::kFrameEncode);
    static constexpr Text kTimings[five_tone::kTimingLists] = {T::kDelay1, T::kDelay2, T::kDelay3, T::kFirstDigitExtend};
    for (int i = 0; i < five_tone::kTimingLists; ++i)
        timingLabels_[size_t(i)]->setText(kTimings[i]);
    decodeStdLabel_->setText(T::kDecodeStd);
    callLabel_->setText(T::kDecodeCall);
    dispLabel_->setText(T::kDecodeDisp);
    static constexpr Text kFrameTexts[five_tone::kFrames] = {T::kFrame1, T::kFrame2, T::kFrame3};
    for (int f = 0; f < five_tone::kFrames; ++f) {
        callFrames_[size_t(f)]->setText(kFrameTexts[f]);
        dispFrames_[size_t(f)]->setText(kFrameTexts[f]);
    }
    resetLabel_->setText(T::kResetTime);
    stdGrid_->grid()->setHeadings(T::kStandardHeadings);
    encodeGrid_->grid()->setHeadings(T::kEncodeHeadings);
}

void frm_5tone::hideEditors()
{
    for (QWidget* editor : {static_cast<QWidget*>(textEncode_), static_cast<QWidget*>(comboEncode_),
                            static_cast<QWidget*>(comboEdit_)})
        editor->hide();
    stdCell_ = {};
    encodeCell_ = {};
}

// ---------------------------------------------------------------- standards grid

void frm_5tone::enterStandard(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    select(stdNames_, index.row());
    showStandard(index.row());
    if (index.column() == StdName || index != stdGrid_->currentIndex())
        return;
    stdCell_ = {index.row(), index.column()};
    const QString text = stdGrid_->text(index.row(), index.column());
    {
        const QSignalBlocker block(comboEdit_);
        comboEdit_->clear();
        comboEdit_->addItems(index.column() == StdLength ? five_tone::toneLengthEntries() : five_tone::digitEntries());
        comboEdit_->setCurrentIndex(int(comboEdit_->findText(text)));
        comboEdit_->setEditText(text);
    }
    comboEdit_->setGeometry(stdGrid_->cellRect(index.row(), index.column()));
    comboEdit_->show();
    comboEdit_->raise();
    comboEdit_->setFocus();
}

void frm_5tone::chooseStandardCell(int position)
{
    if (!stdCell_.open() || position < 0)
        return;
    Image& image = appImage();
    switch (stdCell_.column) {
    case StdLength: five_tone::set_tone_length(image, stdCell_.row, position); break;
    case StdGroup: five_tone::set_group_tone(image, stdCell_.row, position); break;
    case StdRepeat: five_tone::set_repeat_tone(image, stdCell_.row, position); break;
    default: break;
    }
}

void frm_5tone::leaveStandard()
{
    if (!stdCell_.open())
        return;
    const Cell cell = stdCell_;
    stdCell_ = {};
    stdGrid_->setText(cell.row, cell.column, comboEdit_->currentText());
    if (comboEdit_->hasFocus())
        stdGrid_->setFocus();
    comboEdit_->hide();
}

// ---------------------------------------------------------------- transmit grid

void frm_5tone::onEncodeCurrent(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(current);
    if (reverting_ || leaveEncode())
        return;
    // Refused: the frame's cell stays the current one.
    reverting_ = true;
    encodeGrid_->selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    reverting_ = false;
    const QPersistentModelIndex keep(previous);
    QTimer::singleShot(0, encodeGrid_, [grid = QPointer<TextGrid>(encodeGrid_), keep] {
        if (grid && keep.isValid())
            grid->selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
    });
}

void frm_5tone::enterEncode(const QModelIndex& index)
{
    // Only the current cell opens: a click refused elsewhere does nothing.
    if (!index.isValid() || index != encodeGrid_->currentIndex() || index.column() == EncNumber)
        return;
    const int row = index.row();
    if (index.column() != EncFrame1 && blank(encodeGrid_->text(row, EncFrame1)))
        return;
    encodeCell_ = {row, index.column()};
    const QRect rect = encodeGrid_->cellRect(row, index.column());
    if (index.column() == EncStandard) {
        select(comboEncode_, -1);
        const int s = Layout::standard(row + 1).get(five_tone::view(appImage()));
        if (s < five_tone::kStandards)
            select(comboEncode_, s);
        comboEncode_->setGeometry(rect);
        comboEncode_->show();
        comboEncode_->raise();
        comboEncode_->setFocus();
        return;
    }
    // The cell's digits; an unused frame's five spaces are not kept, so
    // that typing starts at the beginning.
    textEncode_->setText(encodeGrid_->text(row, index.column()).trimmed());
    textEncode_->setGeometry(rect);
    textEncode_->show();
    textEncode_->raise();
    textEncode_->setFocus();
}

// Every change is stored at once; text longer than a frame (pasted) is cut
// to the five characters stored.
void frm_5tone::frameEdited(const QString& text)
{
    if (!encodeCell_.open() || encodeCell_.column < EncFrame1 || encodeCell_.column > EncFrame3)
        return;
    five_tone::set_frame(appImage(), encodeCell_.row + 1, encodeCell_.column - EncFrame1, text);
    if (text.trimmed().size() > five_tone::kFrameDigits) {
        const QSignalBlocker block(textEncode_);
        textEncode_->setText(text.trimmed().left(five_tone::kFrameDigits));
    }
}

// Leaving the open cell. A frame of 1 to 4 digits is refused (false): the
// message, and the text box keeps the focus.
bool frm_5tone::leaveEncode()
{
    if (!encodeCell_.open())
        return true;
    const Cell cell = encodeCell_;
    if (cell.column == EncStandard) {
        encodeCell_ = {};
        encodeGrid_->setText(cell.row, cell.column, comboEncode_->currentText());
        if (comboEncode_->hasFocus())
            encodeGrid_->setFocus();
        comboEncode_->hide();
        return true;
    }
    const QString text = textEncode_->text().trimmed();
    if (!text.isEmpty() && text.size() < five_tone::kFrameDigits) {
        prompt(signalling_texts::kQuotedTitle, PromptIcon::Warning, T::kFiveDigits);
        textEncode_->setFocus();
        return false;
    }
    encodeCell_ = {};
    encodeGrid_->setText(cell.row, cell.column, text.toUpper());
    if (blank(encodeGrid_->text(cell.row, EncFrame1)))
        for (int c = EncFrame1; c <= EncStandard; ++c)
            encodeGrid_->setText(cell.row, c, QString());  // on screen only
    if (textEncode_->hasFocus())
        encodeGrid_->setFocus();
    textEncode_->hide();
    return true;
}

void frm_5tone::chooseEntryStandard(int position)
{
    if (encodeCell_.open() && encodeCell_.column == EncStandard)
        five_tone::set_entry_standard(appImage(), encodeCell_.row + 1, position);
}

bool frm_5tone::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == textEncode_ && leavesField(event))
        refresh();
    if (event->type() == QEvent::Resize) {
        if (watched == frameStd_)
            layOutStandards(frameStd_->rect());
        else if (watched == frameEncode_)
            layOutEncode(frameEncode_->rect());
    }
    return RegionEditor::eventFilter(watched, event);
}

// ---------------------------------------------------------------- layout

// The tab strip is as wide as the window / 1.03. Each page lays itself out
// when it gets its size (a hidden page gets it when it is shown).
void frm_5tone::layOutContent(const QRect& area)
{
    const int m = twipsToPixels(120);
    const int w = int(area.width() / 1.03);
    tabs_->setGeometry(area.x() + (area.width() - w) / 2, area.y() + m, w, std::max(0, area.height() - m));
}

// The standards grid is as wide as its frame / 1.8.

void frm_5tone::layOutStandards(const QRect& r)
{
    const int m = twipsToPixels(120);
    const int top = titleHeight(frameStd_);
    const int gridW = int(r.width() / 1.8);
    stdGrid_->setGeometry(m, top, gridW, std::max(0, r.height() - top - m));
    stdGrid_->fitRows();
    const int vw = stdGrid_->innerWidth();
    for (int c = 0; c < kStdColumns; ++c)
        stdGrid_->setColumnWidth(c, c == kStdColumns - 1 ? vw - 3 * (vw / 4) : vw / 4);

    const int x = m * 3 + gridW;
    const int w = r.width() - x - m;
    const int rowH = std::max(1, (r.height() - top - m) / 10);
    const int fieldH = std::min(rowH - 4, twipsToPixels(400));
    stdNameLabel_->setGeometry(x, top, w * 45 / 100, fieldH);
    stdNames_->setGeometry(x + w * 48 / 100, top, w * 52 / 100, fieldH);
    // Two columns of eight digit/frequency pairs.
    const int half = w / 2;
    for (int d = 0; d < five_tone::kDigits; ++d) {
        const int px = x + (d / 8) * half;
        const int py = top + rowH * (2 + d % 8);
        codeLabels_[size_t(d)]->setGeometry(px, py, half * 30 / 100, fieldH);
        freqLabels_[size_t(d)]->setGeometry(px + half * 32 / 100, py, half * 60 / 100, fieldH);
    }
}

void frm_5tone::layOutEncode(const QRect& r)
{
    const int m = twipsToPixels(120);
    const int top = titleHeight(frameEncode_);
    const int gridW = r.width() * 54 / 100;
    encodeGrid_->setGeometry(m, top, gridW, std::max(0, r.height() - top - m));
    encodeGrid_->fitRows();
    const int vw = encodeGrid_->innerWidth();
    const int numberW = vw * 12 / 100;
    const int restW = (vw - numberW) / 4;
    encodeGrid_->setColumnWidth(EncNumber, numberW);
    for (int c = EncFrame1; c <= EncStandard; ++c)
        encodeGrid_->setColumnWidth(c, c == EncStandard ? vw - numberW - 3 * restW : restW);

    const int x = m * 2 + gridW;
    const int w = r.width() - x - m;
    const int rowH = std::max(1, (r.height() - top - m) / 10);
    const int fieldH = std::min(rowH - 4, twipsToPixels(400));
    const int labelW = w * 68 / 100;
    const int listX = x + w * 70 / 100;
    const int listW = w * 30 / 100;
    int y = top;
    for (int i = 0; i < five_tone::kTimingLists; ++i, y += rowH) {
        timingLabels_[size_t(i)]->setGeometry(x, y, labelW, fieldH);
        timings_[size_t(i)]->setGeometry(listX, y, listW, fieldH);
    }
    decodeStdLabel_->setGeometry(x, y, w * 55 / 100, fieldH);
    decodeStd_->setGeometry(x + w * 57 / 100, y, w * 43 / 100, fieldH);
    y += rowH;
    const int boxW = w / 3;
    for (auto [label, boxes] : {std::pair{callLabel_, &callFrames_}, std::pair{dispLabel_, &dispFrames_}}) {
        label->setGeometry(x, y, w, fieldH);
        y += rowH * 3 / 4;
        for (int f = 0; f < five_tone::kFrames; ++f) {
            QCheckBox* box = (*boxes)[size_t(f)];
            box->setGeometry(x + boxW * f, y, std::min(boxW, box->sizeHint().width()), fieldH);
        }
        y += rowH;
    }
    resetLabel_->setGeometry(x, y, labelW, fieldH);
    resetTime_->setGeometry(listX, y, listW, fieldH);
}

// ---------------------------------------------------------------- buttons

std::optional<TransferPlan> frm_5tone::plan(Direction direction) { return signalling::plan(direction, kRange, appImage()); }

void frm_5tone::loadDefaults()
{
    hideEditors();
    five_tone::load_defaults(appImage());
}

}  // namespace vx
