#include "editors/signalling/text_grid.h"

#include <QHeaderView>

#include <algorithm>

namespace vx {

TextGridModel::TextGridModel(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(columns), cells_(size_t(rows * columns)),
      alignment_(size_t(columns), Qt::AlignLeft | Qt::AlignVCenter)
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
    return {};
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_)
        return {};
    if (role == Qt::DisplayRole)
        return headings_.value(section);
    if (role == Qt::TextAlignmentRole)
        return int(alignment_[size_t(section)]);
    return {};
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
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

void TextGridModel::setHeadings(const QString& format)
{
    headings_.clear();
    const QStringList parts = format.split(QLatin1Char('|'));
    for (int c = 0; c < columns_; ++c) {
        QString h = parts.value(c);
        Qt::Alignment a = Qt::AlignLeft;
        if (h.startsWith(QLatin1Char('^')))
            a = Qt::AlignHCenter;
        else if (h.startsWith(QLatin1Char('>')))
            a = Qt::AlignRight;
        if (!h.isEmpty() && QStringLiteral("^<>").contains(h.front()))
            h.remove(0, 1);
        headings_ << h;
        alignment_[size_t(c)] = a | Qt::AlignVCenter;
    }
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
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setMinimumSectionSize(8);
}

void TextGrid::fitRows()
{
    const int rows = model_->rowCount() + 1;
    const int h = std::max(12, (height() - 2 * frameWidth()) / std::max(1, rows));
    horizontalHeader()->setFixedHeight(h);
    verticalHeader()->setDefaultSectionSize(h);
}

}  // namespace vx
