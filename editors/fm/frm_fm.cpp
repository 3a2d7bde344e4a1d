#include "editors/fm/frm_fm.h"

#include "editors/fm/frm_fm_texts.h"
#include "ui/geometry.h"
#include "ui/prompt.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>

namespace vx {

namespace T = fm_texts;

namespace {

// Column widths in twips; the name column takes the rest.
constexpr int kNumberTwips = 1600;
constexpr int kFrequencyTwips = 3400;
constexpr int kRowTwips = 330;

bool blank(const QString& text) { return text.trimmed().isEmpty(); }
bool isEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

QStringList headings(const QString& joined)
{
    QStringList out;
    for (QString h : joined.split(QLatin1Char('|'))) {
        if (h.startsWith(QLatin1Char('^')))
            h.remove(0, 1);
        out << h;
    }
    return out;
}

}  // namespace

frm_FM::frm_FM(QWidget* parent) : RegionEditor(makeDescriptor(), parent)
{
    grid_ = new QTableWidget(fm::kPresets, kColumns, this);
    grid_->setObjectName(QStringLiteral("MSF_FM"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(twipsToPixels(kRowTwips));
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(ColNumber, twipsToPixels(kNumberTwips));
    grid_->setColumnWidth(ColFrequency, twipsToPixels(kFrequencyTwips));
    for (int r = 0; r < fm::kPresets; ++r)
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    grid_->lower();  // under the cell editor and the progress row

    textEdit_ = new QLineEdit(grid_->viewport());
    textEdit_->setObjectName(QStringLiteral("Text_Edit"));
    textEdit_->setAlignment(Qt::AlignCenter);
    textEdit_->hide();
    textEdit_->installEventFilter(this);

    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { leaveCell(); });
    connect(grid_, &QTableWidget::cellClicked, this, &frm_FM::enterCell);
    // A scrolled grid moves the cell away from its editor: leave it first.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { leaveCell(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { leaveCell(); });

    caption();
    refresh();
}

frm_FM::~frm_FM() = default;

// ---------------------------------------------------------------- showing

void frm_FM::caption()
{
    RegionEditor::caption();
    grid_->setHorizontalHeaderLabels(headings(T::kHeadings));
}

void frm_FM::layOutContent(const QRect& area)
{
    const int margin = twipsToPixels(120);
    const int gridW = int(area.width() / 1.02);
    grid_->setGeometry(area.x() + (area.width() - gridW) / 2, area.y() + margin, gridW,
                       std::max(0, area.height() - margin));
}

void frm_FM::refresh()
{
    for (int p = 1; p <= fm::kPresets; ++p) {
        setCell(p, ColNumber, QString::number(p));
        showPreset(p);
    }
}

QString frm_FM::cellText(int preset, int column) const
{
    const QTableWidgetItem* item = fm::validPreset(preset) ? grid_->item(preset - 1, column) : nullptr;
    return item ? item->text() : QString();
}

void frm_FM::setCell(int preset, int column, const QString& text)
{
    if (QTableWidgetItem* item = fm::validPreset(preset) ? grid_->item(preset - 1, column) : nullptr)
        item->setText(text);
}

void frm_FM::showPreset(int preset)
{
    const fm::PresetTexts t = fm::decode_preset(appImage(), preset);
    setCell(preset, ColFrequency, t.frequency);
    setCell(preset, ColName, t.name);
}

// ---------------------------------------------------------------- cells

bool frm_FM::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == textEdit_) {
        if (e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(e))) {
            leaveCell();
            return true;
        }
        // Focus going elsewhere in the window (a button, another cell) leaves
        // the cell, so a typed value is never lost; a message box or a menu
        // taking the focus does not.
        if (e->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                leaveCell();
        }
    }
    return RegionEditor::eventFilter(watched, e);
}

void frm_FM::enterCell(int row, int column)
{
    leaveCell();
    const int preset = row + 1;
    if (!fm::validPreset(preset) || (column != ColFrequency && column != ColName))
        return;
    textEdit_->setText(cellText(preset, column));
    textEdit_->selectAll();
    textEdit_->setGeometry(grid_->visualRect(grid_->model()->index(row, column)));
    textEdit_->show();
    textEdit_->raise();
    textEdit_->setFocus();
    open_ = {preset, column};
}

void frm_FM::closeEditor()
{
    // The grid takes the focus back first: hiding a focused editor would
    // pass the focus on as if Tab had been pressed.
    if (textEdit_->hasFocus())
        grid_->setFocus();
    textEdit_->hide();
}

// Only a cell whose editor was opened is taken from its editor; moving
// through the grid stores nothing.
void frm_FM::leaveCell()
{
    if (!open_.open())
        return;
    const OpenCell cell = open_;
    open_ = {};
    const QString typed = textEdit_->text();
    closeEditor();
    if (cell.column == ColFrequency)
        leaveFrequency(cell.preset, typed);
    else
        leaveName(cell.preset, typed);
}

void frm_FM::leaveFrequency(int preset, const QString& typed)
{
    if (blank(typed)) {
        setCell(preset, ColFrequency, QString());
        setCell(preset, ColName, QString());
    } else if (fm::in_band(typed)) {
        setCell(preset, ColFrequency, fm::frequency_entry(typed));
    } else {
        prompt(T::kPromptTitle, PromptIcon::Warning, T::kRange);
        setCell(preset, ColFrequency, fm::lowest_frequency());
    }
    fm::encode_preset(appImage(), preset, cellText(preset, ColFrequency), cellText(preset, ColName));
    showPreset(preset);
}

void frm_FM::leaveName(int preset, const QString& typed)
{
    if (fm::name_too_long(typed))
        prompt(T::kPromptTitleCapital, PromptIcon::Warning, T::kNameLength);
    // No frequency, no name.
    setCell(preset, ColName, blank(cellText(preset, ColFrequency)) ? QString() : fm::name_entry(typed));
    fm::encode_preset(appImage(), preset, cellText(preset, ColFrequency), cellText(preset, ColName));
    showPreset(preset);
}

// ---------------------------------------------------------------- buttons

void frm_FM::clearAll()
{
    open_ = {};
    closeEditor();
    fm::clear_presets(appImage());
}

void frm_FM::loadDefaults()
{
    open_ = {};
    closeEditor();
    fm::load_factory_presets(appImage());
}

void frm_FM::afterRead()
{
    open_ = {};
    closeEditor();
    RegionEditor::afterRead();
}

}  // namespace vx
