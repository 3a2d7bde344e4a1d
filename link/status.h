#pragma once
// The main window's eleven status panels (numbered 1..11). Panels 2, 4, 6, 8
// and 10 carry what the last identification reported, whichever window
// received it; the main window shows them through the change hook.

#include <QString>
#include <functional>

namespace vx {

inline constexpr int kStatusPanels = 11;

QString statusPanel(int panel);
void setStatusPanel(int panel, const QString& text);
void clearStatusPanels();  // all panels empty (tests)

// Called after every change of a panel's text. The main window sets it.
void setStatusPanelHook(std::function<void(int panel, const QString& text)> hook);

}  // namespace vx
