#pragma once
// What child windows need from the main window: opening, reopening and
// closing windows by their code names, the geometry rule, and the main
// window's identification. The main window (MDImain) implements it.

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

namespace vx {
class Identification;
}

namespace vx::shell {

using WindowFactory = std::function<QWidget*()>;

// Registers how to make the window named `name` (its objectName too).
void registerWindow(const QString& name, WindowFactory factory);
bool hasWindow(const QString& name);

// Open: create and show it as a child of the main window unless it is open
// already. Reopen: close it if open, then open it afresh. Both return the
// window (nullptr when nothing is registered under the name).
QWidget* openWindow(const QString& name);
QWidget* reopenWindow(const QString& name);
// Closes it if open; false when the window refused to close.
bool closeWindow(const QString& name);
QWidget* findWindow(const QString& name);

// Sizes a child window by the geometry rule, design size W x H in twips, and
// centres it in the main window's client area. Without a main window the
// window keeps its size.
void placeChild(QWidget* window, int designW, int designH);

QSize mainWindowSize();  // pixels
QSize screenSize();      // pixels
QRect clientArea();      // the main window's client area, in its own coordinates

// The main window's identification (nullptr before the main window exists).
Identification* identification();

}  // namespace vx::shell
