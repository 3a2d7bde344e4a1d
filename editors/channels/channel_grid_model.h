#pragma once
// The cells of the channel grid: 200 rows of 16 centred texts under one
// heading row. The window fills it from the channel codec; it holds nothing
// the image does not.

#include "editors/channels/channel_codec.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace vx {

class ChannelGridModel final : public QAbstractTableModel {
public:
    explicit ChannelGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // Replaces a whole row; false when it already held these texts. With
    // `notify` false the change signal is left to rowsChanged().
    bool setRow(int row, const channels::ChannelTexts& texts, bool notify = true);
    // Signals a change of rows first..last (nothing when first > last).
    void rowsChanged(int first, int last);

    // Headings as "^a|^b|c": "|" separates columns, "^" centres (all columns
    // are centred here, so the marks are dropped).
    void setHeadings(const QString& headings);

private:
    std::vector<channels::ChannelTexts> cells_;
    QStringList headings_;
};

}  // namespace vx
