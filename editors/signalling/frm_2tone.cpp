#include "editors/signalling/frm_2tone.h"

#include "editors/frame/editor_parts.h"
#include "editors/frame/row_commands.h"
#include "editors/signalling/frm_2tone_texts.h"
#include "editors/signalling/two_tone_settings.h"
#include "editors/signalling/signalling_frame.h"
#include "editors/signalling/signalling_texts.h"
#include "image/tables.h"
#include "ui/cell_editing.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/geometry.h"
#include "ui/key_rule.h"
#include "ui/prompt.h"
#include "ui/window_names.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace vx {

namespace T = two_tone_texts;
using two_tone::RuleField;
using ui::titleHeight;

namespace {

constexpr signalling::Range kRange{two_tone::kRegion, two_tone::kRegion};
constexpr int kDecodeGridHeightTwips = 4000;

// A transmit cell takes digits, the point and Enter, at any length; a tone
// field at most seven characters. Neither takes Backspace.
const FieldRule kCellKeys{.accepted = QStringLiteral("0123456789."), .backspace = false};
const FieldRule kToneKeys{.accepted = QStringLiteral("0123456789."), .maxBefore = 6, .countTrimmed = true, .backspace = false};

void rangeMessage() { warn(signalling_texts::kQuotedTitle, T::kRange); }

}  // namespace

frm_2tone::frm_2tone(RadioDocument& doc, QWidget* parent)
    : RegionEditor(signalling::toneDescriptor(window::kTwoTone, T::kTitle, two_tone::kRegion), doc, parent)
{
    // Each page lays itself out when it gets its size.
    tabs_ = ui::makeTabs(this, QStringLiteral("TabStrip1"));
    frameEncode_ = ui::addPage(tabs_, QStringLiteral("Frame_Encode"), this);
    frameDecode_ = ui::addPage(tabs_, QStringLiteral("Frame_Decode"), this);

    // Encode: the transmit grid and the three durations. Leaving a frequency
    // cell stores it (rounded, or 0 when there is none), after the range
    // message for a refused text.
    encodeGrid_ = new TextGrid(QStringLiteral("MSF_Encode"), two_tone::kEntries, 3, frameEncode_);
    new CellEditing(  // owned by the grid
        encodeGrid_,
        {.textName = "Text_Encode",
         .enter = [this](GridCell c) {
             return c.column < 1 ? CellEditor::none() : CellEditor::textBox(encodeGrid_->text(c.row, c.column), kCellKeys);
         },
         .leave = [this](GridCell c, const CellValue& v) {
             const two_tone::TxCommit commit = two_tone::tx_commit(v.text);
             if (commit.refused)
                 rangeMessage();
             edit([&](Image& image) { two_tone::set_tx_freq(image, c.row + 1, c.column - 1, commit.hz); });
             refresh();
         }});
    static constexpr const char* kDurations[3] = {"Combo_Enc_ys1", "Combo_Enc_ys2", "Combo_enc_ys3"};
    for (int i = 0; i < 3; ++i) {
        durationLabels_[size_t(i)] = makeLabel(frameEncode_, row(kDurations[i]));
        durations_[size_t(i)] = makeList(frameEncode_, row(kDurations[i]));
    }

    // Decode: the rules grid, the selected entry's tones and the reset time.
    // A rule cell's list preselects an entry, a choice like any other:
    // pairs and responses store the position, an alert the number shown.
    decodeGrid_ = new TextGrid(QStringLiteral("MSF_Decode"), two_tone::kEntries, two_tone::kDecodeColumns, frameDecode_);
    new CellEditing(  // owned by the grid
        decodeGrid_,
        {.listName = "Combo_Decode",
         .clicked = [this](GridCell c) { selectEntry(c.row); },
         .enter = [](GridCell c) {
             if (c.column < 1)
                 return CellEditor::none();
             CellEditor e = CellEditor::list(two_tone::alert_entries(), 0);
             if (two_tone::column_field(c.column) == RuleField::Pair)
                 e = CellEditor::list(two_tone::pair_entries(), 0);
             else if (two_tone::column_field(c.column) == RuleField::Response)
                 e = CellEditor::list(callAlertTexts(), 2);
             e.chooseOnOpen = true;
             return e;
         },
         .leave = [this](GridCell c, const CellValue& v) {
             decodeGrid_->setText(c.row, c.column, v.text);
             const int rule = two_tone::column_rule(c.column);
             if (decodeGrid_->text(c.row, two_tone::rule_column(rule, RuleField::Pair)).isEmpty()) {
                 decodeGrid_->setText(c.row, two_tone::rule_column(rule, RuleField::Response), QString());
                 decodeGrid_->setText(c.row, two_tone::rule_column(rule, RuleField::Alert), QString());
             }
         },
         .choose = [this](GridCell c, int position) {
             const bool alert = two_tone::column_field(c.column) == RuleField::Alert;
             edit([&](Image& image) { two_tone::set_rule_byte(image, c.row + 1, c.column, uint8_t(alert ? position + 1 : position)); });
         }});
    connect(decodeGrid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() == 0)
            emptyDecodeRow(index.row());
    });

    frameTones_ = new QGroupBox(frameDecode_);
    frameTones_->setObjectName(QStringLiteral("Frame_Dec_xx"));
    // The tone fields are the receive columns that are no grid column, laid
    // out in their order; each shows and stores through its column row.
    int k = 0;
    for (const signalling::EntryColumn& c : two_tone::kReceiveColumns) {
        if (c.column >= 0 || k >= two_tone::kTones)
            continue;
        toneLabels_[size_t(k)] = ui::makeLabel(frameTones_, QString::fromLatin1(c.cell.labelControl));
        toneColumns_[size_t(k)] = &c;
        tones_[size_t(k)] = ui::makeField(frameTones_, QString::fromLatin1(c.cell.control));
        toneLabels_[size_t(k)]->setBuddy(tones_[size_t(k)]);
        KeyRule::install(tones_[size_t(k)], kToneKeys);
        onLeavingField(tones_[size_t(k)], [this, k] { commitTone(k); });
        ++k;
    }
    resetLabel_ = makeLabel(frameDecode_, row("Combo_Dec_Res_Time"));
    resetTime_ = makeList(frameDecode_, row("Combo_Dec_Res_Time"));

    for (int n = 0; n < two_tone::kEntries; ++n) {
        encodeGrid_->setText(n, 0, QString::number(n + 1));
        decodeGrid_->setText(n, 0, QString::number(n + 1));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &frm_2tone::onTab);
    frame::nameControls(this, labels_);
    frame::installUndoMenu(*this, *encodeGrid_, [this] { cancelCellEditing(); });
    frame::installUndoMenu(*this, *decodeGrid_, [this] { cancelCellEditing(); });
    caption();
}

frm_2tone::~frm_2tone() = default;

const Setting& frm_2tone::row(const char* control)
{
    const Setting* s = two_tone::setting_of(QString::fromLatin1(control));
    Q_ASSERT(s);
    return *s;
}

QComboBox* frm_2tone::makeList(QWidget* parent, const Setting& s)
{
    QComboBox* combo = frame::storedList(parent, QString::fromLatin1(s.control), s.list->entries(), two_tone::kRegion, s.listField(),
                                         [this](const RadioDocument::Change& change) { edit(change); });
    lists_.push_back({combo, &s});
    return combo;
}

QLabel* frm_2tone::makeLabel(QWidget* parent, const Setting& s)
{
    QLabel* label = ui::makeLabel(parent, QString::fromLatin1(s.labelControl));
    labels_.push_back({label, &s});
    return label;
}

// ---------------------------------------------------------------- showing


void frm_2tone::display()
{
    const Image& image = this->image();
    const RecordView r = two_tone::view(image);
    for (int n = 1; n <= two_tone::kEntries; ++n) {
        encodeGrid_->setText(n - 1, 1, two_tone::tx_text(image, n, 0));
        encodeGrid_->setText(n - 1, 2, two_tone::tx_text(image, n, 1));
        for (int c = 1; c < two_tone::kDecodeColumns; ++c)
            decodeGrid_->setText(n - 1, c, two_tone::rule_text(image, n, c));
    }
    for (const auto& [combo, s] : lists_)
        ui::select(combo, s->position(r));
    showTones(selected_);
}

// The tones of receive entry `entry` (0..14) in the four fields, each from
// its column row.
void frm_2tone::showTones(int entry)
{
    const RecordView r = two_tone::view(image());
    for (int k = 0; k < two_tone::kTones; ++k)
        ui::showText(tones_[size_t(k)], signalling::entry_setting(*toneColumns_[size_t(k)], entry).value(r));
}

void frm_2tone::selectEntry(int entry)
{
    selected_ = std::clamp(entry, 0, two_tone::kEntries - 1);
    // The number with a space before it, as a number is written there.
    frameTones_->setTitle(QLatin1Char(' ') + QString::number(selected_ + 1) + T::kDecodeFrequencies.str());
    showTones(selected_);
}

void frm_2tone::caption()
{
    RegionEditor::caption();
    tabs_->setTabText(0, T::kTabEncode);
    tabs_->setTabText(1, T::kTabDecode);
    frameEncode_->setTitle(T::kFrameEncode);
    frameDecode_->setTitle(T::kFrameDecode);
    for (const auto& [label, s] : labels_)
        label->setText(s->label);
    for (int k = 0; k < two_tone::kTones; ++k)
        toneLabels_[size_t(k)]->setText(toneColumns_[size_t(k)]->cell.label);
    encodeGrid_->setHeadings(signalling::grid_headings(two_tone::kEncodeFirstHeading, two_tone::kTransmitColumns, 3));
    decodeGrid_->setHeadings(signalling::grid_headings(two_tone::kDecodeFirstHeading, two_tone::kReceiveColumns, two_tone::kDecodeColumns));
    frameTones_->setTitle(QLatin1Char(' ') + QString::number(selected_ + 1) + T::kDecodeFrequencies.str());
}

// ---------------------------------------------------------------- tabs

// A tab change drops the open cell editors; a transmit text not yet left is
// not stored.
void frm_2tone::onTab(int index)
{
    cancelCellEditing();
    if (index == 1)
        selectEntry(0);
}

void frm_2tone::emptyDecodeRow(int row)
{
    for (int c = 1; c < two_tone::kDecodeColumns; ++c)
        decodeGrid_->setText(row, c, QString());
    selectEntry(row);
}

// ---------------------------------------------------------------- tone fields

bool frm_2tone::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == frameEncode_)
            layOutEncode();
        else if (watched == frameDecode_)
            layOutDecode();
    }
    return RegionEditor::eventFilter(watched, event);
}

// A refused text brings the range message; the field is emptied and takes
// the focus back once the focus change that left it is over.
void frm_2tone::commitTone(int k)
{
    QLineEdit* field = tones_[size_t(k)];
    // A refused text stores no tone (FF), as an empty one does.
    const Setting tone = signalling::entry_setting(*toneColumns_[size_t(k)], selected_);
    const bool refused = !tone.text->accepts(field->text());
    edit([&](Image& image) { tone.text->put(two_tone::ref(image), tone.byte, field->text()); });
    if (refused) {
        rangeMessage();
        ui::showText(field, QString());
        QTimer::singleShot(0, field, [field] { field->setFocus(); });
    }
    refresh();
}

// ---------------------------------------------------------------- layout

// The tab strip is as wide as the window / 1.02. Each page lays itself out
// when it gets its size (a hidden page gets it when it is shown).
void frm_2tone::layOutContent(const QRect& area)
{
    const int m = twipsToPixels(120);
    const int w = int(area.width() / 1.02);
    tabs_->setGeometry(area.x() + (area.width() - w) / 2, area.y() + m, w, std::max(0, area.height() - m));
}

// The transmit grid is as wide as its frame / 2.5, the lists beside it.
void frm_2tone::layOutEncode()
{
    const int m = twipsToPixels(120);
    const QRect e = frameEncode_->rect();
    const int top = titleHeight(frameEncode_);
    const int gridW = int(e.width() / 2.5);
    encodeGrid_->setGeometry(m, top, gridW, std::max(0, e.height() - top - m));
    encodeGrid_->fitRows();
    const int vw = encodeGrid_->innerWidth();
    const int numberW = vw * 18 / 100;
    encodeGrid_->setColumnWidth(0, numberW);
    encodeGrid_->setColumnWidth(1, (vw - numberW) / 2);
    encodeGrid_->setColumnWidth(2, vw - numberW - (vw - numberW) / 2);
    const int listX = m * 3 + gridW;
    const int listW = e.width() - listX - m;
    const int rowH = twipsToPixels(400);
    for (int i = 0; i < 3; ++i) {
        const int y = top + m + rowH * 2 * i;
        durationLabels_[size_t(i)]->setGeometry(listX, y, listW * 64 / 100, rowH);
        durations_[size_t(i)]->setGeometry(listX + listW * 66 / 100, y, listW * 34 / 100, rowH);
    }
}

// The receive grid is as wide as its frame / 1.02 and 4000 twips high; the
// tone fields and the reset time below it.
void frm_2tone::layOutDecode()
{
    const int m = twipsToPixels(120);
    const int rowH = twipsToPixels(400);
    const QRect d = frameDecode_->rect();
    const int dTop = titleHeight(frameDecode_);
    const int dW = int(d.width() / 1.02);
    const int gridH = std::min(twipsToPixels(kDecodeGridHeightTwips), std::max(0, d.height() - dTop - 4 * rowH));
    decodeGrid_->setGeometry((d.width() - dW) / 2, dTop, dW, gridH);
    decodeGrid_->fitRows();
    const int dv = decodeGrid_->innerWidth();
    const int numberW = dv * 45 / 1000;
    const int ruleW = (dv - numberW) / two_tone::kRules;
    decodeGrid_->setColumnWidth(0, numberW);
    for (int rule = 0; rule < two_tone::kRules; ++rule) {
        const int pairW = ruleW * 20 / 100;
        const int alertW = ruleW * 16 / 100;
        decodeGrid_->setColumnWidth(two_tone::rule_column(rule, RuleField::Pair), pairW);
        decodeGrid_->setColumnWidth(two_tone::rule_column(rule, RuleField::Response), ruleW - pairW - alertW);
        decodeGrid_->setColumnWidth(two_tone::rule_column(rule, RuleField::Alert), alertW);
    }
    const int belowY = dTop + gridH + m;
    const int tonesW = d.width() * 64 / 100;
    frameTones_->setGeometry(m, belowY, tonesW, std::max(0, d.height() - belowY - m / 2));
    const int tTop = titleHeight(frameTones_);
    const int tRowH = std::max(1, (frameTones_->height() - tTop - m / 2) / 2);
    const int fieldH = std::max(1, std::min(tRowH - 2, rowH));
    const int half = (tonesW - m) / 2;
    for (int k = 0; k < two_tone::kTones; ++k) {
        const int x = m + (k % 2) * half;
        const int y = tTop + (k / 2) * tRowH;
        toneLabels_[size_t(k)]->setGeometry(x, y, half * 48 / 100, fieldH);
        tones_[size_t(k)]->setGeometry(x + half * 50 / 100, y, half * 44 / 100, fieldH);
    }
    const int resetX = m * 2 + tonesW;
    const int resetW = d.width() - resetX - m;
    resetLabel_->setGeometry(resetX, belowY + tTop, resetW, fieldH);
    resetTime_->setGeometry(resetX, belowY + tTop + fieldH + m / 2, resetW * 60 / 100, fieldH);
}

// ---------------------------------------------------------------- buttons

std::optional<TransferPlan> frm_2tone::plan(Direction direction) { return signalling::plan(direction, kRange, *this); }

void frm_2tone::loadDefaults(Image& image) { two_tone::load_defaults(image); }

}  // namespace vx
