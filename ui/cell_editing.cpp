#include "ui/cell_editing.h"

#include "ui/controls.h"
#include "ui/field_events.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

namespace vx {

namespace {

// A key that would type into a list that takes no typing (its search by
// first letter included).
bool typesIntoList(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    return key->key() == Qt::Key_Backspace || (!key->text().isEmpty() && key->text().at(0).isPrint());
}

}  // namespace

CellEditing::CellEditing(TextGrid* grid, Declaration declaration)
    : QObject(grid), grid_(grid), d_(std::move(declaration)), text_(new QLineEdit(grid->viewport())),
      list_(new QComboBox(grid->viewport()))
{
    if (d_.textName)
        text_->setObjectName(QString::fromLatin1(d_.textName));
    text_->setAlignment(Qt::AlignCenter);
    text_->hide();
    text_->installEventFilter(this);
    grid_->editing_ = this;
    if (d_.listName)
        list_->setObjectName(QString::fromLatin1(d_.listName));
    list_->setMaxVisibleItems(12);
    list_->hide();
    list_->installEventFilter(this);

    connect(list_, &QComboBox::activated, this, [this](int position) {
        if (open_.valid() && kind_ == CellEditor::Kind::List && position >= 0 && d_.choose)
            d_.choose(open_, position);
    });
    connect(text_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (open_.valid() && kind_ == CellEditor::Kind::Text && d_.edited)
            d_.edited(open_, text);
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &CellEditing::onCurrentChanged);
    connect(grid_, &QTableView::clicked, this, &CellEditing::onClicked);
    // From the keyboard alone, F2 opens the current cell's editor, as a click
    // on it does (added to the designed grids for keyboard use).
    auto* openKey = new QAction(grid_);
    openKey->setShortcut(QKeySequence(Qt::Key_F2));
    openKey->setShortcutContext(Qt::WidgetShortcut);
    connect(openKey, &QAction::triggered, this, [this] {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid())
            open({current.row(), current.column()});
    });
    grid_->addAction(openKey);
    // The editor follows its cell.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &CellEditing::place);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &CellEditing::place);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, &CellEditing::place);
    connect(grid_->verticalHeader(), &QHeaderView::sectionResized, this, &CellEditing::place);
}

QWidget* CellEditing::openEditor() const
{
    switch (kind_) {
    case CellEditor::Kind::Text: return text_;
    case CellEditor::Kind::List: return list_;
    case CellEditor::Kind::None: break;
    }
    return nullptr;
}

CellValue CellEditing::value() const
{
    if (kind_ == CellEditor::Kind::List)
        return {list_->currentText(), list_->currentIndex()};
    return {text_->text(), -1};
}

// ---------------------------------------------------------------- opening

void CellEditing::onClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const GridCell cell{index.row(), index.column()};
    if (d_.clicked)
        d_.clicked(cell);
    // Only the current cell opens: a click whose move was refused does not.
    if (index == grid_->currentIndex())
        open(cell);
}

void CellEditing::open(GridCell cell)
{
    if (open_ == cell && openEditor() && openEditor()->isVisible())
        return;
    if (!leave() || !d_.enter || !cell.valid())
        return;
    const CellEditor e = d_.enter(cell);
    if (e.kind == CellEditor::Kind::None)
        return;
    kind_ = e.kind;
    open_ = cell;
    QWidget* editor = openEditor();
    if (e.kind == CellEditor::Kind::Text) {
        if (textRule_) {
            text_->setValidator(nullptr);
            delete textRule_;
        }
        ui::showText(text_, e.text);
        if (e.rule)
            textRule_ = KeyRule::install(text_, *e.rule);
        if (e.selectAll)
            text_->selectAll();
    } else {
        const QSignalBlocker block(list_);
        const bool editable = e.showText || e.rule;
        setListRule(std::nullopt);  // what the list shows is not typed
        list_->setEditable(editable);
        list_->clear();
        list_->addItems(e.entries);
        if (editable) {
            list_->setInsertPolicy(QComboBox::NoInsert);
            list_->setCompleter(nullptr);  // typed text stays as typed
            listField_ = list_->lineEdit();
            listField_->setReadOnly(!e.rule);
            listField_->installEventFilter(this);
        }
        list_->setCurrentIndex(e.position);
        if (editable)
            list_->setEditText(e.showText ? e.text : list_->currentText());
        setListRule(editable ? e.rule : std::nullopt);
    }
    place();
    editor->show();
    editor->raise();
    editor->setFocus();
    if (e.kind == CellEditor::Kind::List && e.chooseOnOpen && e.position >= 0 && d_.choose)
        d_.choose(cell, e.position);
}

void CellEditing::setListRule(const std::optional<FieldRule>& rule)
{
    if (listRule_) {
        if (QLineEdit* edit = list_->lineEdit())
            edit->setValidator(nullptr);
        delete listRule_;
    }
    // Installed on the text shown: only what is typed from here on is judged.
    if (rule && list_->lineEdit())
        listRule_ = KeyRule::install(list_->lineEdit(), *rule);
}

void CellEditing::moveTo(GridCell cell)
{
    const QModelIndex target = grid_->cell(cell.row, cell.column);
    if (!target.isValid())
        return;
    grid_->setCurrentIndex(target);
    if (grid_->currentIndex() != target)
        return;  // the open cell refused to be left
    grid_->scrollTo(target);
    open(cell);
}

// ---------------------------------------------------------------- leaving

bool CellEditing::leave()
{
    if (!open_.valid())
        return true;
    const GridCell cell = open_;
    const CellValue v = value();
    if (d_.refuse && d_.refuse(cell, v)) {
        if (QWidget* editor = openEditor())
            editor->setFocus();
        return false;
    }
    open_ = {};
    hideEditors();
    if (d_.leave)
        d_.leave(cell, v);
    return true;
}

void CellEditing::cancel()
{
    open_ = {};
    hideEditors();
}

void CellEditing::detach()
{
    detached_ = true;
    open_ = {};
    disconnect();
    grid_->disconnect(this);
    grid_->selectionModel()->disconnect(this);
    text_->removeEventFilter(this);
    list_->removeEventFilter(this);
    if (listField_)
        listField_->removeEventFilter(this);
}

void CellEditing::hideEditors()
{
    // The grid takes the focus back first: hiding a focused editor would
    // pass the focus on as if Tab had been pressed in the grid.
    const QWidget* focus = grid_->focusWidget();
    if (text_->hasFocus() || list_->hasFocus() || (list_->lineEdit() && list_->lineEdit()->hasFocus()) ||
        (focus && (focus == text_ || focus == list_)))
        grid_->setFocus();
    text_->hide();
    list_->hide();
}

void CellEditing::onCurrentChanged(const QModelIndex&, const QModelIndex& previous)
{
    if (reverting_ || leave())
        return;
    // Refused: the open cell stays the current one.
    reverting_ = true;
    grid_->selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    reverting_ = false;
    // The click that moved it selects its own cell once it is handled.
    const QPersistentModelIndex keep(previous);
    QTimer::singleShot(0, grid_, [grid = QPointer<TextGrid>(grid_), keep] {
        if (grid && keep.isValid())
            grid->selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
    });
}

// The open editor covers its cell wherever the grid has scrolled it to, and
// is out of sight while the cell is.
void CellEditing::place()
{
    QWidget* editor = openEditor();
    if (!open_.valid() || !editor)
        return;
    const QRect rect = grid_->cellRect(open_.row, open_.column);
    editor->setGeometry(rect);
    const bool inView = rect.isValid() && grid_->viewport()->rect().intersects(rect);
    if (!inView && editor->isVisible()) {
        if (editor->hasFocus() || (list_->lineEdit() && list_->lineEdit()->hasFocus()))
            grid_->setFocus();
        editor->hide();
    } else if (inView && editor->isHidden() && grid_->isVisible()) {
        editor->show();
    }
}

// ---------------------------------------------------------------- keys and focus

// Only pointers are compared here: the filter also sees the events of
// editors part-way through their destruction.
bool CellEditing::eventFilter(QObject* watched, QEvent* event)
{
    const bool onList = watched == list_ || (listField_ && watched == listField_.data());
    if (detached_ || (watched != text_ && !onList))
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (ui::isEnter(key) && open_.valid() && d_.enterKey && d_.enterKey(open_))
            return true;
        if (onList && watched == list_) {
            // Keys reach the list before its field: the field's rule judges
            // them here too; a list without one takes no typing.
            if (listRule_)
                return listRule_->refuses(key);
            return typesIntoList(key);
        }
        if (onList && !listRule_)
            return typesIntoList(key);
        return false;
    }
    if (d_.leaveOnFocusOut && open_.valid() && leavesField(event)) {
        // Moving between the list and its own field is not leaving.
        const QWidget* to = QApplication::focusWidget();
        if (!(onList && to && (to == list_ || to == listField_.data())))
            leave();
    }
    return false;
}

}  // namespace vx
