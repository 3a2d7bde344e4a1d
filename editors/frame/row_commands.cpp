#include "editors/frame/row_commands.h"

#include "editors/frame/region_editor.h"
#include "editors/frame/row_commands_texts.h"
#include "link/transfer_texts.h"
#include "ui/cell_editing.h"
#include "ui/prompt.h"
#include "ui/text_grid.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>
#include <numeric>

namespace vx::frame {

namespace {

namespace T = row_commands_text;

// "3-5, 9": the items as runs.
QString runs(const std::vector<int>& items)
{
    QStringList out;
    for (size_t i = 0; i < items.size();) {
        size_t j = i;
        while (j + 1 < items.size() && items[j + 1] == items[j] + 1)
            ++j;
        out << (i == j ? QString::number(items[i]) : QStringLiteral("%1-%2").arg(items[i]).arg(items[j]));
        i = j + 1;
    }
    return out.join(QStringLiteral(", "));
}

bool isRun(const std::vector<int>& items) { return !items.empty() && items.back() - items.front() + 1 == int(items.size()); }

bool refusedWhileBusy(const RegionEditor& window)
{
    if (!window.busy())
        return false;
    warn(transfer_text::title, transfer_text::busy);
    return true;
}

void undoOrRedo(RegionEditor& window, const std::function<void()>& before, bool redo)
{
    if (refusedWhileBusy(window))
        return;
    if (before)
        before();
    if (redo)
        window.document().redo();
    else
        window.document().undo();
}

// The menu's Undo and Redo, enabled as the document's record allows when
// the menu comes up.
void addUndoEntries(QMenu* menu, RegionEditor& window, const std::function<void()>& before)
{
    for (const auto& [name, redo] : {std::pair{"Menu_undo", false}, std::pair{"Menu_redo", true}}) {
        auto* a = new QAction(menu);
        a->setObjectName(QString::fromLatin1(name));
        QObject::connect(a, &QAction::triggered, &window, [&window, before, redo = redo] { undoOrRedo(window, before, redo); });
        menu->addAction(a);
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &window] {
        menu->actions().value(0)->setText(T::undo);
        menu->actions().value(1)->setText(T::redo);
        menu->actions().value(0)->setEnabled(window.document().canUndo());
        menu->actions().value(1)->setEnabled(window.document().canRedo());
    });
}

}  // namespace

void installUndoMenu(RegionEditor& window, TextGrid& grid, std::function<void()> beforeUndo)
{
    auto* menu = new QMenu(&grid);
    menu->setObjectName(QStringLiteral("Menu_rows"));
    addUndoEntries(menu, window, beforeUndo);
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&grid, &QWidget::customContextMenuRequested, menu,
                     [menu, &grid](const QPoint& at) { menu->popup(grid.viewport()->mapToGlobal(at)); });
}

RowCommands::RowCommands(RegionEditor& window, TextGrid& grid, RowSpec spec)
    : QObject(&window), window_(window), grid_(grid), spec_(std::move(spec)), menu_(new QMenu(&window))
{
    menu_->setObjectName(QStringLiteral("Menu_rows"));
    const auto add = [this](const char* name, QKeySequence keys, auto run) {
        auto* a = new QAction(menu_);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetShortcut);  // the grid itself, not a cell's editor
        connect(a, &QAction::triggered, this, run);
        menu_->addAction(a);
        grid_.addAction(a);
        return a;
    };
    addUndoEntries(menu_, window_, spec_.beforeCommand);
    menu_->addSeparator();
    add("Menu_insert", QKeySequence(Qt::Key_Insert), [this] { run(Command::Insert); });
    add("Menu_remove", {}, [this] { run(Command::Remove); });
    add("Menu_clear", {}, [this] { run(Command::Clear); });
    add("Menu_up", QKeySequence(Qt::ALT | Qt::Key_Up), [this] { run(Command::Move, -1); });
    add("Menu_down", QKeySequence(Qt::ALT | Qt::Key_Down), [this] { run(Command::Move, 1); });
    menu_->addSeparator();
    for (size_t i = 0; i < spec_.sorts.size(); ++i)
        add(spec_.sorts[i].name, {}, [this, i] { run(Command::Sort, int(i)); });
    menu_->addSeparator();
    add("Menu_select_all", QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
        std::vector<int> all(size_t(spec_.layout.count));
        std::iota(all.begin(), all.end(), 0);
        select(std::move(all));
    });

    grid_.enableRowDragging([this](std::vector<int> rows, int onto) { drop(std::move(rows), onto); });
    grid_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = grid_.indexAt(at);
        if (index.isValid() && !std::ranges::binary_search(marked_, index.row()))
            select({index.row()});
        menu_->popup(grid_.viewport()->mapToGlobal(at));
    });
    caption();
}

void RowCommands::caption()
{
    std::vector<std::pair<const char*, Text>> captions{
        {"Menu_undo", T::undo},           {"Menu_redo", T::redo},         {"Menu_insert", spec_.texts.insert},
        {"Menu_remove", spec_.texts.remove}, {"Menu_clear", spec_.texts.clear}, {"Menu_up", T::moveUp},
        {"Menu_down", T::moveDown},       {"Menu_select_all", T::selectAll},
    };
    for (const RowSort& s : spec_.sorts)
        captions.push_back({s.name, s.caption});
    for (const auto& [name, text] : captions)
        if (auto* a = menu_->findChild<QAction*>(QString::fromLatin1(name)))
            a->setText(text);
}

// ---------------------------------------------------------------- selecting

void RowCommands::clicked(const GridCell& c)
{
    if (c.row < 0 || c.row >= spec_.layout.count)
        return;
    if (c.column != 0) {
        // A cell outside the selection ends it; inside, it keeps it for a
        // choice made for all of them.
        if (!std::ranges::binary_search(marked_, c.row))
            select({});
        return;
    }
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    std::vector<int> next;
    if (mods & Qt::ShiftModifier && anchor_ >= 0) {
        for (int n = std::min(anchor_, c.row); n <= std::max(anchor_, c.row); ++n)
            next.push_back(n);
        const int keep = anchor_;
        select(std::move(next));
        anchor_ = keep;
        return;
    }
    next = marked_;
    if (mods & Qt::ControlModifier) {
        if (const auto it = std::ranges::find(next, c.row); it != next.end())
            next.erase(it);
        else
            next.push_back(c.row);
    } else {
        next = {c.row};
    }
    select(std::move(next));
    anchor_ = c.row;
}

void RowCommands::select(std::vector<int> items)
{
    std::erase_if(items, [this](int n) { return n < 0 || n >= spec_.layout.count; });
    std::ranges::sort(items);
    items.erase(std::unique(items.begin(), items.end()), items.end());
    marked_ = std::move(items);
    anchor_ = marked_.empty() ? -1 : marked_.front();
    grid_.grid()->setMarkedRows(marked_);
}

std::vector<int> RowCommands::selected() const
{
    if (!marked_.empty())
        return marked_;
    const int current = grid_.currentIndex().row();
    return current >= 0 && current < spec_.layout.count ? std::vector<int>{current} : std::vector<int>{};
}

// ---------------------------------------------------------------- commands

EditName RowCommands::named(const Text& format, const std::vector<int>& items) const
{
    std::vector<int> shown = items;
    for (int& n : shown)
        n += spec_.shown;
    return {format.in(true).arg(runs(shown)), format.in(false).arg(runs(shown))};
}

void RowCommands::drop(std::vector<int> items, int onto)
{
    select(std::move(items));
    if (marked_.empty() || onto < 0 || onto >= spec_.layout.count)
        return;
    const int by = std::min(onto, spec_.layout.count - 1 - (marked_.back() - marked_.front())) - marked_.front();
    if (by != 0)
        run(Command::Move, by);
}

void RowCommands::run(Command command, int by)
{
    if (refusedWhileBusy(window_))
        return;
    const std::vector<int> chosen = selected();
    if (chosen.empty())
        return;
    const items::Layout& layout = spec_.layout;
    const RowTexts& texts = spec_.texts;
    if ((command == Command::Move || command == Command::Sort) && !isRun(chosen)) {
        warn(texts.title, texts.notRun);
        return;
    }
    const int first = chosen.front(), last = chosen.back();
    if (spec_.beforeCommand)
        spec_.beforeCommand();
    std::optional<items::Refusal> refused;
    std::vector<int> after = chosen;
    // Tried on a copy first: a refused command changes nothing.
    const auto apply = [&](const Text& name, int lo, int hi, const std::function<std::optional<items::Refusal>(Image&)>& change) {
        Image trial = window_.document().image();
        refused = change(trial);
        if (!refused)
            window_.document().edit(named(name, chosen), items::rows_of(layout, lo, hi), [&](Image& image) { change(image); }, &window_);
    };
    switch (command) {
    case Command::Insert:
        apply(texts.insertEdit, first, layout.count - 1, [&](Image& im) { return items::insert_empty(im, layout, first); });
        after = {first};
        break;
    case Command::Remove:
        // From the last selected up, so the numbers still to go stay put.
        apply(texts.removeEdit, first, layout.count - 1, [&](Image& im) -> std::optional<items::Refusal> {
            for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
                if (const auto r = items::remove_items(im, layout, *it, *it))
                    return r;
            return std::nullopt;
        });
        after = {first};
        break;
    case Command::Clear:
        apply(texts.clearEdit, first, last, [&](Image& im) -> std::optional<items::Refusal> {
            for (int n : chosen)
                if (const auto r = items::clear_items(im, layout, n, n))
                    return r;
            return std::nullopt;
        });
        break;
    case Command::Move:
        apply(texts.moveEdit, std::min(first, first + by), std::max(last, last + by),
              [&](Image& im) { return items::move_items(im, layout, first, last, by); });
        for (int& n : after)
            n += by;
        break;
    case Command::Sort:
        if (by < 0 || size_t(by) >= spec_.sorts.size())
            return;
        apply(texts.sortEdit, first, last, [&](Image& im) { return items::sort_items(im, layout, first, last, spec_.sorts[size_t(by)].key); });
        break;
    }
    if (refused) {
        warn(texts.title, *refused == items::Refusal::Full ? texts.full : texts.pastEnd);
        return;
    }
    window_.refresh();
    select(chosen.size() > 1 || command == Command::Move ? after : std::vector<int>{});
    if (!after.empty())
        grid_.setCurrentIndex(grid_.cell(after.front(), std::max(grid_.currentIndex().column(), 0)));
}

}  // namespace vx::frame
