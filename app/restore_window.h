#pragma once
// Program -> "Restore points…": every restore point of the store, newest
// first, with its radio, time, kind and the rows it changed against the
// radio's point before. A point can be opened (loaded into the document as
// a data file is), compared with the document, written back to its radio
// through the change-only write, or deleted. A point that cannot be read is
// listed as such and can only be deleted.

#include "image/radio_document.h"
#include "interchange/restore_points.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

// A point as a line of a list: radio ("model serial"), local date and time,
// kind, and what changed against the point before (or that it cannot be
// read), in the language of the moment.
QStringList restore_point_columns(const restore::Point& point);
// The headings of those columns.
QStringList restore_point_headings();

class Form_restore_points final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 10500;  // twips
    static constexpr int kDesignHeight = 6600;

    explicit Form_restore_points(RadioDocument& doc, QWidget* parent = nullptr);

    // Lists the store afresh, keeping the point selected if it is still
    // there. Runs when the window is shown or activated.
    void refresh();
    // The points as listed, newest first.
    const std::vector<restore::Point>& points() const { return points_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void caption();
    const restore::Point* selected() const;
    void updateButtons();
    void openPoint();
    void comparePoint();
    void writePoint();
    void removePoint();

    RadioDocument& doc_;
    std::vector<restore::Point> points_;
    bool followsFrame_ = false;

    QTreeWidget* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace vx
