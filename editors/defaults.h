#pragma once
// What every front (the window program, the command-line programmer) lays
// into the image from the editors' record codecs: the start-up defaults of a
// fresh image, and what a whole-radio write lays in before it sends.

#include "image/image.h"
#include "image/radio_document.h"

#include <vector>

namespace vx {

// Fills the image with 0xFF and lays down every editor's factory defaults
// in start-up order: FM presets, optional features, DTMF, 2-tone, 5-tone,
// channels.
void lay_startup_defaults(Image& image);
// The same as `doc`'s first contents: its record starts empty, its option
// working copy holds the defaults, and open windows show them.
void lay_startup_defaults(RadioDocument& doc);

// A whole-radio write always carries the constant 5-tone tables: laid into
// the image just before it starts, by the write dialog and the command line
// alike. Returns the rows laid.
region::Rows prepare_whole_write(Image& image);
// The same in `doc`, as one edit announced from `source`.
void prepare_whole_write(RadioDocument& doc, const QObject* source);

// The rows of a whole-radio write (0..783) at which a radio that reads as
// `radio` does not hold `file`. A row the write lays its tables into also
// matches when it equals the table: the radio holds the file both as it was
// read and as it was written.
std::vector<int> rows_not_held(const Image& file, const Image& radio);

// The rows of 0..783 a write of `file` sends to a radio that reads as
// `radio`: where the radio differs from the file with the tables laid in,
// in address order.
std::vector<int> rows_to_write(const Image& file, const Image& radio);

}  // namespace vx
