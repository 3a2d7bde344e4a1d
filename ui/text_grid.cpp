#include "ui/text_grid.h"

#include "ui/cell_editing.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>

#include <algorithm>

namespace vx {

TextGridModel::TextGridModel(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::max(0, rows)), columns_(std::max(0, columns)),
      cells_(size_t(rows_) * size_t(columns_)), alignment_(size_t(columns_), Qt::AlignLeft | Qt::AlignVCenter)
{
}

int TextGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant TextGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row(), index.column()))
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(alignment_[size_t(index.column())]);
    if (role == Qt::BackgroundRole && marked(index.row()))
        return QBrush(QColor(0xCC, 0xE0, 0xFF));
    return {};
}

void TextGridModel::setMarkedRows(const std::vector<int>& rows)
{
    std::vector<bool> next(size_t(rows_), false);
    for (int r : rows)
        if (r >= 0 && r < rows_)
            next[size_t(r)] = true;
    if (next == marked_)
        return;
    marked_ = std::move(next);
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::BackgroundRole});
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Rows have no heading on screen; for screen readers a row is named by
    // its first cell (the channel or entry number).
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole && section >= 0 && section < rows_ ? QVariant(text(section, 0)) : QVariant();
    if (section < 0 || section >= columns_)
        return {};
    if (role == Qt::DisplayRole)
        return headings_.value(section);
    if (role == Qt::TextAlignmentRole)
        return int(alignment_[size_t(section)]);
    return {};
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (dropped_)
        f |= Qt::ItemIsDropEnabled | (index.column() == 0 ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
    return f;
}

namespace {
const QString kRowsType = QStringLiteral("application/x-vxprog-grid-rows");
}

QStringList TextGridModel::mimeTypes() const { return {kRowsType}; }

QMimeData* TextGridModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !dropped_)
        return nullptr;
    const int row = indexes.front().row();
    QStringList rows;
    if (marked(row)) {
        for (int r = 0; r < rows_; ++r)
            if (marked(r))
                rows << QString::number(r);
    } else {
        rows << QString::number(row);
    }
    auto* data = new QMimeData;
    data->setData(kRowsType, rows.join(QLatin1Char(',')).toLatin1());
    return data;
}

bool TextGridModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int, const QModelIndex& parent) const
{
    return dropped_ && data && data->hasFormat(kRowsType) && action == Qt::MoveAction && parent.isValid();
}

bool TextGridModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    std::vector<int> rows;
    for (const QByteArray& part : data->data(kRowsType).split(',')) {
        bool ok = false;
        const int r = part.toInt(&ok);
        if (ok && r >= 0 && r < rows_)
            rows.push_back(r);
    }
    if (rows.empty())
        return false;
    std::ranges::sort(rows);
    dropped_(std::move(rows), parent.row());
    return false;  // the handler moved what is to move; the view removes nothing
}

QString TextGridModel::text(int row, int column) const
{
    return valid(row, column) ? cells_[size_t(row * columns_ + column)] : QString();
}

void TextGridModel::setText(int row, int column, const QString& text)
{
    if (!valid(row, column))
        return;
    QString& cell = cells_[size_t(row * columns_ + column)];
    if (cell == text)
        return;
    cell = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

bool TextGridModel::setRow(int row, std::span<const QString> texts, bool notify)
{
    if (row < 0 || row >= rows_)
        return false;
    bool changed = false;
    const int n = std::min(columns_, int(texts.size()));
    for (int c = 0; c < n; ++c) {
        QString& cell = cells_[size_t(row * columns_ + c)];
        if (cell != texts[size_t(c)]) {
            cell = texts[size_t(c)];
            changed = true;
        }
    }
    if (changed && notify)
        rowsChanged(row, row);
    return changed;
}

void TextGridModel::rowsChanged(int first, int last)
{
    if (first > last || columns_ == 0)
        return;
    emit dataChanged(index(first, 0), index(last, columns_ - 1), {Qt::DisplayRole});
}

QStringList TextGridModel::headingTexts(const QString& format)
{
    QStringList out;
    for (QString h : format.split(QLatin1Char('|'))) {
        if (!h.isEmpty() && QStringLiteral("^<>").contains(h.front()))
            h.remove(0, 1);
        out << h;
    }
    return out;
}

Qt::Alignment TextGridModel::headingAlignment(const QString& heading)
{
    if (heading.startsWith(QLatin1Char('^')))
        return Qt::AlignHCenter;
    if (heading.startsWith(QLatin1Char('>')))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

Qt::Alignment TextGridModel::alignment(int column) const
{
    return column >= 0 && column < columns_ ? alignment_[size_t(column)] : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TextGridModel::setHeadings(const QString& format)
{
    const QStringList parts = format.split(QLatin1Char('|'));
    const QStringList texts = headingTexts(format);
    headings_.clear();
    for (int c = 0; c < columns_; ++c) {
        headings_ << texts.value(c);
        alignment_[size_t(c)] = headingAlignment(parts.value(c)) | Qt::AlignVCenter;
    }
    if (columns_ == 0)
        return;
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::TextAlignmentRole});
}

TextGrid::TextGrid(const QString& name, int rows, int columns, QWidget* parent)
    : QTableView(parent), model_(new TextGridModel(rows, columns, this))
{
    setObjectName(name);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);  // cells hold one short line; lays out faster
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setMinimumSectionSize(8);
}

TextGrid::~TextGrid()
{
    if (editing_)
        editing_->detach();
}

void TextGrid::enableRowDragging(TextGridModel::RowsDropped handler)
{
    model_->setRowsDropped(std::move(handler));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(true);  // dropped on a row, never between rows
}

void TextGrid::fitRows()
{
    const int rows = model_->rowCount() + 1;
    const int h = std::max(12, (height() - 2 * frameWidth()) / std::max(1, rows));
    horizontalHeader()->setFixedHeight(h);
    verticalHeader()->setDefaultSectionSize(h);
}

}  // namespace vx
