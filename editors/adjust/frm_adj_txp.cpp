#include "editors/adjust/frm_adj_txp.h"

#include "editors/adjust/frm_adj_txp_texts.h"
#include "image/codecs.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/geometry.h"
#include "ui/key_rule.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace vx {

namespace T = adj_texts;
using namespace adjust;

namespace {

constexpr int kBoxWidthTwips = 600;
constexpr int kPointsPerLine = 8;

QString utf8(const char* s) { return QString::fromUtf8(s); }
QString indexed(const char* name, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i); }

QLabel* centredLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// A range box shows its limit after one space: " 130". A key that would
// make a fifth character is ignored.
QString limitText(int v) { return QLatin1Char(' ') + QString::number(v); }
const FieldRule kRangeKeys{.maxBefore = 3, .countTrimmed = true};

}  // namespace

frm_Adj_Txp::frm_Adj_Txp(RadioDocument& doc, QWidget* parent) : RegionEditor(makeDescriptor(), doc, parent)
{
    content_ = new QWidget(this);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(0, 0, 0, 0);

    tabs_ = new QTabBar(content_);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    for (const T::Page& p : T::kPages) {
        const int i = tabs_->addTab(utf8(p.tab));
        tabs_->setTabData(i, QString::fromLatin1(p.key));
    }
    layout->addWidget(tabs_);

    powerFrame_ = buildPowerFrame();
    squelchFrame_ = buildSquelchFrame();
    settingsFrame_ = buildSettingsFrame();
    rangeFrame_ = buildRangeFrame();
    for (QGroupBox* frame : {powerFrame_, squelchFrame_, settingsFrame_, rangeFrame_}) {
        layout->addWidget(frame, 1);
        frame->hide();
    }

    // The window opens on the squelch page; the tab strip shows it too, but
    // opening is not a tab change (the caption stays the window's own).
    tabs_->setCurrentIndex(Squelch);
    squelchFrame_->show();
    connect(tabs_, &QTabBar::currentChanged, this, &frm_Adj_Txp::showPage);

    caption();
    refresh();
}

frm_Adj_Txp::~frm_Adj_Txp() = default;

// ---------------------------------------------------------------- pages

QLineEdit* frm_Adj_Txp::addNumberBox(BoxKind kind, int index, const QString& name, QWidget* parent)
{
    QLineEdit* box = ui::makeField(parent, name);
    box->setAlignment(Qt::AlignCenter);
    box->setMinimumWidth(twipsToPixels(kBoxWidthTwips) / 2);
    box->setMaximumWidth(twipsToPixels(kBoxWidthTwips));
    boxes_.push_back({box, kind, index});
    const Box b = boxes_.back();
    connect(box, &QLineEdit::textEdited, this, [this, b] { validate(b); });
    return box;
}

// Pages 0 and 1 share one frame: band A points over Text1(k), band B points
// over Text2(k), eight points a line.
QGroupBox* frm_Adj_Txp::buildPowerFrame()
{
    auto* frame = new QGroupBox(content_);
    frame->setObjectName(QStringLiteral("Frame_Frame"));
    auto* outer = new QVBoxLayout(frame);
    for (const bool bandB : {false, true}) {
        auto* band = new QGroupBox(utf8(bandB ? T::kPowerFrameB : T::kPowerFrameA), frame);
        band->setObjectName(bandB ? QStringLiteral("Frame_Txp_UHF") : QStringLiteral("Frame_Txp_VHF"));
        auto* grid = new QGridLayout(band);
        const int boxes = kPoints + (bandB ? kHiddenPowerBoxesB : 0);
        for (int k = 0; k < boxes; ++k) {
            const int mhz = bandB ? point_mhz_b(k) : point_mhz_a(k);
            auto* label = centredLabel(QString::number(mhz) + QLatin1String(T::kPointUnit), band);
            label->setObjectName(indexed(bandB ? "Label_Txp_UHF" : "Label_Txp_VHF", k));
            const QString name = indexed(bandB ? "Text2" : "Text1", k);
            QLineEdit* box = k < kPoints ? addNumberBox(bandB ? BoxKind::PowerB : BoxKind::PowerA, k, name, band)
                                         : new QLineEdit(band);
            box->setObjectName(name);
            if (k >= kPoints) {
                // Present but never shown and never stored.
                label->hide();
                box->hide();
                continue;
            }
            // Points at or above 179 MHz, past band A's top, stand out.
            if (!bandB && mhz >= 179) {
                QPalette p = box->palette();
                p.setColor(QPalette::Base, p.color(QPalette::HighlightedText));
                box->setPalette(p);
            }
            const int line = 2 * (k / kPointsPerLine);
            grid->addWidget(label, line, k % kPointsPerLine);
            grid->addWidget(box, line + 1, k % kPointsPerLine, Qt::AlignHCenter);
        }
        outer->addWidget(band);
    }
    outer->addStretch(1);
    return frame;
}

// Two bands side by side: the ten levels ("Level" numbers, "Open" boxes) and
// the sixteen corrections ("Freq" labels, "Compen" boxes).
QGroupBox* frm_Adj_Txp::buildSquelchFrame()
{
    auto* frame = new QGroupBox(content_);
    frame->setObjectName(QStringLiteral("Frame_Sql"));
    auto* row = new QHBoxLayout(frame);
    for (const bool bandB : {false, true}) {
        auto* band = new QGroupBox(utf8(bandB ? T::kSquelchFrameB : T::kSquelchFrameA), frame);
        band->setObjectName(bandB ? QStringLiteral("Frame_Sql_UHF") : QStringLiteral("Frame_Sql_VHF"));
        auto* grid = new QGridLayout(band);
        grid->setVerticalSpacing(2);
        grid->addWidget(centredLabel(utf8(T::kLevelHeading), band), 0, 0);
        grid->addWidget(centredLabel(utf8(T::kOpenHeading), band), 0, 1);
        grid->addWidget(centredLabel(utf8(T::kFreqHeading), band), 0, 2);
        grid->addWidget(centredLabel(utf8(T::kCompenHeading), band), 0, 3);
        for (int level = 0; level < kSquelchLevels; ++level) {
            grid->addWidget(centredLabel(QString::number(level), band), level + 1, 0);
            grid->addWidget(addNumberBox(bandB ? BoxKind::LevelB : BoxKind::LevelA, level,
                                         indexed(bandB ? "Text_SQ_UHF" : "Text_SQ_VHF", level), band),
                            level + 1, 1);
        }
        for (int k = 0; k < kPoints; ++k) {
            grid->addWidget(centredLabel(QString::number(bandB ? point_mhz_b(k) : point_mhz_a(k)), band), k + 1, 2);
            grid->addWidget(addNumberBox(bandB ? BoxKind::OffsetB : BoxKind::OffsetA, k,
                                         indexed(bandB ? "Text_Sq_Offset_UHF" : "Text_Sq_Offset_VHF", k), band),
                            k + 1, 3);
        }
        grid->setRowStretch(kPoints + 1, 1);
        row->addWidget(band);
    }
    return frame;
}

// The thirteen settings of row 8, each list " 0", " 1", ... so that the
// position is the value.
QGroupBox* frm_Adj_Txp::buildSettingsFrame()
{
    auto* frame = new QGroupBox(content_);
    frame->setObjectName(QStringLiteral("Frame_Dev"));
    auto* grid = new QGridLayout(frame);
    constexpr int kPerColumn = (kSettingCount + 1) / 2;
    for (int i = 0; i < kSettingCount; ++i) {
        QStringList entries;
        entries.reserve(kSettings[i].count);
        for (int v = 0; v < kSettings[i].count; ++v)
            entries << QLatin1Char(' ') + QString::number(v);
        QComboBox* combo = ui::makeList(frame, QString::fromLatin1(kSettings[i].control), entries, 16);
        connect(combo, &QComboBox::activated, this, [this, i](int position) { choose(i, position); });
        settings_[size_t(i)] = combo;
        auto* label = new QLabel(utf8(T::kSettingLabels[i]), frame);
        const int column = 2 * (i / kPerColumn);
        grid->addWidget(label, i % kPerColumn, column);
        grid->addWidget(combo, i % kPerColumn, column + 1);
    }
    grid->setRowStretch(kPerColumn, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

// One line per band: its name and widest range, From [lower] to [upper], and
// a transmit check box that stores nothing.
QGroupBox* frm_Adj_Txp::buildRangeFrame()
{
    auto* frame = new QGroupBox(content_);
    frame->setObjectName(QStringLiteral("Frame_Other"));
    auto* grid = new QGridLayout(frame);
    bandHeading_ = new QLabel(frame);
    maxHeading_ = new QLabel(frame);
    limitHeading_ = centredLabel(QString(), frame);
    allowHeading_ = centredLabel(QString(), frame);
    grid->addWidget(bandHeading_, 0, 0);
    grid->addWidget(maxHeading_, 0, 1);
    grid->addWidget(limitHeading_, 0, 2, 1, 4);
    grid->addWidget(allowHeading_, 0, 6);
    for (int band = 0; band < 2; ++band) {
        grid->addWidget(new QLabel(utf8(T::kRangeLines[band]), frame), band + 1, 0, 1, 2);
        fromLabels_[size_t(band)] = new QLabel(frame);
        toLabels_[size_t(band)] = new QLabel(frame);
        QLineEdit* lower = ui::makeField(frame, indexed("Text_Freq_L", band));
        QLineEdit* upper = ui::makeField(frame, indexed("Text_Freq_H", band));
        for (QLineEdit* box : {lower, upper}) {
            box->setAlignment(Qt::AlignCenter);
            box->setMaximumWidth(twipsToPixels(900));
            KeyRule::install(box, kRangeKeys);
        }
        // Leaving a box checks it; a message box or a menu taking the focus
        // does not.
        onLeavingField(lower, [this, band] { leaveRangeBox(band, true); });
        onLeavingField(upper, [this, band] { leaveRangeBox(band, false); });
        lowerBoxes_[size_t(band)] = lower;
        upperBoxes_[size_t(band)] = upper;
        auto* allow = new QCheckBox(frame);
        allow->setObjectName(indexed("Check_Tx", band));
        grid->addWidget(fromLabels_[size_t(band)], band + 1, 2, Qt::AlignRight);
        grid->addWidget(lower, band + 1, 3);
        grid->addWidget(toLabels_[size_t(band)], band + 1, 4, Qt::AlignRight);
        grid->addWidget(upper, band + 1, 5);
        grid->addWidget(allow, band + 1, 6, Qt::AlignHCenter);
    }
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(7, 1);
    return frame;
}

void frm_Adj_Txp::showPage(int page)
{
    if (page < 0 || page >= kPages)
        return;
    page_ = Page(page);
    pageCaptioned_ = true;
    powerFrame_->setVisible(page_ == PowerHigh || page_ == PowerLow);
    squelchFrame_->setVisible(page_ == Squelch);
    settingsFrame_->setVisible(page_ == Settings);
    rangeFrame_->setVisible(page_ == Ranges);
    if (tabs_->currentIndex() != page) {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(page);
    }
    caption();
    refresh();
}

// ---------------------------------------------------------------- showing

void frm_Adj_Txp::caption()
{
    RegionEditor::caption();
    const QString title = utf8(T::kPages[page_].title);
    if (pageCaptioned_)
        setWindowTitle(title);
    if (page_ == PowerHigh || page_ == PowerLow)
        powerFrame_->setTitle(title);
    rangeFrame_->setTitle(T::kRangeFrame);
    bandHeading_->setText(T::kBandHeading);
    maxHeading_->setText(T::kMaxHeading);
    limitHeading_->setText(T::kLimitHeading);
    allowHeading_->setText(T::kAllowHeading);
    for (int band = 0; band < 2; ++band) {
        fromLabels_[size_t(band)]->setText(T::kFrom);
        toLabels_[size_t(band)]->setText(T::kTo);
    }
}

void frm_Adj_Txp::layOutContent(const QRect& area)
{
    const int margin = twipsToPixels(120);
    content_->setGeometry(area.adjusted(margin, margin, -margin, 0));
}

void frm_Adj_Txp::display()
{
    fillNumberBoxes(page_ == PowerHigh || page_ == PowerLow);
    if (page_ == Settings)
        fillSettings();
    if (page_ == Ranges)
        fillRanges();
}

// The squelch boxes always; the power boxes of the page shown when asked
// (they are filled without a check: the table's values need none).
void frm_Adj_Txp::fillNumberBoxes(bool power)
{
    const Table& t = table();
    for (const Box& b : boxes_) {
        const bool isPower = b.kind == BoxKind::PowerA || b.kind == BoxKind::PowerB;
        if (isPower && !power)
            continue;
        const NumberBox nb = tableByte(b);
        ui::showText(b.edit, QString::number(t.at(nb.row, nb.byte)));
    }
}

// A value past the end of its list shows no entry (and is kept).
void frm_Adj_Txp::fillSettings()
{
    for (int i = 0; i < kSettingCount; ++i) {
        const int v = table().at(Row::Settings, i);
        ui::select(settings_[size_t(i)], v < kSettings[i].count ? v : -1);
    }
}

void frm_Adj_Txp::fillRanges()
{
    for (int band = 0; band < 2; ++band) {
        ui::showText(lowerBoxes_[size_t(band)], limitText(range_limit(table(), 2 * band)));
        ui::showText(upperBoxes_[size_t(band)], limitText(range_limit(table(), 2 * band + 1)));
    }
}

// ---------------------------------------------------------------- edits

NumberBox frm_Adj_Txp::tableByte(const Box& box) const
{
    switch (box.kind) {
    case BoxKind::PowerA: return power_box(page_ == PowerLow ? 1 : 0, false, box.index);
    case BoxKind::PowerB: return power_box(page_ == PowerLow ? 1 : 0, true, box.index);
    case BoxKind::LevelA: return level_box(false, box.index);
    case BoxKind::LevelB: return level_box(true, box.index);
    case BoxKind::OffsetA: return offset_box(false, box.index);
    case BoxKind::OffsetB: return offset_box(true, box.index);
    }
    return {};
}

// Every change of a number box's text: stored when it is a number in range;
// otherwise the message, and the table's value back in the box.
void frm_Adj_Txp::validate(const Box& box)
{
    struct Messages {
        const char* notDigit;
        const char* outOfRange;
    };
    Messages m{T::kUpTo10, T::kUpTo10};
    switch (box.kind) {
    case BoxKind::PowerA: m = {T::kUpTo255, T::kUpTo15}; break;
    case BoxKind::PowerB: m = {T::kUpTo15, T::kUpTo15}; break;
    case BoxKind::LevelA: m = {T::kUpTo255, T::kUpTo100}; break;
    case BoxKind::LevelB: m = {T::kUpTo100, T::kUpTo100}; break;
    case BoxKind::OffsetA:
    case BoxKind::OffsetB: break;
    }
    if ((box.kind == BoxKind::PowerA || box.kind == BoxKind::PowerB) && page_ != PowerHigh && page_ != PowerLow)
        return;  // a power box off its pages edits nothing
    const NumberBox nb = tableByte(box);
    const NumberCheck check = store_number(table(), nb, box.edit->text());
    if (check == NumberCheck::Stored)
        return;
    prompt(utf8(T::kNumberTitle), PromptIcon::Information,
           utf8(check == NumberCheck::NotDigit ? m.notDigit : m.outOfRange));
    ui::showText(box.edit, QString::number(table().at(nb.row, nb.byte)));
}

void frm_Adj_Txp::choose(int setting, int position)
{
    if (position >= 0 && position < kSettings[setting].count)
        table().set(Row::Settings, setting, uint8_t(position));
}

// A range box loses the focus: both of its band's limits are checked against
// the band and each other. A bad one is replaced by the band's own limit and
// gets the focus back, and row 9 stays as it was; otherwise all four limits
// are stored.
void frm_Adj_Txp::leaveRangeBox(int band, bool lower)
{
    if (checkingRange_)
        return;  // the focus moving back after a message
    const double low = number_value(lowerBoxes_[size_t(band)]->text());
    const double high = number_value(upperBoxes_[size_t(band)]->text());
    const RangeCheck check = lower ? check_lower(band, low, high) : check_upper(band, low, high);
    if (check == RangeCheck::Ok) {
        std::array<double, 4> limits{};
        for (int b = 0; b < 2; ++b) {
            limits[size_t(2 * b)] = number_value(lowerBoxes_[size_t(b)]->text());
            limits[size_t(2 * b + 1)] = number_value(upperBoxes_[size_t(b)]->text());
        }
        store_range_limits(table(), limits);
        fillRanges();
        return;
    }
    Text message = T::kLowerBelowBand;
    switch (check) {
    case RangeCheck::LowerAboveUpper: message = T::kLowerAboveUpper; break;
    case RangeCheck::UpperAboveBand: message = T::kUpperAboveBand; break;
    case RangeCheck::UpperBelowLower: message = T::kUpperBelowLower; break;
    default: break;
    }
    checkingRange_ = true;
    prompt(T::kRangeTitle, PromptIcon::Warning, message);
    QLineEdit* box = lower ? lowerBoxes_[size_t(band)] : upperBoxes_[size_t(band)];
    const RangeBand& limits = kRangeBands[band];
    ui::showText(box, limitText(lower ? limits.low : limits.high));
    box->setFocus(Qt::OtherFocusReason);
    checkingRange_ = false;
}

// ---------------------------------------------------------------- buttons

void frm_Adj_Txp::loadDefaults(Image&) { load_defaults(table()); }

}  // namespace vx
