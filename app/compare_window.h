#pragma once
// Program -> "Compare…": lists what differs between any two of the current
// data, a data file, a restore point and the radio as read now, by setting
// name and grouped by area, as the change-only write's preview does, with
// the rows no setting explains. Nothing it does changes the document: the
// radio is read into a copy, a file or point is loaded into a copy.

#include "interchange/config/config.h"
#include "image/radio_document.h"
#include "interchange/restore_points.h"

#include <QDateTime>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

class ProgressPanel;
class TransferSession;

class Form_compare final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 10500;  // twips
    static constexpr int kDesignHeight = 7800;

    enum class Side { First, Second };
    // What a side holds; the order of each side's list, after None.
    enum class Source { None = -1, Current, File, RestorePoint, Radio };

    explicit Form_compare(RadioDocument& doc, QWidget* parent = nullptr);
    ~Form_compare() override;

    // Sets a side as its list would. A file or point that cannot be read is
    // said and leaves the side unset; false then, or while the radio is read.
    bool setCurrent(Side side);
    bool setFile(Side side, const QString& path);
    bool setRestorePoint(Side side, const restore::Point& point);
    // The first side `point`, the second the current data, compared at once.
    void comparePointWithDocument(const restore::Point& point);

    Source source(Side side) const { return sides_[index(side)].source; }
    // Lists the differences from the first side to the second (Compare).
    void compare();
    // The differences as listed, one a line with its area ("Channel 12: TX
    // Frequency 145.60000 → 145.62500"), as Copy puts them.
    QStringList lines() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Held {
        Source source = Source::None;
        Image image{};           // File, RestorePoint, Radio
        QString path{};          // File
        restore::Point point{};  // RestorePoint
        QString radio{};         // Radio: model and serial as identified
        QDateTime readAt{};      // Radio
    };
    static int index(Side side) { return side == Side::First ? 0 : 1; }

    void caption();
    void picked(Side side, int entry);
    void chooseFile(Side side);
    void showPointPicker(Side side);
    void closePicker();
    void readRadio(Side side);
    void readEnded(bool ok);
    void set(Side side, Held held);
    Image imageOf(Side side) const;
    QString shown(Side side) const;
    void updateControls();
    void clearResult();

    RadioDocument& doc_;
    std::array<Held, 2> sides_{};
    std::optional<Side> reading_;     // the side the radio is read for
    Image radio_;                     // the read lands here
    std::optional<Side> picking_;     // the side the point list picks for
    std::vector<restore::Point> pickable_;
    std::vector<config::Area> areas_;
    bool compared_ = false;
    config::Difference difference_;

    TransferSession* session_ = nullptr;
    ProgressPanel* progress_ = nullptr;
    std::array<QLabel*, 2> sideCaptions_{};
    std::array<QComboBox*, 2> combos_{};
    std::array<QLabel*, 2> labels_{};
    QLabel* pickHint_ = nullptr;
    QTreeWidget* pickList_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace vx
