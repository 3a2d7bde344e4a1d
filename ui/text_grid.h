#pragma once
// A grid of texts under one heading row, the one grid every editor uses
// (channels, FM presets, 2-tone, 5-tone). The headings come as a format
// string: "|" separates columns, a leading "^" centres a column, ">"
// right-aligns it, "<" (or nothing) left-aligns it; a column's cells take
// its heading's alignment. Data rows count from 0, under the headings.
//
// The view has a fixed heading row, no row headings, single cells selected
// and no editing of its own: cells are edited through CellEditing
// (ui/cell_editing.h).

#include <QAbstractTableModel>
#include <QMimeData>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <span>
#include <vector>

namespace vx {

class TextGridModel final : public QAbstractTableModel {
public:
    TextGridModel(int rows, int columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);  // signals only a change
    // Replaces the texts of a row from column 0 on; false when it already
    // held them. With `notify` false the change signal is left to
    // rowsChanged(), so a refresh of many rows signals once.
    bool setRow(int row, std::span<const QString> texts, bool notify = true);
    void rowsChanged(int first, int last);  // nothing when first > last

    void setHeadings(const QString& format);
    QString heading(int column) const { return headings_.value(column); }

    // Dragging rows by their first cell and dropping them on another row:
    // with a handler, the rows dragged (ascending) and the row dropped on go
    // to it, and the grid itself moves nothing. Without one (the default)
    // nothing is dragged.
    using RowsDropped = std::function<void(std::vector<int> rows, int onto)>;
    void setRowsDropped(RowsDropped handler) { dropped_ = std::move(handler); }
    // The rows a drag carries: the marked ones when the first cell of a
    // marked row is dragged, else that row.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

    // Rows marked as selected by a grid's own row commands, shown shaded;
    // none by default.
    void setMarkedRows(const std::vector<int>& rows);
    bool marked(int row) const { return row >= 0 && size_t(row) < marked_.size() && marked_[size_t(row)]; }
    Qt::Alignment alignment(int column) const;

    // The parts of a heading format: the heading texts without their marks,
    // and each column's alignment.
    static QStringList headingTexts(const QString& format);
    static Qt::Alignment headingAlignment(const QString& heading);

private:
    bool valid(int row, int column) const { return row >= 0 && row < rows_ && column >= 0 && column < columns_; }

    int rows_;
    int columns_;
    std::vector<QString> cells_;
    QStringList headings_;
    std::vector<Qt::Alignment> alignment_;
    std::vector<bool> marked_;
    RowsDropped dropped_;
};

class CellEditing;

class TextGrid final : public QTableView {
    Q_OBJECT
public:
    TextGrid(const QString& name, int rows, int columns, QWidget* parent);
    // Its cell editing stops before any of the grid's children go.
    ~TextGrid() override;

    TextGridModel* grid() const { return model_; }
    QString text(int row, int column) const { return model_->text(row, column); }
    void setText(int row, int column, const QString& text) { model_->setText(row, column, text); }
    void setHeadings(const QString& format) { model_->setHeadings(format); }
    QModelIndex cell(int row, int column) const { return model_->index(row, column); }
    QRect cellRect(int row, int column) const { return visualRect(cell(row, column)); }

    // Heights: the rows share the grid's height, the heading row included.
    void fitRows();
    // Rows dragged by their first cell go to `handler` (see
    // TextGridModel::setRowsDropped).
    void enableRowDragging(TextGridModel::RowsDropped handler);

    // The width inside the frame, known as soon as the geometry is set (the
    // viewport of a hidden grid catches up only when shown).
    int innerWidth() const { return std::max(0, width() - 2 * frameWidth()); }

private:
    friend class CellEditing;
    TextGridModel* model_;
    CellEditing* editing_ = nullptr;
};

}  // namespace vx
