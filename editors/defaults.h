#pragma once
// What every front (the window program, the command-line programmer) lays
// into a fresh image, and what it lays into the image before a whole-radio
// write, from the editors' record codecs.

#include "image/image.h"

namespace vx {

// Fills the image with 0xFF and lays down every editor's factory defaults
// in start-up order.
void lay_startup_defaults(Image& image);

// Installs what a whole-radio write lays into the image first (the tables
// kept constant), for the write dialog and the command-line write alike.
void installWholeWriteLayers();

}  // namespace vx
