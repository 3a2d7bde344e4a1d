#pragma once
// What every front (the window program, the command-line programmer) lays
// into the image from the editors' record codecs: the start-up defaults of a
// fresh image, and what a whole-radio write lays in before it sends.

#include "image/image.h"

namespace vx {

// Fills the image with 0xFF and lays down every editor's factory defaults
// in start-up order: FM presets, optional features, DTMF, 2-tone, 5-tone,
// channels.
void lay_startup_defaults(Image& image);

// A whole-radio write always carries the constant 5-tone tables: laid into
// the image just before it starts, by the write dialog and the command line
// alike. Returns the rows laid.
region::Rows prepare_whole_write(Image& image);

}  // namespace vx
