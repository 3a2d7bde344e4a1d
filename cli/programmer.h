#pragma once
// The radio operations of the command-line programmer, each run to its end
// on an event loop of its own: identification, and the whole-radio read and
// write with the dialogs' plans (same rows, retries and pauses).

#include "image/image.h"
#include "link/identity.h"
#include "link/transfer_plan.h"

#include <functional>
#include <optional>

namespace vx::cli {

enum class Failure {
    None,
    Port,       // the port would not open
    NoAnswer,   // the radio did not answer, or stopped answering
};

struct Identified {
    Failure failure = Failure::None;
    IdentityInfo info;
};

// (done, total) after each block or row.
using ProgressFn = std::function<void(int done, int total)>;

struct Transfer {
    Failure failure = Failure::None;
    int lastRowAcknowledged = -1;  // a write: the last row the radio took
};

// The handshake with three retries, as the main window's identification.
Identified identify();
// A whole-radio read into `image` (rows 0..787); `image` changes only when
// every block arrived.
Transfer readRadio(Image& image, const ProgressFn& progress);
// A whole-radio write of rows 0..783 of `image`, one attempt.
Transfer writeRadio(const Image& image, const ProgressFn& progress);

}  // namespace vx::cli
