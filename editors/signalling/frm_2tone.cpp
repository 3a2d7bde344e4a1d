#include "editors/signalling/frm_2tone.h"

#include "editors/signalling/frm_2tone_texts.h"
#include "editors/signalling/signalling_frame.h"
#include "editors/signalling/signalling_texts.h"
#include "editors/signalling/text_grid.h"
#include "editors/signalling/typing_filter.h"
#include "image/tables.h"
#include "ui/geometry.h"
#include "ui/prompt.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace vx {

namespace T = two_tone_texts;
using two_tone::Layout;
using two_tone::RuleField;

namespace {

constexpr signalling::Range kRange{two_tone::kRegion, two_tone::kRegion};
constexpr int kDecodeGridHeightTwips = 4000;

// A transmit cell takes digits, the point and Enter, at any length; a tone
// field at most seven characters. Neither takes Backspace.
const TypingFilter::Rule kCellKeys{QStringLiteral("0123456789."), -1, false, true};
const TypingFilter::Rule kToneKeys{QStringLiteral("0123456789."), 6, false, true};

void rangeMessage()
{
    prompt(signalling_texts::kQuotedTitle, PromptIcon::Warning, T::kRange);
}

void select(QComboBox* combo, int position)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(std::min(position, combo->count() - 1));
}

void setTextIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

int titleHeight(const QWidget* frame) { return frame->fontMetrics().height() + 6; }

}  // namespace

frm_2tone::frm_2tone(QWidget* parent)
    : RegionEditor(signalling::descriptor({.name = "frm_2tone",
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
    frameEncode_ = new QGroupBox;
    frameEncode_->setObjectName(QStringLiteral("Frame_Encode"));
    frameDecode_ = new QGroupBox;
    frameDecode_->setObjectName(QStringLiteral("Frame_Decode"));
    tabs_->addTab(frameEncode_, QString());
    tabs_->addTab(frameDecode_, QString());
    frameEncode_->installEventFilter(this);  // each page lays itself out
    frameDecode_->installEventFilter(this);

    // Encode: the transmit grid and the three durations.
    encodeGrid_ = new TextGrid(QStringLiteral("MSF_Encode"), two_tone::kEntries, 3, frameEncode_);
    textEncode_ = new QLineEdit(encodeGrid_->viewport());
    textEncode_->setObjectName(QStringLiteral("Text_Encode"));
    textEncode_->setAlignment(Qt::AlignCenter);
    textEncode_->hide();
    TypingFilter::install(textEncode_, kCellKeys);
    static constexpr const char* kDurationNames[3][2] = {
        {"Label_1st", "Combo_Enc_ys1"}, {"Label_2nd", "Combo_Enc_ys2"}, {"Label_gap", "Combo_enc_ys3"}};
    for (int i = 0; i < 3; ++i) {
        durationLabels_[size_t(i)] = new QLabel(frameEncode_);
        durationLabels_[size_t(i)]->setObjectName(QString::fromLatin1(kDurationNames[i][0]));
        durations_[size_t(i)] = makeList(frameEncode_, kDurationNames[i][1], two_tone::durationEntries(), Layout::duration(i));
    }
    connect(encodeGrid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) { commitEncode(); });
    connect(encodeGrid_, &QTableView::clicked, this, &frm_2tone::enterEncode);

    // Decode: the rules grid, the selected entry's tones and the reset time.
    decodeGrid_ = new TextGrid(QStringLiteral("MSF_Decode"), two_tone::kEntries, two_tone::kDecodeColumns, frameDecode_);
    comboDecode_ = new QComboBox(decodeGrid_->viewport());
    comboDecode_->setObjectName(QStringLiteral("Combo_Decode"));
    comboDecode_->hide();
    discardTyping(comboDecode_);
    connect(comboDecode_, &QComboBox::activated, this, &frm_2tone::chooseDecode);
    connect(decodeGrid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) { leaveDecode(); });
    connect(decodeGrid_, &QTableView::clicked, this, &frm_2tone::enterDecode);
    connect(decodeGrid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() == 0)
            emptyDecodeRow(index.row());
    });

    frameTones_ = new QGroupBox(frameDecode_);
    frameTones_->setObjectName(QStringLiteral("Frame_Dec_xx"));
    static constexpr const char* kToneNames[two_tone::kTones][2] = {
        {"Label_A_tone", "Text_A"}, {"Label_B_tone", "Text_B"}, {"Label_C_tone", "Text_C"}, {"Label_D_Tone", "Text_D"}};
    for (int k = 0; k < two_tone::kTones; ++k) {
        toneLabels_[size_t(k)] = new QLabel(frameTones_);
        toneLabels_[size_t(k)]->setObjectName(QString::fromLatin1(kToneNames[k][0]));
        tones_[size_t(k)] = new QLineEdit(frameTones_);
        tones_[size_t(k)]->setObjectName(QString::fromLatin1(kToneNames[k][1]));
        TypingFilter::install(tones_[size_t(k)], kToneKeys);
        tones_[size_t(k)]->installEventFilter(this);  // commits when it loses the focus
    }
    resetLabel_ = new QLabel(frameDecode_);
    resetLabel_->setObjectName(QStringLiteral("Label_Reset"));
    resetTime_ = makeList(frameDecode_, "Combo_Dec_Res_Time", two_tone::resetTimeEntries(), Layout::resetTime);

    for (int n = 0; n < two_tone::kEntries; ++n) {
        encodeGrid_->setText(n, 0, QString::number(n + 1));
        decodeGrid_->setText(n, 0, QString::number(n + 1));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &frm_2tone::onTab);
    caption();
}

frm_2tone::~frm_2tone() = default;

QComboBox* frm_2tone::makeList(QWidget* parent, const char* name, const QStringList& entries, field::List8 f)
{
    return signalling::storedList(parent, QString::fromLatin1(name), entries, two_tone::kRegion, f);
}

// ---------------------------------------------------------------- showing

void frm_2tone::refresh()
{
    Image& image = appImage();
    two_tone::normalise(image);
    const RecordView r = two_tone::view(image);
    for (int n = 1; n <= two_tone::kEntries; ++n) {
        encodeGrid_->setText(n - 1, 1, two_tone::tx_text(image, n, 0));
        encodeGrid_->setText(n - 1, 2, two_tone::tx_text(image, n, 1));
        for (int c = 1; c < two_tone::kDecodeColumns; ++c)
            decodeGrid_->setText(n - 1, c, two_tone::rule_text(image, n, c));
    }
    for (int i = 0; i < 3; ++i)
        select(durations_[size_t(i)], Layout::duration(i).get(r));
    select(resetTime_, Layout::resetTime.get(r));
    showTones(selected_);
}

// The tones of receive entry `entry` (0..14) in the four fields.
void frm_2tone::showTones(int entry)
{
    for (int k = 0; k < two_tone::kTones; ++k)
        setTextIfChanged(tones_[size_t(k)], two_tone::tone_text(appImage(), entry + 1, k));
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
    static constexpr Text kDurations[3] = {T::kFirstTone, T::kSecondTone, T::kGap};
    for (int i = 0; i < 3; ++i)
        durationLabels_[size_t(i)]->setText(kDurations[i]);
    static constexpr Text kTones[two_tone::kTones] = {T::kToneA, T::kToneB, T::kToneC, T::kToneD};
    for (int k = 0; k < two_tone::kTones; ++k)
        toneLabels_[size_t(k)]->setText(kTones[k]);
    resetLabel_->setText(T::kReset);
    encodeGrid_->grid()->setHeadings(T::kEncodeHeadings);
    decodeGrid_->grid()->setHeadings(T::kDecodeHeadings);
    frameTones_->setTitle(QLatin1Char(' ') + QString::number(selected_ + 1) + T::kDecodeFrequencies.str());
}

// ---------------------------------------------------------------- tabs

void frm_2tone::onTab(int index)
{
    hideEditors();
    if (index == 1)
        selectEntry(0);
}

// The cell editors are hidden; a transmit text not yet committed is dropped.
void frm_2tone::hideEditors()
{
    encodeCell_ = {};
    textEncode_->hide();
    textEncode_->clear();
    decodeCell_ = {};
    comboDecode_->hide();
}

// ---------------------------------------------------------------- transmit grid

void frm_2tone::enterEncode(const QModelIndex& index)
{
    // Only the current cell opens: a click refused elsewhere does nothing.
    if (!index.isValid() || index.column() < 1 || index != encodeGrid_->currentIndex())
        return;
    encodeCell_ = {index.row(), index.column()};
    textEncode_->setText(encodeGrid_->text(index.row(), index.column()));
    textEncode_->setGeometry(encodeGrid_->cellRect(index.row(), index.column()));
    textEncode_->show();
    textEncode_->raise();
    textEncode_->setFocus();
}

// The current cell has changed: the open frequency is stored (rounded, or 0
// when there is none), after the range message for a refused text.
void frm_2tone::commitEncode()
{
    if (!encodeCell_.open())
        return;
    const Cell cell = encodeCell_;
    encodeCell_ = {};
    const two_tone::TxCommit c = two_tone::tx_commit(textEncode_->text());
    if (c.refused)
        rangeMessage();
    if (textEncode_->hasFocus())
        encodeGrid_->setFocus();
    textEncode_->hide();
    two_tone::set_tx_freq(appImage(), cell.row + 1, cell.column - 1, c.hz);
    refresh();
    textEncode_->clear();
}

// ---------------------------------------------------------------- receive grid

void frm_2tone::enterDecode(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    selectEntry(index.row());
    if (index.column() < 1 || index != decodeGrid_->currentIndex())
        return;
    decodeCell_ = {index.row(), index.column()};
    const RuleField f = two_tone::columnField(index.column());
    {
        const QSignalBlocker block(comboDecode_);
        comboDecode_->clear();
        switch (f) {
        case RuleField::Pair: comboDecode_->addItems(two_tone::pairEntries()); break;
        case RuleField::Response: comboDecode_->addItems(callAlertTexts()); break;
        case RuleField::Alert: comboDecode_->addItems(two_tone::alertEntries()); break;
        }
    }
    comboDecode_->setGeometry(decodeGrid_->cellRect(index.row(), index.column()));
    comboDecode_->show();
    comboDecode_->raise();
    comboDecode_->setFocus();
    // The preselection is a choice like any other and is stored at once.
    const int preselect = f == RuleField::Response ? 2 : 0;
    {
        const QSignalBlocker block(comboDecode_);
        comboDecode_->setCurrentIndex(preselect);
    }
    chooseDecode(preselect);
}

// Pairs and responses store the position; an alert stores the number shown.
void frm_2tone::chooseDecode(int position)
{
    if (!decodeCell_.open() || position < 0)
        return;
    const bool alert = two_tone::columnField(decodeCell_.column) == RuleField::Alert;
    two_tone::set_rule_byte(appImage(), decodeCell_.row + 1, decodeCell_.column, uint8_t(alert ? position + 1 : position));
}

void frm_2tone::leaveDecode()
{
    if (!decodeCell_.open())
        return;
    const Cell cell = decodeCell_;
    decodeCell_ = {};
    decodeGrid_->setText(cell.row, cell.column, comboDecode_->currentText());
    const int rule = two_tone::columnRule(cell.column);
    if (decodeGrid_->text(cell.row, two_tone::ruleColumn(rule, RuleField::Pair)).isEmpty()) {
        decodeGrid_->setText(cell.row, two_tone::ruleColumn(rule, RuleField::Response), QString());
        decodeGrid_->setText(cell.row, two_tone::ruleColumn(rule, RuleField::Alert), QString());
    }
    if (comboDecode_->hasFocus())
        decodeGrid_->setFocus();
    comboDecode_->hide();
}

// On screen only: the next Show brings the row back from the image.
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
    if (leavesField(event))
        for (int k = 0; k < two_tone::kTones; ++k)
            if (watched == tones_[size_t(k)]) {
                commitTone(k);
                break;
            }
    return RegionEditor::eventFilter(watched, event);
}

// A refused text brings the range message; the field is emptied and takes
// the focus back once the focus change that left it is over.
void frm_2tone::commitTone(int k)
{
    QLineEdit* field = tones_[size_t(k)];
    if (two_tone::commit_tone(appImage(), selected_ + 1, k, field->text())) {
        rangeMessage();
        field->clear();
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
        decodeGrid_->setColumnWidth(two_tone::ruleColumn(rule, RuleField::Pair), pairW);
        decodeGrid_->setColumnWidth(two_tone::ruleColumn(rule, RuleField::Response), ruleW - pairW - alertW);
        decodeGrid_->setColumnWidth(two_tone::ruleColumn(rule, RuleField::Alert), alertW);
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

std::optional<TransferPlan> frm_2tone::plan(Direction direction) { return signalling::plan(direction, kRange, appImage()); }

void frm_2tone::loadDefaults()
{
    hideEditors();
    two_tone::load_defaults(appImage());
}

}  // namespace vx
