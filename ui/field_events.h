#pragma once
// Two rules every editor's fields share.

#include <functional>

class QComboBox;
class QEvent;
class QWidget;

namespace vx {

// True for a field losing the focus to another control of the window: not
// when a popup (a menu, a list) opens over it, nor when the whole window
// stops being active (another window or a message box).
bool leavesField(const QEvent* event);

// Runs `left` each time `field` loses the focus as leavesField() says.
void onLeavingField(QWidget* field, std::function<void()> left);

// A drop-down list whose typing is discarded: a key that types a character
// (the list's search by first letter, or text in an editable list) does
// nothing; arrows and the mouse still choose.
void discardTyping(QComboBox* combo);

}  // namespace vx
