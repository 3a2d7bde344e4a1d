#include "editors/fm/frm_fm.h"

#include "editors/fm/frm_fm_texts.h"
#include "editors/frame/row_commands.h"
#include "ui/cell_editing.h"
#include "ui/controls.h"
#include "ui/geometry.h"
#include "ui/prompt.h"

#include <QHeaderView>

namespace vx {

namespace T = fm_texts;
using ui::blank;

namespace {

// Column widths in twips; the name column takes the rest.
constexpr int kNumberTwips = 1600;
constexpr int kFrequencyTwips = 3400;
constexpr int kRowTwips = 330;

// The presets as the items of the grid's row commands: grid row i is
// preset i + 1, one image row; an emptied preset is stored as the grid
// stores an emptied one.
frame::RowSpec presetRows(std::function<void()> beforeCommand)
{
    const auto key = [](bool byName) {
        return [byName](const Image& image, int i) -> items::SortKey {
            const fm::PresetTexts t = fm::decode_preset(image, i + 1);
            return byName ? items::SortKey{0, t.name} : items::SortKey{t.frequency.toDouble(), {}};
        };
    };
    return {
        .layout = {.count = fm::kPresets,
                   .rows = [](int i) { return std::vector<int>{fm::preset_row(i + 1)}; },
                   .empty = [](const Image& image, int i) { return fm::is_empty(image, i + 1); },
                   .clear = [](Image& image, int i) { fm::encode_preset(image, i + 1, u"", u""); }},
        .shown = 1,
        .texts = {.insert = T::kInsert, .remove = T::kRemove, .clear = T::kClear, .insertEdit = T::kInsertEdit,
                  .removeEdit = T::kRemoveEdit, .clearEdit = T::kClearEdit, .moveEdit = T::kMoveEdit, .sortEdit = T::kSortEdit,
                  .full = T::kFull, .pastEnd = T::kPastEnd, .notRun = T::kNotRun, .title = T::kPromptTitle},
        .sorts = {{"Menu_sort_frequency", T::kSortFrequency, key(false)}, {"Menu_sort_name", T::kSortName, key(true)}},
        .beforeCommand = std::move(beforeCommand),
    };
}

}  // namespace

frm_FM::frm_FM(RadioDocument& doc, QWidget* parent) : RegionEditor(makeDescriptor(), doc, parent)
{
    grid_ = new TextGrid(QStringLiteral("MSF_FM"), fm::kPresets, kColumns, this);
    grid_->verticalHeader()->setDefaultSectionSize(twipsToPixels(kRowTwips));
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(ColNumber, twipsToPixels(kNumberTwips));
    grid_->setColumnWidth(ColFrequency, twipsToPixels(kFrequencyTwips));
    grid_->lower();  // under the progress row

    // Every key is taken as typed. Enter, or the focus going elsewhere in the
    // window (a button, another cell), leaves the cell, so a typed value is
    // never lost; a message box or a menu taking the focus does not.
    cells_ = new CellEditing(grid_, {.textName = "Text_Edit",
                                     .clicked = [this](GridCell c) { rows_->clicked(c); },
                                     .enter = [this](GridCell c) {
                                         if (c.column != ColFrequency && c.column != ColName)
                                             return CellEditor::none();
                                         CellEditor e = CellEditor::textBox(grid_->text(c.row, c.column));
                                         e.selectAll = true;
                                         return e;
                                     },
                                     .leave = [this](GridCell c, const CellValue& v) {
                                         if (c.column == ColFrequency)
                                             leaveFrequency(c.row + 1, v.text);
                                         else
                                             leaveName(c.row + 1, v.text);
                                     },
                                     .enterKey = [this](GridCell) {
                                         cells_->leave();
                                         return true;
                                     },
                                     .leaveOnFocusOut = true});

    rows_ = new frame::RowCommands(*this, *grid_, presetRows([this] { cells_->cancel(); }));

    for (int p = 1; p <= fm::kPresets; ++p)
        setCell(p, ColNumber, QString::number(p));
    caption();
    refresh();
}

frm_FM::~frm_FM() = default;

// ---------------------------------------------------------------- showing

void frm_FM::caption()
{
    RegionEditor::caption();
    grid_->setHeadings(T::kHeadings);
    if (rows_)
        rows_->caption();
}

void frm_FM::layOutContent(const QRect& area)
{
    const int margin = twipsToPixels(120);
    const int gridW = int(area.width() / 1.02);
    grid_->setGeometry(area.x() + (area.width() - gridW) / 2, area.y() + margin, gridW,
                       std::max(0, area.height() - margin));
}

void frm_FM::display()
{
    for (int p = 1; p <= fm::kPresets; ++p)
        showPreset(p);
}

QString frm_FM::cellText(int preset, int column) const
{
    return fm::valid_preset(preset) ? grid_->text(preset - 1, column) : QString();
}

void frm_FM::setCell(int preset, int column, const QString& text)
{
    if (fm::valid_preset(preset))
        grid_->setText(preset - 1, column, text);
}

void frm_FM::showPreset(int preset)
{
    const fm::PresetTexts t = fm::decode_preset(image(), preset);
    setCell(preset, ColFrequency, t.frequency);
    setCell(preset, ColName, t.name);
}

// ---------------------------------------------------------------- cells

void frm_FM::leaveFrequency(int preset, const QString& typed)
{
    if (blank(typed)) {
        setCell(preset, ColFrequency, QString());
        setCell(preset, ColName, QString());
    } else if (fm::in_band(typed)) {
        setCell(preset, ColFrequency, fm::frequency_entry(typed));
    } else {
        warn(T::kPromptTitle, T::kRange);
        setCell(preset, ColFrequency, fm::lowest_frequency());
    }
    const EditName what{QStringLiteral("预置 %1 频率").arg(preset), QStringLiteral("Preset %1 Frequency").arg(preset)};
    edit(name(what), [&](Image& image) { fm::set_frequency(image, preset, cellText(preset, ColFrequency)); });
    showPreset(preset);
}

void frm_FM::leaveName(int preset, const QString& typed)
{
    if (fm::name_too_long(typed))
        warn(T::kPromptTitleCapital, T::kNameLength);
    // No frequency, no name.
    setCell(preset, ColName, blank(cellText(preset, ColFrequency)) ? QString() : fm::name_entry(typed));
    const EditName what{QStringLiteral("预置 %1 名称").arg(preset), QStringLiteral("Preset %1 Name").arg(preset)};
    edit(name(what), [&](Image& image) { fm::encode_preset(image, preset, cellText(preset, ColFrequency), cellText(preset, ColName)); });
    showPreset(preset);
}

// ---------------------------------------------------------------- buttons

void frm_FM::clearAll(Image& image) { fm::clear_presets(image); }

void frm_FM::loadDefaults(Image& image) { fm::load_factory_presets(image); }

}  // namespace vx
