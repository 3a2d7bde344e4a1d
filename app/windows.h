#pragma once
// Registers every child window of the application with the shell, by code
// name.

#include <QString>
#include <QWidget>

namespace vx {

void registerWindows();

// A stand-in for a window that is not built yet: a child with one label,
// objectName = the code name.
QWidget* makePlaceholderWindow(const QString& name);

}  // namespace vx
