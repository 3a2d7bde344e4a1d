#pragma once
// Editing the cells of a TextGrid: a text box or a drop-down list placed over
// the cell being edited. The one piece every grid edits with; a grid
// declares what a cell opens with and what entering and leaving it does:
//
//   cells_ = new CellEditing(grid, {
//       .textName = "Text_Edit",
//       .enter = [this](GridCell c) { return CellEditor::textBox(grid->text(c.row, c.column)); },
//       .leave = [this](GridCell c, const CellValue& v) { store(c, v.text); },
//   });
//
// A click on the current cell opens its editor; moving the current cell
// leaves the open cell (which may refuse, keeping the cell current and its
// editor open); Enter does what the grid declares; the editor follows its
// cell while the grid scrolls or its columns change. Before an editor is
// hidden the grid takes the focus back, so the focus never jumps on as if
// Tab had been pressed. cancel() drops an open editor without leaving: the
// frame does so when the image changes under the window.

#include "ui/key_rule.h"
#include "ui/text_grid.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace vx {

struct GridCell {
    int row = -1;
    int column = -1;
    bool valid() const { return row >= 0 && column >= 0; }
    bool operator==(const GridCell&) const = default;
};

// What a cell opens with.
struct CellEditor {
    enum class Kind { None, Text, List };
    Kind kind = Kind::None;
    QString text;             // the text shown (a list shows it only when `showText`)
    QStringList entries;      // a list's entries
    int position = -1;        // the entry selected, -1: none
    bool showText = false;    // a list shows `text` in its field, an entry or not
    bool selectAll = false;   // a text box starts with its text selected
    bool chooseOnOpen = false;  // the list's preselection counts as a choice (stored at once)
    // The key rule of a text box, or of a list that takes typed text; a
    // list without one discards typing.
    std::optional<FieldRule> rule{};

    static CellEditor none() { return {}; }
    static CellEditor textBox(QString text, std::optional<FieldRule> rule = std::nullopt)
    {
        CellEditor e;
        e.kind = Kind::Text;
        e.text = std::move(text);
        e.rule = std::move(rule);
        return e;
    }
    static CellEditor list(QStringList entries, int position)
    {
        CellEditor e;
        e.kind = Kind::List;
        e.entries = std::move(entries);
        e.position = position;
        return e;
    }
};

// What the editor held when its cell was left.
struct CellValue {
    QString text;       // the text box's text, or the list's current text
    int position = -1;  // the list's entry, -1: none (or a text box)
};

class CellEditing final : public QObject {
    Q_OBJECT
public:
    struct Declaration {
        const char* textName = nullptr;  // objectName of the text box
        const char* listName = nullptr;  // objectName of the list
        // Every click on a cell, before its editor opens.
        std::function<void(GridCell)> clicked{};
        // What a cell opens with; CellEditor::none() opens nothing.
        std::function<CellEditor(GridCell)> enter{};
        // Leaving the open cell may be refused (the grid's own message has
        // been shown): the cell stays current and its editor open.
        std::function<bool(GridCell, const CellValue&)> refuse{};
        // The open cell is left: its editor is hidden, the value is the
        // grid's to store.
        std::function<void(GridCell, const CellValue&)> leave{};
        // A list entry is chosen (stored at once where the grid does so).
        std::function<void(GridCell, int position)> choose{};
        // The user changed the text box's text.
        std::function<void(GridCell, const QString& text)> edited{};
        // Enter in an open editor; true when the grid handled it.
        std::function<bool(GridCell)> enterKey{};
        // The focus going elsewhere in the window leaves the cell (not a
        // message box or a menu taking it).
        bool leaveOnFocusOut = false;
    };

    CellEditing(TextGrid* grid, Declaration declaration);

    TextGrid* grid() const { return grid_; }
    QLineEdit* textBox() const { return text_; }
    QComboBox* list() const { return list_; }
    GridCell openCell() const { return open_; }
    bool isOpen() const { return open_.valid(); }

    // Opens the editor of `cell` (leaving an open one first).
    void open(GridCell cell);
    // Makes `cell` current (leaving the open cell), scrolls it into view and
    // opens its editor.
    void moveTo(GridCell cell);
    // Leaves the open cell; false when it refused.
    bool leave();
    // Hides the open editor without leaving: nothing is stored.
    void cancel();
    // Stops all editing for good, as the grid goes: nothing is left and no
    // event of an editor being destroyed reaches the grid's hooks.
    void detach();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void onClicked(const QModelIndex& index);
    void place();
    void hideEditors();
    QWidget* openEditor() const;
    CellValue value() const;
    void setListRule(const std::optional<FieldRule>& rule);
    bool listTakesTyping() const { return listRule_ != nullptr; }

    TextGrid* grid_;
    Declaration d_;
    QLineEdit* text_;
    QComboBox* list_;
    QPointer<QLineEdit> listField_;  // the list's own field while it is editable
    QPointer<KeyRule> textRule_;
    QPointer<KeyRule> listRule_;
    GridCell open_;
    CellEditor::Kind kind_ = CellEditor::Kind::None;
    bool reverting_ = false;
    bool detached_ = false;
};

}  // namespace vx
