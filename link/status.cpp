#include "link/status.h"

#include <array>

namespace vx {

namespace {
std::array<QString, kStatusPanels> gPanels;
std::function<void(int, const QString&)> gHook;
}  // namespace

QString statusPanel(int panel)
{
    return panel >= 1 && panel <= kStatusPanels ? gPanels[panel - 1] : QString();
}

void setStatusPanel(int panel, const QString& text)
{
    if (panel < 1 || panel > kStatusPanels)
        return;
    gPanels[panel - 1] = text;
    if (gHook)
        gHook(panel, text);
}

void clearStatusPanels()
{
    for (auto& p : gPanels)
        p.clear();
}

void setStatusPanelHook(std::function<void(int, const QString&)> hook) { gHook = std::move(hook); }

}  // namespace vx
