#pragma once
// Program -> "Write changes to radio…": reads the radio first (kept as a
// restore point), lists every setting that differs from what is to be
// written, by name and grouped by area, with the rows no setting explains,
// and then writes only the rows that differ, in address order, and reads
// their blocks back to check them; or everything, as the whole write does.
//
//   reading    the whole read, as the read dialog's, into a copy: the
//              document never changes
//   preview    the list; "Write N changes", "Write everything", Cancel
//   writing    the rows, one attempt; an interruption says what the radio
//              holds now and offers to write what was read back
//   checking   the blocks of the rows written, then the report
//
// What is written is the document's image, or a restore point's
// (setRestorePoint). The adjustment values lie outside the image: they are
// written only when their box is ticked, and never from a restore point.

#include "interchange/config/config.h"
#include "interchange/restore_points.h"
#include "link/transfer_window.h"

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

class Form_write_changes final : public TransferWindow {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 10500;  // twips
    static constexpr int kDesignHeight = 7800;

    enum class Stage {
        Reading,    // the read for the preview runs
        Preview,    // the list is shown, nothing written yet
        Writing,    // rows are being sent
        Checking,   // their blocks are being read back
        Done,       // written and checked (or nothing to write)
        Stopped,    // the read, the write or the check did not finish
    };

    explicit Form_write_changes(RadioDocument& doc, QWidget* parent = nullptr);

    // Writes `image`, kept as `point`, instead of the document. The radio's
    // serial number is checked against the point's before anything is
    // written. Call right after opening the window, before its read starts.
    void setRestorePoint(const restore::Point& point, const Image& image);

    Stage stage() const { return stage_; }
    // The rows a change write sends, ascending (known from the preview on).
    const std::vector<int>& rows() const { return rows_; }
    // What the radio held when it was read for the preview.
    const Image& radio() const { return radio_; }
    // The list as shown, one line a change with its area.
    QStringList lines() const;

private:
    std::optional<TransferPlan> plan(Direction direction) override;
    void afterRead() override;
    void afterWrite() override;
    void afterFailure(Direction direction) override;
    void layOutContent(const QRect& area) override;
    void caption() override;
    void showEvent(QShowEvent* event) override;

    void startRead();
    void showPreview();
    void write(bool everything);
    void writeRestorePointBack();
    void finishCheck();
    void showStopped();
    void setStage(Stage stage);
    void fillList();
    // What is written: the source with the constant tables laid in.
    Image target() const;
    bool otherRadio() const;

    Stage stage_ = Stage::Reading;
    bool started_ = false;
    std::optional<restore::Point> point_;
    Image source_;
    Image fresh_;           // the read for the preview lands here
    Image radio_;           // as read for the preview
    Image after_;           // what the radio holds once the rows are written
    Image written_;         // what the write under way sends
    Image readBack_;        // the check's blocks land here
    std::vector<int> rows_;     // rows that differ
    std::vector<int> sending_;  // the rows of the write under way, in order
    bool everything_ = false;   // the write under way sends every row
    bool restoring_ = false;    // it puts what was read back
    bool adjusting_ = false;    // the adjustment values are being written
    bool interrupted_ = false;  // a write of rows stopped part way
    int acknowledged_ = 0;
    config::Difference difference_;
    QStringList report_;        // the lines after a write: rows not checked, what the radio holds

    QRect content_;             // where the window's own controls go

    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* warning_ = nullptr;
    QCheckBox* anyway_ = nullptr;
    QCheckBox* adjust_ = nullptr;
    QPushButton* writeChanges_ = nullptr;
    QPushButton* writeAll_ = nullptr;
    QPushButton* restore_ = nullptr;
};

}  // namespace vx
