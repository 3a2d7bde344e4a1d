#pragma once
// The frame every region editor stands on: a transferring window (buttons,
// progress, session, busy and close rules, reports) that also shows the
// image again at the moments an editor must (when it loads, when it is
// activated or gets the focus, after Default, Clear and a read), and carries
// out Default, Clear, Save and Open.
//
// An editor writes its descriptor, its controls, refresh(), its read and
// write plans and its defaults; nothing of the chrome.

#include "link/transfer_window.h"

namespace vx {

struct EditorDescriptor {
    WindowDescriptor window;
    bool refreshOnActivate = true;   // the window is activated
    bool refreshOnFocus = false;     // the window itself gets the focus
    bool defaultResetsProgress = false;  // Default hides the bar at 0 and empties the label
};

class RegionEditor : public TransferWindow {
    Q_OBJECT
public:
    // Shows what the image holds in every control.
    virtual void refresh() = 0;

protected:
    RegionEditor(EditorDescriptor descriptor, QWidget* parent);

    // Default: lays down the factory values of the region.
    virtual void loadDefaults() {}
    // Clear: empties the region.
    virtual void clearAll() {}

    void handleCommand(Command command) override;
    void afterRead() override { refresh(); }

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    const EditorDescriptor traits_;
    bool loaded_ = false;
};

}  // namespace vx
