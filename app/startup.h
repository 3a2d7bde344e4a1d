#pragma once
// Start-up: prepares the shared state, shows the main window, picks a
// serial port, starts the identification of the radio, lays the factory
// defaults into the image and opens the optional-features editor.

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace vx {

class MDImain;

// Hears the name of each step just before it runs.
using StartupObserver = std::function<void(const QString& step)>;

// Runs every start-up step on the main window, in order.
void runStartup(MDImain& window, const StartupObserver& observer = {});

// The names of the steps, in the order they run.
QStringList startupStepNames();

// True when a screen of this size (pixels) gets the display-mode advice.
bool screenNeedsAdvice(QSize pixels);

}  // namespace vx
