// The channel grid's row commands: selecting channels by their numbers, the
// context menu (undo, redo, insert, delete, clear, move, sort), Alt+Up and
// Alt+Down, and a list choice made for every selected channel at once. Every
// command is one edit of the document, so one undo step.
#include "editors/channels/frm_chann.h"

#include "editors/channels/channel_columns.h"
#include "editors/channels/channel_rows.h"
#include "editors/channels/frm_chann_texts.h"
#include "link/transfer_texts.h"
#include "ui/cell_editing.h"
#include "ui/prompt.h"
#include "ui/text_grid.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>
#include <numeric>

namespace vx {

using namespace channels;
namespace T = chann_texts;

namespace {

// "3-5, 9": the channels as runs.
QString runs(const std::vector<int>& channels)
{
    QStringList out;
    for (size_t i = 0; i < channels.size();) {
        size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1)
            ++j;
        out << (i == j ? QString::number(channels[i]) : QStringLiteral("%1-%2").arg(channels[i]).arg(channels[j]));
        i = j + 1;
    }
    return out.join(QStringLiteral(", "));
}

bool isRun(const std::vector<int>& channels)
{
    return !channels.empty() && channels.back() - channels.front() + 1 == int(channels.size());
}

EditName named(const Text& format, const std::vector<int>& channels)
{
    return {format.in(true).arg(runs(channels)), format.in(false).arg(runs(channels))};
}

void say(const Text& text) { warn(T::kPromptTitle, text); }

struct MenuEntry {
    const char* name;  // the action's objectName
    Text caption;
    QKeySequence keys;
};

}  // namespace

void frm_chann::installRowCommands()
{
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("Menu_rows"));
    const auto add = [this](const char* name, QKeySequence keys, auto run) {
        auto* a = new QAction(menu_);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetShortcut);  // the grid itself, not a cell's editor
        connect(a, &QAction::triggered, this, run);
        menu_->addAction(a);
        grid_->addAction(a);
        return a;
    };
    add("Menu_undo", {}, [this] { undoOrRedo(false); });
    add("Menu_redo", {}, [this] { undoOrRedo(true); });
    menu_->addSeparator();
    add("Menu_insert", QKeySequence(Qt::Key_Insert), [this] { runRowCommand(RowCommand::Insert); });
    add("Menu_remove", {}, [this] { runRowCommand(RowCommand::Remove); });
    add("Menu_clear", {}, [this] { runRowCommand(RowCommand::Clear); });
    add("Menu_up", QKeySequence(Qt::ALT | Qt::Key_Up), [this] { runRowCommand(RowCommand::MoveUp); });
    add("Menu_down", QKeySequence(Qt::ALT | Qt::Key_Down), [this] { runRowCommand(RowCommand::MoveDown); });
    menu_->addSeparator();
    add("Menu_sort_rx", {}, [this] { runRowCommand(RowCommand::SortRx); });
    add("Menu_sort_name", {}, [this] { runRowCommand(RowCommand::SortName); });
    menu_->addSeparator();
    add("Menu_select_all", QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
        std::vector<int> all(kChannels);
        std::iota(all.begin(), all.end(), 0);
        selectChannels(std::move(all));
    });
    menu_->addSeparator();
    // Find works from anywhere in the window.
    for (QAction* a : {add("Menu_find", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { openFind(); }),
                       add("Menu_find_next", QKeySequence(Qt::Key_F3), [this] { findNext(); })}) {
        grid_->removeAction(a);
        addAction(a);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    findField_ = new QLineEdit(this);
    findField_->setObjectName(QStringLiteral("Text_find"));
    findField_->hide();
    connect(findField_, &QLineEdit::returnPressed, this, [this] { find(findField_->text()); });
    auto* close = new QAction(findField_);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WidgetShortcut);
    connect(close, &QAction::triggered, this, [this] {
        findField_->hide();
        grid_->setFocus();
    });
    findField_->addAction(close);
    grid_->enableRowDragging([this](std::vector<int> rows, int onto) { dropChannels(std::move(rows), onto); });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = grid_->indexAt(at);
        if (index.isValid() && !std::ranges::binary_search(selected_, index.row()))
            selectChannels({index.row()});
        menu_->actions().value(0)->setEnabled(document().canUndo());
        menu_->actions().value(1)->setEnabled(document().canRedo());
        menu_->popup(grid_->viewport()->mapToGlobal(at));
    });
}

void frm_chann::captionRowCommands()
{
    if (!menu_)
        return;
    const std::pair<const char*, Text> captions[] = {
        {"Menu_undo", T::kUndo},        {"Menu_redo", T::kRedo},      {"Menu_insert", T::kInsert},
        {"Menu_remove", T::kRemove},    {"Menu_clear", T::kClear},    {"Menu_up", T::kMoveUp},
        {"Menu_down", T::kMoveDown},    {"Menu_sort_rx", T::kSortRx}, {"Menu_sort_name", T::kSortName},
        {"Menu_select_all", T::kSelectAll}, {"Menu_find", T::kFind}, {"Menu_find_next", T::kFindNext},
    };
    for (const auto& [name, text] : captions)
        if (auto* a = menu_->findChild<QAction*>(QString::fromLatin1(name)))
            a->setText(text);
    findField_->setPlaceholderText(T::kFindHint);
}

// ---------------------------------------------------------------- finding

void frm_chann::openFind()
{
    const QRect g = grid_->geometry();
    const int w = std::min(g.width() / 3, 260);
    findField_->setGeometry(g.right() - w - 20, g.top() + 2, w, findField_->sizeHint().height());
    findField_->show();
    findField_->raise();
    findField_->setFocus();
    findField_->selectAll();
}

void frm_chann::find(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    lastFind_ = text;
    const int n = find_channel(image(), text, grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1);
    if (n < 0) {
        warn(T::kPromptTitle, T::kNotFound.str().arg(text.trimmed()));
        return;
    }
    cells_->cancel();
    grid_->setCurrentIndex(grid_->cell(n, ColNumber));
    grid_->scrollTo(grid_->cell(n, ColNumber));
    selectChannels({n});
}

// ---------------------------------------------------------------- selecting

void frm_chann::clickedCell(GridCell c)
{
    if (!valid_channel(c.row))
        return;
    if (c.column != ColNumber) {
        // A cell outside the selection ends it; inside, it keeps it for a
        // choice made for all of them.
        if (!std::ranges::binary_search(selected_, c.row))
            selectChannels({});
        return;
    }
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    std::vector<int> next;
    if (mods & Qt::ShiftModifier && anchor_ >= 0) {
        for (int n = std::min(anchor_, c.row); n <= std::max(anchor_, c.row); ++n)
            next.push_back(n);
        const int keep = anchor_;
        selectChannels(std::move(next));
        anchor_ = keep;
        return;
    }
    next = selected_;
    if (mods & Qt::ControlModifier) {
        if (const auto it = std::ranges::find(next, c.row); it != next.end())
            next.erase(it);
        else
            next.push_back(c.row);
    } else {
        next = {c.row};
    }
    selectChannels(std::move(next));
    anchor_ = c.row;
}

void frm_chann::selectChannels(std::vector<int> channels)
{
    std::erase_if(channels, [](int n) { return !valid_channel(n); });
    std::ranges::sort(channels);
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    selected_ = std::move(channels);
    anchor_ = selected_.empty() ? -1 : selected_.front();
    grid_->grid()->setMarkedRows(selected_);
}

std::vector<int> frm_chann::selectedChannels() const
{
    if (!selected_.empty())
        return selected_;
    const int current = grid_->currentIndex().row();
    return valid_channel(current) ? std::vector<int>{current} : std::vector<int>{};
}

// ---------------------------------------------------------------- commands

void frm_chann::undoOrRedo(bool redo)
{
    if (busy()) {
        warn(transfer_text::title, transfer_text::busy);
        return;
    }
    cells_->cancel();
    if (redo)
        document().redo();
    else
        document().undo();
}

void frm_chann::runRowCommand(RowCommand command) { runRowCommand(command, command == RowCommand::MoveUp ? -1 : 1); }

// Dragged channels dropped on a row: the first of them lands there (the
// last no further than channel 199).
void frm_chann::dropChannels(std::vector<int> channels, int onto)
{
    selectChannels(std::move(channels));
    if (selected_.empty() || !valid_channel(onto))
        return;
    const int by = std::min(onto, kChannels - 1 - (selected_.back() - selected_.front())) - selected_.front();
    if (by != 0)
        runRowCommand(by < 0 ? RowCommand::MoveUp : RowCommand::MoveDown, by);
}

void frm_chann::runRowCommand(RowCommand command, int by)
{
    if (busy()) {
        warn(transfer_text::title, transfer_text::busy);
        return;
    }
    const std::vector<int> chosen = selectedChannels();
    if (chosen.empty())
        return;
    const bool needsRun = command != RowCommand::Remove && command != RowCommand::Clear && command != RowCommand::Insert;
    if (needsRun && !isRun(chosen)) {
        say(T::kNotRun);
        return;
    }
    const int first = chosen.front(), last = chosen.back();
    cells_->cancel();  // a half-typed cell is dropped, as when the image changes
    std::optional<RowRefusal> refused;
    std::vector<int> after = chosen;
    const auto apply = [&](const Text& name, int lo, int hi, const std::function<std::optional<RowRefusal>(Image&)>& change) {
        Image trial = image();
        refused = change(trial);
        if (!refused)
            document().edit(named(name, chosen), rows_of(lo, hi), [&](Image& image) { change(image); }, this);
    };
    switch (command) {
    case RowCommand::Insert:
        apply(T::kInsertEdit, first, kChannels - 1, [&](Image& im) { return insert_empty(im, first); });
        after = {first};
        break;
    case RowCommand::Remove:
        // From the last selected up, so the numbers still to go stay put.
        apply(T::kRemoveEdit, first, kChannels - 1, [&](Image& im) -> std::optional<RowRefusal> {
            for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
                if (const auto r = remove_channels(im, *it, *it))
                    return r;
            return std::nullopt;
        });
        after = {first};
        break;
    case RowCommand::Clear:
        apply(T::kClearEdit, first, last, [&](Image& im) -> std::optional<RowRefusal> {
            for (int n : chosen)
                if (const auto r = clear_channels(im, n, n))
                    return r;
            return std::nullopt;
        });
        break;
    case RowCommand::MoveUp:
    case RowCommand::MoveDown: {
        apply(T::kMoveEdit, std::min(first, first + by), std::max(last, last + by),
              [&](Image& im) { return move_channels(im, first, last, by); });
        for (int& n : after)
            n += by;
        break;
    }
    case RowCommand::SortRx:
    case RowCommand::SortName:
        apply(T::kSortEdit, first, last, [&](Image& im) {
            return sort_channels(im, first, last, command == RowCommand::SortRx ? SortKey::Receive : SortKey::Name);
        });
        break;
    }
    if (refused) {
        say(*refused == RowRefusal::Full ? T::kFull : T::kPastEnd);
        return;
    }
    refresh();
    selectChannels(chosen.size() > 1 || command == RowCommand::MoveUp || command == RowCommand::MoveDown ? after : std::vector<int>{});
    if (!after.empty())
        grid_->setCurrentIndex(grid_->cell(after.front(), std::max(grid_->currentIndex().column(), 0)));
}

bool frm_chann::chooseForSelection(GridCell c, int p)
{
    const int column = c.column;
    if (selected_.size() < 2 || !std::ranges::binary_search(selected_, c.row) || column == ColBand)
        return false;
    // The single cell's rule: an empty channel has no settings; a channel
    // without a transmit frequency has no encode tone.
    std::vector<int> refusedOn, taken;
    for (int n : selected_) {
        const ChannelTexts t = decode_channel(image(), n);
        if (is_empty(image(), n) || (column == ColEncode && t[ColTx].isEmpty()))
            refusedOn.push_back(n);
        else
            taken.push_back(n);
    }
    if (!taken.empty()) {
        const QString heading = channel_heading(false, column), headingZh = channel_heading(true, column);
        const EditName name{T::kSetEdit.in(true).arg(runs(taken), headingZh), T::kSetEdit.in(false).arg(runs(taken), heading)};
        document().edit(name, rows_of(taken.front(), taken.back()), [&](Image& image) {
            for (int n : taken) {
                switch (column) {
                case ColDecode: set_tone(image, n, Tone::Decode, p); break;
                case ColEncode: set_tone(image, n, Tone::Encode, p); break;
                default: set_choice(image, n, column, p); break;
                }
                normalise_channel(image, n);
            }
        }, this);
        for (int n : taken)
            showChannel(n);
    }
    if (!refusedOn.empty())
        warn(T::kPromptTitle, T::kNotSet.str().arg(runs(refusedOn)));
    return true;
}

}  // namespace vx
