#pragma once
// What child windows need from the main window: opening, reopening and
// closing windows by their code names, and the geometry rule. The main
// window (MDImain) attaches itself; the shell knows nothing else of it.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QMdiArea;

namespace vx::shell {

using WindowFactory = std::function<QWidget*()>;

// Registers how to make the window named `name` (its objectName too).
void registerWindow(const QString& name, WindowFactory factory);

// Open: create and show it as a child of the main window unless it is open
// already. A window is unloaded when it closes (also when it closes itself);
// one that hides itself counts as closed. Reopen: close it if open, then open it afresh. Both return the
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

// Centres a child in the main window's client area without resizing it,
// raised `raiseTwips` above the centre. Without a main window it does nothing.
void centreChild(QWidget* window, int raiseTwips = 0);

// Names of the open windows, in the order they were opened.
QStringList openWindowNames();
// Closes every open window, newest first; false when one refused (it and
// the ones before it stay open).
bool closeAllWindows();

// The main window attaches itself with its MDI area, and detaches (both
// nullptr) when it goes. Open windows then live in the area.
void attachMainWindow(QWidget* main, QMdiArea* area);

// The screen size the geometry rule and start-up use; an empty size means
// the primary screen's (tests set small and large screens).
void setScreenSizeOverride(QSize pixels);
bool screenSizeOverridden();

}  // namespace vx::shell
