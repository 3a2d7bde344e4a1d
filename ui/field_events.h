#pragma once
// Two rules every editor's fields share.

class QComboBox;
class QEvent;

namespace vx {

// True for a field losing the focus to another control of the window: not
// when a popup (a menu, a list) opens over it, nor when the whole window
// stops being active (another window or a message box).
bool leavesField(const QEvent* event);

// A drop-down list whose typing is discarded: a key that types a character
// (the list's search by first letter, or text in an editable list) does
// nothing; arrows and the mouse still choose.
void discardTyping(QComboBox* combo);

}  // namespace vx
