#pragma once
// A small grid of texts under one heading row, for the signalling editors.
// The headings come as a format string: "|" separates columns, a leading
// "^" centres a column, ">" right-aligns it, "<" (or nothing) left-aligns it;
// a column's cells take its heading's alignment. Data rows count from 0
// (the first row under the headings).

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

#include <algorithm>
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
    void setHeadings(const QString& format);
    QString heading(int column) const { return headings_.value(column); }

private:
    bool valid(int row, int column) const { return row >= 0 && row < rows_ && column >= 0 && column < columns_; }

    int rows_;
    int columns_;
    std::vector<QString> cells_;
    QStringList headings_;
    std::vector<Qt::Alignment> alignment_;
};

// The view: fixed heading row, no row headings, single cells selected, no
// editing of its own (editors are placed over cells by the window).
class TextGrid final : public QTableView {
    Q_OBJECT
public:
    TextGrid(const QString& name, int rows, int columns, QWidget* parent);

    TextGridModel* grid() const { return model_; }
    QString text(int row, int column) const { return model_->text(row, column); }
    void setText(int row, int column, const QString& text) { model_->setText(row, column, text); }
    QRect cellRect(int row, int column) const { return visualRect(model_->index(row, column)); }
    // Heights: the rows share the grid's height, the heading row included.
    void fitRows();
    // The width inside the frame, known as soon as the geometry is set (the
    // viewport of a hidden grid catches up only when shown).
    int innerWidth() const { return std::max(0, width() - 2 * frameWidth()); }

private:
    TextGridModel* model_;
};

}  // namespace vx
