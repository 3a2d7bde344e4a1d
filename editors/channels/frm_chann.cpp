#include "editors/channels/frm_chann.h"

#include "editors/channels/channel_grid_model.h"
#include "editors/channels/frm_chann_texts.h"
#include "image/codecs.h"
#include "image/tables.h"
#include "image/tones.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace vx {

using namespace channels;
namespace T = chann_texts;

namespace {

// Column widths in twips.
constexpr int kColumnTwips[kColumns] = {800, 1000, 1300, 1300, 1400, 1400, 900, 700,
                                        800, 900,  900,  800,  800,  800,  600, 1100};

bool blank(const QString& text) { return text.trimmed().isEmpty(); }

// The test Enter applies: between the band A lower and the band B upper
// limit, and not in the gap above band A.
bool inEnterRange(double f)
{
    const BandLimits& l = bandLimits();
    return f >= l.aLow && f <= l.bHigh && !(f > l.aHigh && f < l.bLow);
}

// The test leaving a cell applies: up to one MHz above band A is accepted.
bool inLeaveRange(double f)
{
    const BandLimits& l = bandLimits();
    return f >= l.aLow && f <= l.bHigh && !(f >= l.aHigh + 1 && f < l.bLow);
}

QString lowerLimitText() { return frequency_text_mhz(bandLimits().aLow); }

// A typed frequency as Enter leaves it in the cell: nine characters from
// 100 MHz up, eight below, zero-padded. A whole number gets its point first
// so that "145" reads 145.00000 and not 145000000.
QString enteredFrequency(const QString& typed)
{
    QString text = typed.trimmed();
    const int length = number_value(text) >= 100 ? 9 : 8;
    if (!text.contains(QLatin1Char('.')))
        text += QLatin1Char('.');
    text.truncate(length);
    while (text.size() < length)
        text += QLatin1Char('0');
    return text;
}

// A typed tone: its shortest decimal text, ".0" appended when whole.
QString toneText(double hz)
{
    QString s = QString::number(hz, 'g', 15);
    if (!s.contains(QLatin1Char('.')))
        s += QStringLiteral(".0");
    return s;
}

bool isToneColumn(int column) { return column == ColDecode || column == ColEncode; }
bool isTextColumn(int column) { return column == ColRx || column == ColTx || column == ColName; }
bool isEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

void say(const Text& text) { prompt(T::kPromptTitle, PromptIcon::Warning, text); }

}  // namespace

frm_chann::frm_chann(QWidget* parent) : RegionEditor(makeDescriptor(), parent)
{
    model_ = new ChannelGridModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("MSF_Chann"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);  // cells hold one short line; lays out faster
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(twipsToPixels(300));
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < kColumns; ++c)
        grid_->setColumnWidth(c, twipsToPixels(kColumnTwips[c]));
    grid_->lower();  // under the in-cell editors and the progress row

    textEdit_ = new QLineEdit(grid_->viewport());
    textEdit_->setObjectName(QStringLiteral("Text_Edit"));
    textEdit_->setAlignment(Qt::AlignCenter);
    textEdit_->hide();
    textEdit_->installEventFilter(this);

    comboEdit_ = new QComboBox(grid_->viewport());
    comboEdit_->setObjectName(QStringLiteral("Combo_edit"));
    comboEdit_->setEditable(true);
    comboEdit_->setInsertPolicy(QComboBox::NoInsert);
    comboEdit_->setCompleter(nullptr);  // typed tones stay as typed
    comboEdit_->setMaxVisibleItems(12);
    comboEdit_->hide();
    comboEdit_->installEventFilter(this);
    comboEdit_->lineEdit()->installEventFilter(this);
    connect(comboEdit_, &QComboBox::activated, this, &frm_chann::choose);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &frm_chann::onCurrentChanged);
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& i) { enterCell(i.row(), i.column()); });
    auto hideText = [this] { textEdit_->hide(); };
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, hideText);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, hideText);

    caption();
    refresh();
}

frm_chann::~frm_chann() = default;

// ---------------------------------------------------------------- showing

void frm_chann::caption()
{
    RegionEditor::caption();
    model_->setHeadings(T::kHeadings);
}

// The grid is as wide as the window / 1.02, centred, above the progress row.
void frm_chann::layOutContent(const QRect& area)
{
    const int margin = twipsToPixels(120);
    const int gridW = int(area.width() / 1.02);
    grid_->setGeometry(area.x() + (area.width() - gridW) / 2, area.y() + margin, gridW,
                       std::max(0, area.height() - margin));
}

void frm_chann::refresh()
{
    // Only rows whose texts changed are repainted: most refreshes (every
    // activation) change nothing.
    Image& image = appImage();
    int first = kChannels;
    int last = -1;
    for (int n = 0; n < kChannels; ++n) {
        normalise_channel(image, n);
        ChannelTexts t = decode_channel(image, n);
        t[ColNumber] = QString::number(n);
        if (model_->setRow(n, t, false)) {
            first = std::min(first, n);
            last = n;
        }
    }
    model_->rowsChanged(first, last);
}

QString frm_chann::cellText(int channel, int column) const { return cell(channel, column); }

QString frm_chann::cell(int n, int column) const { return model_->text(n, column); }

void frm_chann::setCell(int n, int column, const QString& text) { model_->setText(n, column, text); }

void frm_chann::showChannel(int n)
{
    if (!validChannel(n))
        return;
    normalise_channel(appImage(), n);
    ChannelTexts t = decode_channel(appImage(), n);
    t[ColNumber] = QString::number(n);
    model_->setRow(n, t);
}

void frm_chann::closeEditors()
{
    // The grid takes the focus back first: hiding a focused editor would
    // pass the focus on as if Tab had been pressed in the grid.
    if (textEdit_->hasFocus() || comboEdit_->hasFocus())
        grid_->setFocus();
    textEdit_->hide();
    comboEdit_->hide();
    open_ = {};
}

// ---------------------------------------------------------------- events

bool frm_chann::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (watched == textEdit_)
            return textEditKey(key);
        if (watched == comboEdit_ || watched == comboEdit_->lineEdit())
            return comboKey(key);
    }
    return RegionEditor::eventFilter(watched, e);
}

// ---------------------------------------------------------------- cells

void frm_chann::onCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(current);
    if (previous.isValid())
        leaveCell(previous.row(), previous.column());
    closeEditors();
}

void frm_chann::moveTo(int n, int column)
{
    const QModelIndex target = model_->index(n, column);
    grid_->setCurrentIndex(target);
    grid_->scrollTo(target);
    enterCell(n, column);
}

void frm_chann::enterCell(int n, int column)
{
    closeEditors();
    if (!validChannel(n) || column <= ColNumber || column >= kColumns)
        return;
    const QModelIndex index = model_->index(n, column);
    const QRect rect = grid_->visualRect(index);

    if (isTextColumn(column)) {
        textEdit_->setText(cell(n, column));
        textEdit_->setGeometry(rect);
        textEdit_->show();
        textEdit_->raise();
        textEdit_->setFocus();
        open_ = {n, column};
        return;
    }

    // Settings of an empty channel have no drop-down.
    if (column != ColBand && (blank(cell(n, ColBand)) || (column == ColEncode && blank(cell(n, ColRx)))))
        return;

    comboEntered_ = cell(n, column);
    const QStringList entries = choices(column);
    comboEdit_->clear();
    comboEdit_->addItems(entries);
    comboEdit_->setCurrentIndex(int(entries.indexOf(comboEntered_.trimmed())));
    comboEdit_->setEditText(comboEntered_);
    // Only the tone columns take typed text; elsewhere it never sticks.
    comboEdit_->lineEdit()->setReadOnly(!isToneColumn(column));
    comboEdit_->setGeometry(rect);
    comboEdit_->show();
    comboEdit_->raise();
    comboEdit_->setFocus();
    open_ = {n, column};
}

void frm_chann::leaveCell(int n, int column)
{
    // Only a cell whose editor was opened is taken from its editor.
    if (!open_.is(n, column))
        return;
    open_ = {};
    switch (column) {
    case ColBand:
        if (comboEdit_->currentText().trimmed() != cell(n, ColBand).trimmed()) {
            delete_channel(appImage(), n);
            setCell(n, ColBand, comboEdit_->currentText());
            showChannel(n);
        }
        break;
    case ColRx: leaveRx(n, textEdit_->text()); break;
    case ColTx: leaveTx(n, textEdit_->text()); break;
    case ColDecode:
    case ColEncode: leaveTone(n, column, comboEdit_->currentText()); break;
    case ColName: leaveName(n, textEdit_->text()); break;
    default:
        // The value was stored when the entry was chosen.
        setCell(n, column, comboEdit_->currentText());
        showChannel(n);
        break;
    }
}

void frm_chann::leaveRx(int n, const QString& text)
{
    Image& image = appImage();
    if (blank(text)) {
        setCell(n, ColRx, QString());
        setCell(n, ColTx, QString());
        delete_channel(image, n);
        showChannel(n);
        return;
    }
    const bool wasBlank = blank(cell(n, ColRx)) || is_empty(image, n);
    if (inLeaveRange(number_value(text))) {
        if (wasBlank)
            new_channel(image, n);
        setCell(n, ColRx, text);
        if (blank(cell(n, ColTx)))
            setCell(n, ColTx, text);
        set_rx(image, n, text);  // the transmit frequency follows
    } else {
        say(T::kRxRange);
        const QString low = lowerLimitText();
        setCell(n, ColRx, low);
        textEdit_->setText(low);
        // Only an empty channel takes the replacement as its transmit
        // frequency too; an existing one keeps its own.
        if (is_empty(image, n)) {
            new_channel(image, n);
            set_rx(image, n, low);
        } else {
            set_rx_only(image, n, low);
        }
    }
    showChannel(n);
}

// An out-of-range transmit frequency: the message, then the band A lower
// limit in its place with the encode tone off (bytes 10-11 back to 0xFF).
void frm_chann::replaceTxWithLowerLimit(int n)
{
    Image& image = appImage();
    say(T::kTxRange);
    const QString low = lowerLimitText();
    setCell(n, ColTx, low);
    setCell(n, ColEncode, QStringLiteral("OFF"));
    remove_tx(image, n);
    set_tx(image, n, low);
}

void frm_chann::leaveTx(int n, const QString& text)
{
    Image& image = appImage();
    if (blank(cell(n, ColRx)) && !blank(text)) {
        say(T::kRxFirst);
        return;
    }
    if (blank(text)) {
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
        remove_tx(image, n);
    } else if (inLeaveRange(number_value(text))) {
        setCell(n, ColTx, text);
        set_tx(image, n, text);
    } else {
        replaceTxWithLowerLimit(n);
    }
    showChannel(n);
}

void frm_chann::leaveTone(int n, int column, const QString& typed)
{
    const QString text = typed.trimmed();
    // Passing through a tone cell stores nothing: re-storing a decode tone
    // would overwrite a different encode tone.
    if (text == comboEntered_.trimmed())
        return;
    const Tone which = column == ColDecode ? Tone::Decode : Tone::Encode;
    const double v = number_value(text);
    if (v >= 60 && v <= 259.9) {
        setCell(n, column, toneText(v));
        set_tone_value(appImage(), n, which, v);
        showChannel(n);
        return;
    }
    if (const auto index = tones::index_of(text)) {
        set_tone(appImage(), n, which, *index);
        setCell(n, column, tones::label(*index));
        showChannel(n);
    }
}

void frm_chann::leaveName(int n, const QString& text)
{
    if (text.trimmed().toUcs4().size() > kNameLength)
        prompt(T::kNamePromptTitle, PromptIcon::Warning, T::kNameLength);
    if (blank(cell(n, ColBand)))
        return;  // no channel, no name
    setCell(n, ColName, name_entry(text));
    set_name(appImage(), n, text);
    showChannel(n);
}

// ---------------------------------------------------------------- keys

bool frm_chann::textEditKey(QKeyEvent* key)
{
    if (!isEnter(key) || !validChannel(open_.row))
        return false;
    if (open_.column == ColRx)
        enterRx(open_.row);
    else if (open_.column == ColTx)
        enterTx(open_.row);
    return true;  // Enter in the name cell does nothing
}

void frm_chann::enterRx(int n)
{
    Image& image = appImage();
    const QString text = textEdit_->text();
    const bool wasBlank = blank(cell(n, ColRx));
    auto applyNew = [&] {
        if (!wasBlank)
            return;
        new_channel(image, n);
        const ChannelTexts fresh = new_channel_texts();
        for (int c = ColDecode; c < kColumns; ++c)
            setCell(n, c, fresh[size_t(c)]);
        setCell(n, ColEncode, QString());
    };
    if (blank(text)) {
        setCell(n, ColRx, QString());
        setCell(n, ColTx, QString());
        delete_channel(image, n);
        showChannel(n);
    } else if (inEnterRange(number_value(text))) {
        applyNew();
        setCell(n, ColRx, enteredFrequency(text));
    } else {
        say(T::kRxRange);
        setCell(n, ColRx, lowerLimitText());
        applyNew();
    }
    textEdit_->setText(cell(n, ColRx));
    if (blank(cell(n, ColTx)))
        setCell(n, ColTx, cell(n, ColRx));
    moveTo(n, ColTx);
}

void frm_chann::enterTx(int n)
{
    const QString text = textEdit_->text();
    if (blank(cell(n, ColRx)) && !blank(text)) {
        say(T::kRxFirst);
        textEdit_->clear();
    } else if (blank(text)) {
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
    } else if (inEnterRange(number_value(text))) {
        setCell(n, ColTx, enteredFrequency(text));
    } else {
        // Stored here so that leaving the cell does not repeat the message.
        replaceTxWithLowerLimit(n);
    }
    textEdit_->setText(cell(n, ColTx));
    if (blank(cell(n, ColRx)) && blank(cell(n, ColTx)))
        moveTo(std::min(n + 1, kChannels - 1), ColBand);
    else
        moveTo(n, ColDecode);
}

bool frm_chann::comboKey(QKeyEvent* key)
{
    const int column = open_.column;
    if (isEnter(key)) {
        if (column >= ColDecode && column <= ColScrambler)
            moveTo(open_.row, column + 1);
        return true;
    }
    if (!isToneColumn(column) || key->text().isEmpty())
        return false;
    const QChar c = key->text().at(0);
    if (!c.isPrint())
        return false;  // editing keys such as Backspace
    static const QString allowed = QStringLiteral("0123456789.DNI");
    const QChar upper = c.toUpper();
    if (!allowed.contains(upper) || (c.isLower() && !QStringLiteral("dni").contains(c)))
        return true;  // dropped
    if (upper != c) {
        comboEdit_->lineEdit()->insert(QString(upper));
        return true;
    }
    return false;
}

void frm_chann::choose(int p)
{
    const int n = open_.row;
    const int column = open_.column;
    if (!validChannel(n) || p < 0)
        return;
    Image& image = appImage();
    switch (column) {
    case ColBand: {
        const QString text = comboEdit_->itemText(p);
        if (text.trimmed() != cell(n, ColBand).trimmed()) {
            delete_channel(image, n);
            setCell(n, ColBand, text);
            showChannel(n);
        }
        return;
    }
    case ColDecode: set_tone(image, n, Tone::Decode, p); break;
    case ColEncode: set_tone(image, n, Tone::Encode, p); break;
    default: set_choice(image, n, column, p); break;
    }
    showChannel(n);
}

// ---------------------------------------------------------------- buttons

void frm_chann::clearAll()
{
    closeEditors();
    for (int n = 0; n < kChannels; ++n)
        delete_channel(appImage(), n);
}

void frm_chann::loadDefaults()
{
    closeEditors();
    load_factory_channels(appImage());
}

// The data file dialogs go with the window.
void frm_chann::closing()
{
    shell::closeWindow(QStringLiteral("Form_open_chann"));
    shell::closeWindow(QStringLiteral("Form_save_chann"));
}

}  // namespace vx
