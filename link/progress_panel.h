#pragma once
// A transferring window's progress bar (ProgressBar1, 0..100) and progress
// label (Label_tr_count), children of the window, and the reports at the end
// of a transfer in the order the window's texts give.
//
// Every report that shows a message box checks afterwards that the window
// is still there: the user may close it while the box is up.

#include "link/transfer_plan.h"
#include "link/window_descriptor.h"

#include <QObject>
#include <QRect>

class QLabel;
class QProgressBar;
class QWidget;

namespace vx {

class ProgressPanel final : public QObject {
    Q_OBJECT
public:
    ProgressPanel(QWidget* window, ProgressLayout layout, bool hideLabelWhenIdle);

    QLabel* label() const { return label_; }
    QProgressBar* bar() const { return bar_; }

    // Idle: bar at 0 and hidden, label empty (and hidden if the window hides
    // it when idle).
    void reset();
    // The bar alone back to 0 and hidden.
    void hideBar();
    // A transfer has started: bar shown at 0, the connecting text.
    void begin(const Text& connecting);
    void step(const ProgressStep& step);

    void reportEnd(const EndReport& report);
    // The retries are used up: the failure message, then the final state.
    void reportFailure(const FailureReport& report);
    // The device vanished and the port would not open again: the port
    // message instead of the failure message, then the same final state, so
    // nothing still says a transfer is running.
    void reportPortLost(const FailureReport& report, const Notice& portError);

    // Places the two in `area` (window coordinates).
    void layOut(const QRect& area);

private:
    void finalState(const FailureReport& report, const std::optional<Notice>& message);

    QLabel* label_;
    QProgressBar* bar_;
    ProgressLayout layout_;
    bool hideLabelWhenIdle_;
};

// Shows a notice as a warning box through the prompt service.
void warn(const Notice& notice);

}  // namespace vx
