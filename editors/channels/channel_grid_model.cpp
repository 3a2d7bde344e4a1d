#include "editors/channels/channel_grid_model.h"

namespace vx {

using channels::kChannels;
using channels::kColumns;

ChannelGridModel::ChannelGridModel(QObject* parent) : QAbstractTableModel(parent), cells_(kChannels) {}

int ChannelGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kChannels; }

int ChannelGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section < headings_.size() ? headings_.at(section) : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString ChannelGridModel::text(int row, int column) const
{
    if (row < 0 || row >= kChannels || column < 0 || column >= kColumns)
        return {};
    return cells_[size_t(row)][size_t(column)];
}

void ChannelGridModel::setText(int row, int column, const QString& text)
{
    if (row < 0 || row >= kChannels || column < 0 || column >= kColumns)
        return;
    QString& cell = cells_[size_t(row)][size_t(column)];
    if (cell == text)
        return;
    cell = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

bool ChannelGridModel::setRow(int row, const channels::ChannelTexts& texts, bool notify)
{
    if (row < 0 || row >= kChannels || cells_[size_t(row)] == texts)
        return false;
    cells_[size_t(row)] = texts;
    if (notify)
        rowsChanged(row, row);
    return true;
}

void ChannelGridModel::rowsChanged(int first, int last)
{
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, kColumns - 1), {Qt::DisplayRole});
}

void ChannelGridModel::setHeadings(const QString& headings)
{
    headings_.clear();
    for (QString h : headings.split(QLatin1Char('|'))) {
        if (h.startsWith(QLatin1Char('^')))
            h.remove(0, 1);
        headings_ << h;
    }
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

}  // namespace vx
