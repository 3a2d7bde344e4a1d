#include "editors/channels/frm_chann.h"

#include "editors/channels/channel_columns.h"
#include "editors/channels/frm_chann_texts.h"
#include "image/codecs.h"
#include "image/tables.h"
#include "image/tones.h"
#include "image/typed_values.h"
#include "ui/cell_editing.h"
#include "ui/controls.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

#include <algorithm>

namespace vx {

using namespace channels;
namespace T = chann_texts;
using ui::blank;

namespace {

// The tone columns' lists take digits, the point and D, N, I (lower case
// taken as upper); Backspace stays, so a typo can be mended.
const FieldRule kToneKeys{.accepted = QStringLiteral("0123456789.DNI"), .upperCase = true};

bool isToneColumn(int column) { return column == ColDecode || column == ColEncode; }
bool isTextColumn(int column) { return column == ColRx || column == ColTx || column == ColName; }

void say(const Text& text) { warn(T::kPromptTitle, text); }

}  // namespace

frm_chann::frm_chann(RadioDocument& doc, QWidget* parent) : RegionEditor(makeDescriptor(), doc, parent)
{
    grid_ = new TextGrid(QStringLiteral("MSF_Chann"), kChannels, kColumns, this);
    grid_->verticalHeader()->setDefaultSectionSize(twipsToPixels(300));
    for (const ChannelColumn& c : kChannelColumns)
        grid_->setColumnWidth(c.id, twipsToPixels(c.twips));
    grid_->lower();  // under the progress row

    cells_ = new CellEditing(grid_, {.textName = "Text_Edit",
                                     .listName = "Combo_edit",
                                     .clicked = [this](GridCell c) { clickedCell(c); },
                                     .enter = [this](GridCell c) { return enterCell(c); },
                                     .leave = [this](GridCell c, const CellValue& v) { leaveCell(c, v.text); },
                                     .choose = [this](GridCell c, int p) { choose(c, p); },
                                     .enterKey = [this](GridCell c) { return enterKey(c); }});
    installRowCommands();

    caption();
    refresh();
}

frm_chann::~frm_chann() = default;

// ---------------------------------------------------------------- showing

void frm_chann::caption()
{
    RegionEditor::caption();
    grid_->setHeadings(channel_headings(chinese()));
    captionRowCommands();
}

// The grid is as wide as the window / 1.02, centred, above the progress row.
void frm_chann::layOutContent(const QRect& area)
{
    const int margin = twipsToPixels(120);
    const int gridW = int(area.width() / 1.02);
    grid_->setGeometry(area.x() + (area.width() - gridW) / 2, area.y() + margin, gridW,
                       std::max(0, area.height() - margin));
}

void frm_chann::display()
{
    // Only rows whose texts changed are repainted: most refreshes (every
    // activation) change nothing.
    const Image& image = this->image();
    TextGridModel* model = grid_->grid();
    int first = kChannels;
    int last = -1;
    for (int n = 0; n < kChannels; ++n) {
        ChannelTexts t = decode_channel(image, n);
        t[ColNumber] = QString::number(n);
        if (model->setRow(n, t, false)) {
            first = std::min(first, n);
            last = n;
        }
    }
    model->rowsChanged(first, last);
}

QString frm_chann::cellText(int channel, int column) const { return cell(channel, column); }

QString frm_chann::cell(int n, int column) const { return grid_->text(n, column); }

void frm_chann::setCell(int n, int column, const QString& text) { grid_->setText(n, column, text); }

void frm_chann::editChannel(int n, int column, const RadioDocument::Change& change)
{
    const EditName name{QStringLiteral("信道 %1 ").arg(n) + channel_heading(true, column),
                        QStringLiteral("Channel %1 ").arg(n) + channel_heading(false, column)};
    document().edit(name, {{record_row(n), record_row(n)}, {name_row(n), name_row(n)}},
                    [&](Image& image) {
                        change(image);
                        normalise_channel(image, n);
                    },
                    this);
}

void frm_chann::showChannel(int n)
{
    if (!valid_channel(n))
        return;
    ChannelTexts t = decode_channel(image(), n);
    t[ColNumber] = QString::number(n);
    grid_->grid()->setRow(n, t);
}

// ---------------------------------------------------------------- cells

// Frequencies and the name in the text box; every other column in a list
// that shows the cell's text. Settings of an empty channel have no list.
CellEditor frm_chann::enterCell(GridCell c)
{
    const int n = c.row;
    const int column = c.column;
    if (!valid_channel(n) || column <= ColNumber || column >= kColumns)
        return CellEditor::none();
    if (isTextColumn(column))
        return CellEditor::textBox(cell(n, column));
    if (column != ColBand && (blank(cell(n, ColBand)) || (column == ColEncode && blank(cell(n, ColRx)))))
        return CellEditor::none();
    comboEntered_ = cell(n, column);
    const QStringList entries = choices(column);
    CellEditor e = CellEditor::list(entries, int(entries.indexOf(comboEntered_.trimmed())));
    e.showText = true;
    e.text = comboEntered_;
    // Only the tone columns take typed text; elsewhere it never sticks.
    if (isToneColumn(column))
        e.rule = kToneKeys;
    return e;
}

void frm_chann::leaveCell(GridCell c, const QString& text)
{
    const int n = c.row;
    switch (c.column) {
    case ColBand: leaveBand(n, text); break;
    case ColRx: leaveRx(n, text); break;
    case ColTx: leaveTx(n, text); break;
    case ColDecode:
    case ColEncode: leaveTone(n, c.column, text); break;
    case ColName: leaveName(n, text); break;
    default:
        // The value was stored when the entry was chosen.
        setCell(n, c.column, text);
        showChannel(n);
        break;
    }
}

// A band other than the one shown deletes the channel.
void frm_chann::leaveBand(int n, const QString& text)
{
    if (text.trimmed() == cell(n, ColBand).trimmed())
        return;
    editChannel(n, ColBand, [n](Image& image) { delete_channel(image, n); });
    setCell(n, ColBand, text);
    showChannel(n);
}

void frm_chann::leaveRx(int n, const QString& text)
{
    if (blank(text)) {
        setCell(n, ColRx, QString());
        setCell(n, ColTx, QString());
        editChannel(n, ColRx, [n](Image& image) { delete_channel(image, n); });
        showChannel(n);
        return;
    }
    const bool wasBlank = blank(cell(n, ColRx)) || is_empty(image(), n);
    const BandLimits& limits = document().bandLimits();
    if (in_leave_range(number_value(text), limits)) {
        setCell(n, ColRx, text);
        if (blank(cell(n, ColTx)))
            setCell(n, ColTx, text);
        editChannel(n, ColRx, [&](Image& image) {
            if (wasBlank)
                new_channel(image, n);
            set_rx(image, n, text);  // the transmit frequency follows
        });
    } else {
        say(T::kRxRange);
        const QString low = lower_limit_text(limits);
        setCell(n, ColRx, low);
        ui::showText(cells_->textBox(), low);
        // Only an empty channel takes the replacement as its transmit
        // frequency too; an existing one keeps its own.
        editChannel(n, ColRx, [&](Image& image) {
            if (is_empty(image, n)) {
                new_channel(image, n);
                set_rx(image, n, low);
            } else {
                set_rx_only(image, n, low);
            }
        });
    }
    showChannel(n);
}

// An out-of-range transmit frequency: the message, then the band A lower
// limit in its place with the encode tone off (bytes 10-11 back to 0xFF).
void frm_chann::replaceTxWithLowerLimit(int n)
{
    say(T::kTxRange);
    const QString low = lower_limit_text(document().bandLimits());
    setCell(n, ColTx, low);
    setCell(n, ColEncode, QStringLiteral("OFF"));
    editChannel(n, ColTx, [&](Image& image) {
        remove_tx(image, n);
        set_tx(image, n, low);
    });
}

void frm_chann::leaveTx(int n, const QString& text)
{
    if (blank(cell(n, ColRx)) && !blank(text)) {
        say(T::kRxFirst);
        return;
    }
    if (blank(text)) {
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
        editChannel(n, ColTx, [n](Image& image) { remove_tx(image, n); });
    } else if (in_leave_range(number_value(text), document().bandLimits())) {
        setCell(n, ColTx, text);
        editChannel(n, ColTx, [&](Image& image) { set_tx(image, n, text); });
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
    if (const auto tone = read_tone(text, Acceptance::Snap)) {
        setCell(n, column, tone->text);
        editChannel(n, column, [&](Image& image) { set_tone_pair(image, n, which, tone->pair); });
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
    editChannel(n, ColName, [&](Image& image) { set_name(image, n, text); });
    showChannel(n);
}

// ---------------------------------------------------------------- keys

// Enter: in the frequency cells it takes the text and moves on (in the name
// cell it does nothing); in the lists of columns 4..14 it moves one column
// to the right.
bool frm_chann::enterKey(GridCell c)
{
    if (!valid_channel(c.row))
        return false;
    if (c.column == ColRx)
        enterRx(c.row);
    else if (c.column == ColTx)
        enterTx(c.row);
    else if (!isTextColumn(c.column) && c.column >= ColDecode && c.column <= ColScrambler)
        cells_->moveTo({c.row, c.column + 1});
    return true;
}

void frm_chann::enterRx(int n)
{
    QLineEdit* box = cells_->textBox();
    const QString text = box->text();
    const bool wasBlank = blank(cell(n, ColRx));
    const BandLimits& limits = document().bandLimits();
    auto applyNew = [&] {
        if (!wasBlank)
            return;
        editChannel(n, ColRx, [n](Image& image) { new_channel(image, n); });
        const ChannelTexts fresh = new_channel_texts();
        for (int c = ColDecode; c < kColumns; ++c)
            setCell(n, c, fresh[size_t(c)]);
        setCell(n, ColEncode, QString());
    };
    if (blank(text)) {
        setCell(n, ColRx, QString());
        setCell(n, ColTx, QString());
        editChannel(n, ColRx, [n](Image& image) { delete_channel(image, n); });
        showChannel(n);
    } else if (in_enter_range(number_value(text), limits)) {
        applyNew();
        setCell(n, ColRx, entered_frequency(text));
    } else {
        say(T::kRxRange);
        setCell(n, ColRx, lower_limit_text(limits));
        applyNew();
    }
    ui::showText(box, cell(n, ColRx));
    if (blank(cell(n, ColTx)))
        setCell(n, ColTx, cell(n, ColRx));
    cells_->moveTo({n, ColTx});
}

void frm_chann::enterTx(int n)
{
    QLineEdit* box = cells_->textBox();
    const QString text = box->text();
    if (blank(cell(n, ColRx)) && !blank(text)) {
        say(T::kRxFirst);
        ui::showText(box, QString());
    } else if (blank(text)) {
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
    } else if (in_enter_range(number_value(text), document().bandLimits())) {
        setCell(n, ColTx, entered_frequency(text));
    } else {
        // Stored here so that leaving the cell does not repeat the message.
        replaceTxWithLowerLimit(n);
    }
    ui::showText(box, cell(n, ColTx));
    if (blank(cell(n, ColRx)) && blank(cell(n, ColTx)))
        cells_->moveTo({std::min(n + 1, kChannels - 1), ColBand});
    else
        cells_->moveTo({n, ColDecode});
}

void frm_chann::choose(GridCell c, int p)
{
    const int n = c.row;
    const int column = c.column;
    if (!valid_channel(n) || p < 0)
        return;
    if (chooseForSelection(c, p))
        return;
    if (column == ColBand) {
        leaveBand(n, cells_->list()->itemText(p));
        return;
    }
    editChannel(n, column, [&](Image& image) {
        switch (column) {
        case ColDecode: set_tone(image, n, Tone::Decode, p); break;
        case ColEncode: set_tone(image, n, Tone::Encode, p); break;
        default: set_choice(image, n, column, p); break;
        }
    });
    showChannel(n);
}

// ---------------------------------------------------------------- buttons

void frm_chann::clearAll(Image& image)
{
    for (int n = 0; n < kChannels; ++n)
        delete_channel(image, n);
}

void frm_chann::loadDefaults(Image& image) { load_factory_channels(image); }

// The data file dialogs go with the window.
void frm_chann::closing()
{
    shell::closeWindow(window::kOpenFile);
    shell::closeWindow(window::kSaveFile);
}

}  // namespace vx
