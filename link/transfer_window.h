#pragma once
// The base of every window that talks to the radio: the whole-radio dialogs
// and, through the region-editor frame, every editor. Built from a
// descriptor, it owns the button row and its layout, the progress bar and
// label, the transfer session, the busy rule, the close rules and the
// end-of-transfer reports. A window adds its controls, its read and write
// plans and what it does with the commands that are its own.

#include "image/radio_document.h"
#include "link/progress_panel.h"
#include "link/transfer_session.h"
#include "link/window_descriptor.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPushButton;

namespace vx {

class TransferWindow : public QWidget {
    Q_OBJECT
public:
    ~TransferWindow() override;

    const WindowDescriptor& descriptor() const { return descriptor_; }
    // The radio the window shows and transfers.
    RadioDocument& document() const { return doc_; }
    TransferSession& session() { return *session_; }
    const TransferSession& session() const { return *session_; }
    const TransferEngine& engine() const { return session_->engine(); }
    bool busy() const { return session_->busy(); }
    QPushButton* button(Command command) const;
    ProgressPanel& progress() const { return *progress_; }

    // A command as its button gives it: refused with its busy message while
    // a transfer runs, otherwise carried out.
    void runCommand(Command command);
    // The plan the window's Read or Write would start now (benchmarks and
    // tools run it on a session of their own); nullopt where there is none.
    std::optional<TransferPlan> transferPlan(Direction direction) { return plan(direction); }

protected:
    TransferWindow(WindowDescriptor descriptor, RadioDocument& doc, QWidget* parent);

    // The plan of this window's Read or Write; nullopt starts nothing.
    virtual std::optional<TransferPlan> plan(Direction direction) = 0;
    // The commands the base does not carry out itself (Clear, Default, Save,
    // Open), after the busy rule has let them through.
    virtual void handleCommand(Command) {}
    // A read has stored its rows; runs before the end report.
    virtual void afterRead() {}
    // A write has been acknowledged to its last row; runs before the end
    // report.
    virtual void afterWrite() {}
    // A transfer failed (retries used up, or the device gone part way);
    // runs after the failure report.
    virtual void afterFailure(Direction direction) { Q_UNUSED(direction); }
    // The Close command, idle: runs before the window closes.
    virtual void closing() {}
    // The window's own controls go into `area`, above the progress row.
    virtual void layOutContent(const QRect& area) { Q_UNUSED(area); }

    // Captions the window and its buttons in the current language.
    virtual void caption();
    // Closes the window (its frame in the main window).
    void closeWindow();
    // Names every labelled control by its label for screen readers; runs
    // whenever the window is shown and captioned.
    void nameControlsByLabels();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void startTransfer(Direction direction);
    void onSucceeded(Direction direction);
    void onFailed(Direction direction);
    void onPortError(bool midTransfer);
    void layOut();

    const WindowDescriptor descriptor_;
    RadioDocument& doc_;
    TransferSession* session_;
    ProgressPanel* progress_;
    std::vector<std::pair<Command, QPushButton*>> buttons_;
    Direction lastDirection_ = Direction::Read;
};

}  // namespace vx
