#pragma once
// The row commands of a grid of items (the channels, the FM presets), added
// to the designed windows: a click on an item's number selects it,
// Shift+click a run, Ctrl+click one more or one less, Ctrl+A all, and the
// selected rows are shaded; the grid's context menu takes back and makes
// again the document's edits and inserts, deletes, clears, moves and sorts
// the selected items; Alt+Up and Alt+Down move them; items dragged by their
// numbers and dropped on a row move there. Every command is one edit (one
// undo step), refused while the window transfers.
//
//   rows_ = new frame::RowCommands(*this, *grid_, {
//       .layout = fm::preset_layout(), .shown = 1, .texts = presetTexts,
//       .sorts = {{"Menu_sort_rx", T::kSortRx, rxKey}},
//       .beforeCommand = [this] { cells_->cancel(); }});

#include "editors/frame/item_rows.h"
#include "image/language.h"
#include "image/radio_document.h"

#include <QObject>

#include <functional>
#include <vector>

class QMenu;

namespace vx {

class RegionEditor;
class TextGrid;
struct GridCell;

namespace frame {

struct RowTexts {
    Text insert;      // the menu's entries
    Text remove;
    Text clear;
    // The edits, "%1" the items concerned ("3-5, 9").
    Text insertEdit;
    Text removeEdit;
    Text clearEdit;
    Text moveEdit;
    Text sortEdit;
    // Refusals.
    Text full;
    Text pastEnd;
    Text notRun;
    Text title;  // of every message
};

struct RowSort {
    const char* name;  // the menu entry's objectName
    Text caption;
    items::KeyOf key;
};

struct RowSpec {
    items::Layout layout;
    int shown = 0;  // the number the first item shows (edit names use it)
    RowTexts texts;
    std::vector<RowSort> sorts;
    std::function<void()> beforeCommand{};  // e.g. drops the open cell editor
};

// A grid without row commands still takes back and makes again the
// document's edits from its context menu: Undo and Redo, refused while the
// window transfers; `beforeUndo` drops an open cell editor.
void installUndoMenu(RegionEditor& window, TextGrid& grid, std::function<void()> beforeUndo);

class RowCommands final : public QObject {
    Q_OBJECT
public:
    enum class Command { Insert, Remove, Clear, Move, Sort };

    RowCommands(RegionEditor& window, TextGrid& grid, RowSpec spec);

    // `by` places for Move (negative: up), the sort's position for Sort.
    void run(Command command, int by = 0);
    // The items the commands act on, ascending: those selected, else the
    // current one.
    std::vector<int> selected() const;
    // Those marked by the user's clicks alone.
    const std::vector<int>& marked() const { return marked_; }
    void select(std::vector<int> items);
    // The window hands on every click on a grid cell.
    void clicked(const GridCell& cell);
    // Items dragged and dropped on item `onto`: the first lands there, the
    // last no further than the last item.
    void drop(std::vector<int> items, int onto);
    QMenu* menu() const { return menu_; }
    // Captions the menu in the language in force.
    void caption();

private:
    EditName named(const Text& format, const std::vector<int>& items) const;

    RegionEditor& window_;
    TextGrid& grid_;
    RowSpec spec_;
    QMenu* menu_;
    std::vector<int> marked_;  // ascending
    int anchor_ = -1;          // where a Shift+click run starts
};

}  // namespace frame
}  // namespace vx
