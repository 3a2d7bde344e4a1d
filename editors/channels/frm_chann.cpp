#include "editors/channels/frm_chann.h"

#include "app/geometry.h"
#include "app/prompt.h"
#include "app/shell.h"
#include "editors/channels/channel_grid_model.h"
#include "editors/channels/frm_chann_texts.h"
#include "image/codecs.h"
#include "image/tables.h"
#include "image/tones.h"
#include "link/engine.h"
#include "link/port.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
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

void warn(const QString& text) { prompt(T::kPromptTitle, PromptIcon::Warning, text); }

}  // namespace

frm_chann::frm_chann(QWidget* parent)
    : QWidget(parent),
      port_(makeSerialPort()),
      timer1_(makeTimer()),
      timer2_(makeTimer()),
      timer3_(makeTimer())
{
    setObjectName(QStringLiteral("frm_chann"));
    resize(twipsToPixels(kDesignW), twipsToPixels(kDesignH));

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

    const struct {
        const char* name;
        void (frm_chann::*slot)();
    } buttons[] = {
        {"Command_read", &frm_chann::onRead},       {"Command_write", &frm_chann::onWrite},
        {"Command_clear", &frm_chann::onClear},     {"Command_default", &frm_chann::onDefault},
        {"Command_save", &frm_chann::onSave},       {"Command_open", &frm_chann::onOpen},
        {"Command_close", &frm_chann::onClose},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(b.name));
        connect(button, &QPushButton::clicked, this, b.slot);
        buttons_ << button;
    }

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->hide();
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label_tr_count"));
    label_->hide();

    setUpTransfers();

    shell::placeChild(this, kDesignW, kDesignH);
    caption();
    refresh();
}

frm_chann::~frm_chann()
{
    // The engine goes before the port and timers it runs on.
    engine_.reset();
}

bool frm_chann::busy() const { return engine_ && engine_->busy(); }

// ---------------------------------------------------------------- showing

void frm_chann::caption()
{
    setWindowTitle(T::kTitle);
    model_->setHeadings(T::kHeadings);
    const Text captions[] = {T::kRead, T::kWrite, T::kClear, T::kDefault, T::kSave, T::kOpen, T::kClose};
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setText(captions[i]);
}

void frm_chann::layoutControls()
{
    const int w = width();
    const int h = height();
    const int margin = twipsToPixels(120);
    const int gridW = int(w / 1.02);
    const int gridX = (w - gridW) / 2;
    const int buttonH = twipsToPixels(495);
    // The button row's top lies 1500 twips above the bottom of the whole
    // window, frame included (the size the geometry rule gives).
    int outerH = h;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        outerH = frame->height();
    else if (isWindow())
        outerH = frameGeometry().height();
    const int buttonTop = std::clamp(outerH - twipsToPixels(1500), 0, std::max(0, h - buttonH - margin));
    const int progressTop = std::max(0, buttonTop - twipsToPixels(800));
    grid_->setGeometry(gridX, margin, gridW, std::max(0, progressTop - 2 * margin));

    const int gap = twipsToPixels(150);
    const int count = int(buttons_.size());
    const int buttonW = std::max(1, std::min(twipsToPixels(1300), (gridW - (count - 1) * gap) / count));
    int x = gridX + (gridW - (count * buttonW + (count - 1) * gap)) / 2;
    for (QPushButton* b : buttons_) {
        b->setGeometry(x, buttonTop, buttonW, buttonH);
        x += buttonW + gap;
    }
    const int rowH = twipsToPixels(300);
    label_->setGeometry(gridX, progressTop, gridW / 2 - gap, rowH);
    progress_->setGeometry(gridX + gridW / 2, progressTop, gridW / 2, rowH);
}

void frm_chann::refresh()
{
    // Only rows whose texts changed are repainted: most refreshes (every
    // activation) change nothing.
    Image& image = appImage();
    int first = kChannels;
    int last = -1;
    for (int n = 0; n < kChannels; ++n) {
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

bool frm_chann::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && loaded_)
        refresh();
    return QWidget::event(e);
}

void frm_chann::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (loaded_)
        return;
    loaded_ = true;
    // The window loads: timers off, flags clear, progress hidden.
    engine_->abandon();
    progress_->hide();
    label_->hide();
    caption();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        connect(frame, &QMdiSubWindow::aboutToActivate, this, &frm_chann::refresh);
    refresh();
}

void frm_chann::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    refresh();
}

void frm_chann::closeEvent(QCloseEvent* e)
{
    if (busy()) {
        warn(T::kBusyCloseFrame);
        e->ignore();
        return;
    }
    engine_->abandon();
    e->accept();
}

void frm_chann::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    layoutControls();
}

bool frm_chann::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (watched == textEdit_)
            return textEditKey(key);
        if (watched == comboEdit_ || watched == comboEdit_->lineEdit())
            return comboKey(key);
    }
    return QWidget::eventFilter(watched, e);
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
        warn(T::kRxRange);
        const QString low = lowerLimitText();
        setCell(n, ColRx, low);
        textEdit_->setText(low);
        if (is_empty(image, n))
            new_channel(image, n);
        set_rx(image, n, low);
    }
    showChannel(n);
}

// An out-of-range transmit frequency: the message, then the band A lower
// limit in its place with the encode tone off (bytes 10-11 back to 0xFF).
void frm_chann::replaceTxWithLowerLimit(int n)
{
    Image& image = appImage();
    warn(T::kTxRange);
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
        warn(T::kRxFirst);
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
        warn(T::kRxRange);
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
        warn(T::kRxFirst);
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

bool frm_chann::refuseWhileBusy()
{
    if (!busy())
        return false;
    warn(T::kBusy);
    return true;
}

void frm_chann::onClear()
{
    if (busy()) {
        warn(T::kBusyClear);
        return;
    }
    progress_->setValue(0);
    progress_->hide();
    closeEditors();
    for (int n = 0; n < kChannels; ++n)
        delete_channel(appImage(), n);
    refresh();
}

void frm_chann::onDefault()
{
    // Refused during a transfer too: a write would send half old, half
    // factory channels.
    if (refuseWhileBusy())
        return;
    closeEditors();
    load_factory_channels(appImage());
    refresh();
}

void frm_chann::onOpen()
{
    if (!refuseWhileBusy())
        shell::reopenWindow(QStringLiteral("Form_open_chann"));
}

void frm_chann::onSave()
{
    if (!refuseWhileBusy())
        shell::reopenWindow(QStringLiteral("Form_save_chann"));
}

void frm_chann::onClose()
{
    if (busy()) {
        warn(T::kBusyClose);
        return;
    }
    engine_->abandon();
    shell::closeWindow(QStringLiteral("Form_open_chann"));
    shell::closeWindow(QStringLiteral("Form_save_chann"));
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

}  // namespace vx
