#pragma once
// Child-window geometry: child windows size themselves from the main window,
//   width  = main width  / (screen width  / W)
//   height = main height / (screen height / H)
// in twips (15 twips a pixel), a divisor of 0 counting as 1, and centre
// themselves in the main window's client area. On a main window as large as
// the screen a child thus gets its design size W x H.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vx {

inline constexpr int kTwipsPerPixel = 15;

constexpr int pixelsToTwips(int px) { return px * kTwipsPerPixel; }
constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// One dimension of the rule, all values in twips.
constexpr int childTwips(int mainTwips, int screenTwips, int designTwips)
{
    double divisor = designTwips > 0 ? double(screenTwips) / designTwips : 0.0;
    if (divisor <= 0.0)
        divisor = 1.0;
    return int(mainTwips / divisor);
}

// Size in pixels of a child with design size W x H twips.
QSize childSize(QSize mainPixels, QSize screenPixels, int designW, int designH);

// Top-left corner that centres a window of `size` in a client area of `client`.
QPoint centredIn(QSize client, QSize size);

}  // namespace vx
