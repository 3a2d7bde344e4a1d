#pragma once
// The frame every region editor stands on: a transferring window (buttons,
// progress, session, busy and close rules, reports) that also shows the
// image again at the moments an editor must, and carries out Default,
// Clear, Save and Open.
//
// One refresh rule: refresh() fills every control from the image with the
// controls' signals blocked (display()) and stores nothing: showing never
// changes the image. A value a control cannot show exactly is shown as well
// as it can be and its bytes stay until the user picks a value. It runs
// when the window loads, when it is activated or gets the focus (as the
// descriptor says), after Default, Clear and a read, and whenever the image
// changes under the window (a file loaded, a whole-radio read, another
// window's edit): open cell editors are then dropped unstored first, so no
// value shown from an older image is ever stored.
//
// Every change an editor makes is one edit of its document (edit()): named,
// recorded with the rows it changed, and announced to the other windows.
//
// An editor writes its descriptor, its controls and display(),
// its read and write plans and its defaults; nothing of the chrome.

#include "image/image.h"
#include "link/transfer_window.h"

#include <functional>
#include <vector>

namespace vx {

struct EditorDescriptor {
    WindowDescriptor window;
    // The image rows the editor shows; a change of any of them by someone
    // else shows them again. Empty for an editor of a table of its own.
    std::vector<region::Rows> rows{};
    bool refreshOnActivate = true;   // the window is activated
    bool refreshOnFocus = false;     // the window itself gets the focus
    bool defaultResetsProgress = false;  // Default hides the bar at 0 and empties the label
};

class RegionEditor : public TransferWindow {
    Q_OBJECT
public:
    // Shows what the image holds in every control; stores nothing.
    void refresh();

    const EditorDescriptor& editorDescriptor() const { return traits_; }

protected:
    RegionEditor(EditorDescriptor descriptor, RadioDocument& doc, QWidget* parent);

    const Image& image() const { return document().image(); }
    // One edit of the window's rows named `what` (the window's caption and
    // `what`; the caption alone when `what` is empty), shown by the window
    // itself. Returns whether a byte changed.
    bool edit(const Text& what, const RadioDocument::Change& change) { return edit(name(what), change); }
    bool edit(const RadioDocument::Change& change) { return edit(name(EditName{}), change); }
    bool edit(const EditName& name, const RadioDocument::Change& change);
    // A key typed into a field that stores at once, named as edit() names
    // it: the keys typed into one field until it is left are one entry of
    // the record (RadioDocument::typed()). Leaving the field calls
    // endTyping().
    bool typed(const Text& what, const RadioDocument::Change& change) { return typed(name(what), change); }
    bool typed(const RadioDocument::Change& change) { return typed(name(EditName{}), change); }
    bool typed(const EditName& name, const RadioDocument::Change& change);
    void endTyping();
    // The window's caption followed by `what` (when not empty), in both
    // languages.
    EditName name(const Text& what) const;
    EditName name(const EditName& what) const;

    // Fills every control from the image (or the editor's own table).
    virtual void display() = 0;

    // Default: lays down the factory values of the region.
    virtual void loadDefaults(Image& image) { Q_UNUSED(image); }
    // Clear: empties the region.
    virtual void clearAll(Image& image) { Q_UNUSED(image); }

    // Drops every open cell editor without storing it; what was typed in
    // it is ended.
    void cancelCellEditing();

    void handleCommand(Command command) override;
    // Default, Clear, or any change of the whole region: open cell editors
    // go unstored, the change is one edit, the window shows the result.
    void replaceRegion(const EditName& name, const RadioDocument::Change& replace);
    void afterRead() override;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void imageChanged(int first, int last, const QObject* source);

    const EditorDescriptor traits_;
    bool loaded_ = false;
};

}  // namespace vx
