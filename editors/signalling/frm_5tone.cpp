#include "editors/signalling/frm_5tone.h"

#include "editors/frame/editor_parts.h"
#include "editors/frame/row_commands.h"
#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/frm_5tone_texts.h"
#include "editors/signalling/signalling_frame.h"
#include "editors/signalling/signalling_texts.h"
#include "ui/cell_editing.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/window_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <algorithm>

namespace vx {

namespace T = five_tone_texts;
using five_tone::Layout;
using ui::blank;
using ui::makeLabel;
using ui::titleHeight;

namespace {

// Read rows 576..607 from 0x2400; write rows 512..607 from 0x2000.
constexpr signalling::Range kRange{five_tone::kReadRows, five_tone::kRegion};

enum StdColumn : int { StdName, StdLength, StdGroup, StdRepeat, kStdColumns };
enum EncodeColumn : int { EncNumber, EncFrame1, EncFrame2, EncFrame3, EncStandard, kEncodeColumns };

// A frame takes Backspace always, and digits 0..F and Enter while it holds
// at most four characters.
const FieldRule kFrameKeys{.accepted = QStringLiteral("0123456789abcdefABCDEF"),
                           .maxBefore = five_tone::kFrameDigits - 1,
                           .countTrimmed = true};

bool isFrame(int column) { return column >= EncFrame1 && column <= EncFrame3; }

}  // namespace

frm_5tone::frm_5tone(RadioDocument& doc, QWidget* parent)
    : RegionEditor(signalling::toneDescriptor(window::kFiveTone, T::kTitle, five_tone::kRegion), doc, parent)
{
    // Each page lays itself out when it gets its size.
    tabs_ = ui::makeTabs(this, QStringLiteral("TabStrip1"));
    frameStd_ = ui::addPage(tabs_, QStringLiteral("Frame_std"), this);
    frameEncode_ = ui::addPage(tabs_, QStringLiteral("Frame_Encode"), this);
    const QStringList names = five_tone::standard_names();

    // Standards: grid, the list of names and the chosen standard's tones.
    buildStandardsGrid();
    stdNameLabel_ = makeLabel(frameStd_, QStringLiteral("Label_std_name"));
    stdNames_ = ui::makeList(frameStd_, QStringLiteral("Combo_stxh"), names);
    connect(stdNames_, &QComboBox::activated, this, &frm_5tone::showStandard);
    for (int d = 0; d < five_tone::kDigits; ++d) {
        codeLabels_[size_t(d)] = makeLabel(frameStd_, QStringLiteral("Label_code_%1").arg(d), Qt::AlignCenter);
        codeLabels_[size_t(d)]->setText(five_tone::digit_text(uint8_t(d)));
        codeLabels_[size_t(d)]->setFrameShape(QFrame::Panel);
        freqLabels_[size_t(d)] = makeLabel(frameStd_, QStringLiteral("Label_freq_%1").arg(d), Qt::AlignCenter);
        freqLabels_[size_t(d)]->setFrameShape(QFrame::Panel);
    }
    for (int s = 0; s < five_tone::kStandards; ++s)
        stdGrid_->setText(s, StdName, names.at(s));

    // Encode: transmit entries and settings.
    buildEncodeGrid();
    for (int n = 0; n < five_tone::kEntries; ++n)
        encodeGrid_->setText(n, EncNumber, QString::number(n + 1));
    static constexpr const char* kTimings[five_tone::kTimingLists] = {"Combo_Enc_ys1", "Combo_Enc_ys2", "Combo_enc_ys3", "Combo_Enc_ys4"};
    for (int i = 0; i < five_tone::kTimingLists; ++i) {
        timingLabels_[size_t(i)] = rowLabel(frameEncode_, row(kTimings[i]));
        timings_[size_t(i)] = makeList(frameEncode_, row(kTimings[i]));
    }
    // The decoding standard is stored as its position in the list.
    const Setting& standard = row("Combo_Decode_Std");
    decodeStdLabel_ = rowLabel(frameEncode_, standard);
    decodeStd_ = frame::storedList(frameEncode_, QString::fromLatin1(standard.control), names, five_tone::kRegion,
                                   field::List8{standard.byte, five_tone::kStandards},
                                   [this](const RadioDocument::Change& change) { edit(change); });
    callLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Decode_HJ"));
    dispLabel_ = makeLabel(frameEncode_, QStringLiteral("Label_Decode_Disp"));
    for (int f = 0; f < five_tone::kFrames; ++f) {
        callFrames_[size_t(f)] = makeCheck(frameEncode_, row(QStringLiteral("Check_Decode_HJ_%1").arg(f)));
        dispFrames_[size_t(f)] = makeCheck(frameEncode_, row(QStringLiteral("Check_Decode_Disp_%1").arg(f)));
    }
    resetLabel_ = rowLabel(frameEncode_, row("Combo_Dec_Res_Time"));
    resetTime_ = makeList(frameEncode_, row("Combo_Dec_Res_Time"));

    // A tab change drops the open cell editors.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { cancelCellEditing(); });
    ui::select(stdNames_, 0);
    showStandard(0);
    frame::nameControls(this, labels_);
    frame::installUndoMenu(*this, *stdGrid_, [this] { cancelCellEditing(); });
    frame::installUndoMenu(*this, *encodeGrid_, [this] { cancelCellEditing(); });
    caption();
}

frm_5tone::~frm_5tone() = default;

// A click on a standard shows its tones; its length, group and repeat cells
// are edited in a list that shows the cell's text, an entry or not.
void frm_5tone::buildStandardsGrid()
{
    stdGrid_ = new TextGrid(QStringLiteral("MSF_Chann"), five_tone::kStandards, kStdColumns, frameStd_);
    new CellEditing(  // owned by the grid
        stdGrid_,
        {.listName = "Combo_edit",
         .clicked = [this](GridCell c) {
             ui::select(stdNames_, c.row);
             showStandard(c.row);
         },
         .enter = [this](GridCell c) {
             if (c.column == StdName)
                 return CellEditor::none();
             const QStringList entries = c.column == StdLength ? five_tone::tone_length_entries() : five_tone::digit_entries();
             CellEditor e = CellEditor::list(entries, int(entries.indexOf(stdGrid_->text(c.row, c.column))));
             e.showText = true;
             e.text = stdGrid_->text(c.row, c.column);
             return e;
         },
         .leave = [this](GridCell c, const CellValue& v) { stdGrid_->setText(c.row, c.column, v.text); },
         .choose = [this](GridCell c, int position) {
             edit([&](Image& image) {
                 switch (c.column) {
                 case StdLength: five_tone::set_tone_length(image, c.row, position); break;
                 case StdGroup: five_tone::set_group_tone(image, c.row, position); break;
                 case StdRepeat: five_tone::set_repeat_tone(image, c.row, position); break;
                 default: break;
                 }
             });
         }});
}

// A frame is edited in a text box and stored with every change (what is
// typed until the cell is left is one edit); leaving it with one to four
// digits is refused. An entry's standard is a list. An entry whose first
// frame is blank opens no other cell.
void frm_5tone::buildEncodeGrid()
{
    encodeGrid_ = new TextGrid(QStringLiteral("MSF_Encode"), five_tone::kEntries, kEncodeColumns, frameEncode_);
    encodeCells_ = new CellEditing(
        encodeGrid_,
        {.textName = "Text_Encode",
         .listName = "Combo_Encode",
         .enter = [this](GridCell c) {
             if (c.column == EncNumber || (c.column != EncFrame1 && blank(encodeGrid_->text(c.row, EncFrame1))))
                 return CellEditor::none();
             if (c.column == EncStandard) {
                 const int s = Layout::standard(c.row + 1).get(five_tone::view(image()));
                 return CellEditor::list(five_tone::standard_names(), s < five_tone::kStandards ? s : -1);
             }
             // The cell's digits; an unused frame's five spaces are not
             // kept, so that typing starts at the beginning.
             return CellEditor::textBox(encodeGrid_->text(c.row, c.column).trimmed(), kFrameKeys);
         },
         .refuse = [](GridCell c, const CellValue& v) {
             const QString text = v.text.trimmed();
             if (!isFrame(c.column) || text.isEmpty() || text.size() >= five_tone::kFrameDigits)
                 return false;
             warn(signalling_texts::kQuotedTitle, T::kFiveDigits);
             return true;
         },
         .leave = [this](GridCell c, const CellValue& v) {
             endTyping();
             if (c.column == EncStandard) {
                 encodeGrid_->setText(c.row, c.column, v.text);
                 return;
             }
             encodeGrid_->setText(c.row, c.column, v.text.trimmed().toUpper());
             if (blank(encodeGrid_->text(c.row, EncFrame1)))
                 for (int col = EncFrame1; col <= EncStandard; ++col)
                     encodeGrid_->setText(c.row, col, QString());  // on screen only
         },
         .choose = [this](GridCell c, int position) {
             if (c.column == EncStandard)
                 edit([&](Image& image) { five_tone::set_entry_standard(image, c.row + 1, position); });
         },
         .edited = [this](GridCell c, const QString& text) {
             if (isFrame(c.column))
                 typed([&](Image& image) { five_tone::set_frame(image, c.row + 1, c.column - EncFrame1, text); });
         }});
    onLeavingField(encodeCells_->textBox(), [this] { refresh(); });  // Show when it loses the focus
}

const Setting& frm_5tone::row(const QString& control)
{
    const Setting* s = five_tone::setting_of(control);
    Q_ASSERT(s);
    return *s;
}

QComboBox* frm_5tone::makeList(QWidget* parent, const Setting& s)
{
    QComboBox* combo = frame::storedList(parent, QString::fromLatin1(s.control), s.list->entries(), five_tone::kRegion, s.listField(),
                                         [this](const RadioDocument::Change& change) { edit(change); });
    lists_.push_back({combo, &s});
    return combo;
}

QLabel* frm_5tone::rowLabel(QWidget* parent, const Setting& s)
{
    QLabel* label = makeLabel(parent, QString::fromLatin1(s.labelControl));
    labels_.push_back({label, &s});
    return label;
}

QCheckBox* frm_5tone::makeCheck(QWidget* parent, const Setting& s)
{
    QCheckBox* box = ui::makeCheck(parent, QString::fromLatin1(s.control));
    connect(box, &QCheckBox::clicked, this, [this, row = &s](bool on) { edit(row->label, [&](Image& image) { row->setOn(five_tone::ref(image), on); }); });
    checks_.push_back({box, &s});
    return box;
}

// ---------------------------------------------------------------- showing


void frm_5tone::display()
{
    const Image& image = this->image();
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
    for (const auto& [combo, s] : lists_)
        ui::select(combo, s->position(r));
    ui::select(decodeStd_, Layout::decodeStandard.get(r));
    for (const auto& [box, s] : checks_)
        ui::setChecked(box, s->on(r));
}

void frm_5tone::showStandard(int s)
{
    for (int d = 0; d < five_tone::kDigits; ++d)
        freqLabels_[size_t(d)]->setText(five_tone::digit_frequency_text(s, d));
}

void frm_5tone::caption()
{
    RegionEditor::caption();
    tabs_->setTabText(0, T::kTabStandard);
    tabs_->setTabText(1, T::kTabEncode);
    frameStd_->setTitle(T::kFrameStd);
    stdNameLabel_->setText(T::kStdName);
    frameEncode_->setTitle(T::kFrameEncode);
    for (const auto& [label, s] : labels_)
        label->setText(s->label);
    callLabel_->setText(T::kDecodeCall);
    dispLabel_->setText(T::kDecodeDisp);
    for (const auto& [box, s] : checks_)
        box->setText(s->label);
    stdGrid_->setHeadings(signalling::grid_headings(five_tone::kStandardFirstHeading, five_tone::kStandardColumns, kStdColumns));
    encodeGrid_->setHeadings(signalling::grid_headings(five_tone::kEncodeFirstHeading, five_tone::kEncodeColumns, kEncodeColumns));
}

bool frm_5tone::eventFilter(QObject* watched, QEvent* event)
{
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

std::optional<TransferPlan> frm_5tone::plan(Direction direction) { return signalling::plan(direction, kRange, *this); }

void frm_5tone::loadDefaults(Image& image) { five_tone::load_defaults(image); }

}  // namespace vx
