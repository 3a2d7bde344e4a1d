// The channel grid's row commands on the frame's kit (editors/frame/
// row_commands.h), plus what is the channels' own: find, and a list choice
// made for every selected channel at once.
#include "editors/channels/frm_chann.h"

#include "editors/channels/channel_columns.h"
#include "editors/channels/channel_rows.h"
#include "editors/channels/frm_chann_texts.h"
#include "editors/frame/row_commands.h"
#include "ui/cell_editing.h"
#include "ui/prompt.h"
#include "ui/text_grid.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

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

frame::RowSpec channelRows(std::function<void()> beforeCommand)
{
    return {
        .layout = channel_layout(),
        .shown = 0,
        .texts = {.insert = T::kInsert, .remove = T::kRemove, .clear = T::kClear, .insertEdit = T::kInsertEdit,
                  .removeEdit = T::kRemoveEdit, .clearEdit = T::kClearEdit, .moveEdit = T::kMoveEdit, .sortEdit = T::kSortEdit,
                  .full = T::kFull, .pastEnd = T::kPastEnd, .notRun = T::kNotRun, .title = T::kPromptTitle},
        .sorts = {{"Menu_sort_rx", T::kSortRx, sort_key(SortKey::Receive)}, {"Menu_sort_name", T::kSortName, sort_key(SortKey::Name)}},
        .beforeCommand = std::move(beforeCommand),
    };
}

}  // namespace

void frm_chann::installRowCommands()
{
    rows_ = new frame::RowCommands(*this, *grid_, channelRows([this] { cells_->cancel(); }));
    QMenu* menu = rows_->menu();
    menu->addSeparator();
    // Find works from anywhere in the window.
    const auto add = [this, menu](const char* name, QKeySequence keys, auto run) {
        auto* a = new QAction(menu);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, run);
        menu->addAction(a);
        addAction(a);
    };
    add("Menu_find", QKeySequence(Qt::CTRL | Qt::Key_F), [this] { openFind(); });
    add("Menu_find_next", QKeySequence(Qt::Key_F3), [this] { findNext(); });
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
}

void frm_chann::captionRowCommands()
{
    if (!rows_)
        return;
    rows_->caption();
    for (const auto& [name, text] : {std::pair{"Menu_find", T::kFind}, std::pair{"Menu_find_next", T::kFindNext}})
        if (auto* a = rows_->menu()->findChild<QAction*>(QString::fromLatin1(name)))
            a->setText(text);
    findField_->setPlaceholderText(T::kFindHint);
}

QMenu* frm_chann::rowMenu() const { return rows_->menu(); }
void frm_chann::clickedCell(GridCell c) { rows_->clicked(c); }
std::vector<int> frm_chann::selectedChannels() const { return rows_->selected(); }
void frm_chann::selectChannels(std::vector<int> channels) { rows_->select(std::move(channels)); }
void frm_chann::dropChannels(std::vector<int> channels, int onto) { rows_->drop(std::move(channels), onto); }

void frm_chann::runRowCommand(RowCommand command)
{
    using C = frame::RowCommands::Command;
    switch (command) {
    case RowCommand::Insert: rows_->run(C::Insert); break;
    case RowCommand::Remove: rows_->run(C::Remove); break;
    case RowCommand::Clear: rows_->run(C::Clear); break;
    case RowCommand::MoveUp: rows_->run(C::Move, -1); break;
    case RowCommand::MoveDown: rows_->run(C::Move, 1); break;
    case RowCommand::SortRx: rows_->run(C::Sort, 0); break;
    case RowCommand::SortName: rows_->run(C::Sort, 1); break;
    }
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

// ---------------------------------------------------------------- several at once

bool frm_chann::chooseForSelection(GridCell c, int p)
{
    const int column = c.column;
    const std::vector<int>& selected = rows_->marked();
    if (selected.size() < 2 || !std::ranges::binary_search(selected, c.row) || column == ColBand)
        return false;
    // The single cell's rule: an empty channel has no settings; a channel
    // without a transmit frequency has no encode tone.
    std::vector<int> refusedOn, taken;
    for (int n : selected) {
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
