#pragma once
// The radio operations of the command-line programmer, each run to its end
// on an event loop of its own: identification, the whole-radio read and
// write with the dialogs' plans (same rows, retries and pauses), and the
// same packets for only some rows or blocks. A signal caught by
// catchInterrupts() stops each of them (a write after the packet in flight).

#include "image/image.h"
#include "image/radio_document.h"
#include "link/identity.h"
#include "link/transfer_plan.h"

#include <functional>
#include <optional>
#include <vector>

namespace vx::cli {

enum class Failure {
    None,
    Port,         // the port would not open
    NoAnswer,     // the radio did not answer, or stopped answering
    Interrupted,  // a signal stopped it
};

struct Identified {
    Failure failure = Failure::None;
    IdentityInfo info;
};

// (done, total) after each block or row.
using ProgressFn = std::function<void(int done, int total)>;

struct Transfer {
    Failure failure = Failure::None;
    int acknowledged = 0;  // a write: packets the radio acknowledged, in order
};

// Each takes the radio document of the command: its port, its port-failure
// flag and its band limits.
//
// The handshake with three retries, as the main window's identification.
Identified identify(RadioDocument& radio);
// A whole-radio read into `image` (rows 0..787); `image` changes only when
// every block arrived.
Transfer readRadio(RadioDocument& radio, Image& image, const ProgressFn& progress);
// The rows of `blocks` (64-byte blocks, rows 4b..4b+3) into `image`, only
// when every block arrived.
Transfer readBlocks(RadioDocument& radio, Image& image, const std::vector<int>& blocks, const ProgressFn& progress);
// A whole-radio write of rows 0..783 of `image`, one attempt.
Transfer writeRadio(RadioDocument& radio, const Image& image, const ProgressFn& progress);
// Rows `rows` of `image` (ascending), one attempt.
Transfer writeRows(RadioDocument& radio, const Image& image, const std::vector<int>& rows, const ProgressFn& progress);

}  // namespace vx::cli
