#pragma once
// Ctrl+C, SIGTERM and SIGHUP during a radio command. The first one is
// noted: the running transfer stops after the packet in flight and the
// command reports what the radio now holds. A second one ends the process
// at once with the same exit code.

namespace vx::cli {

inline constexpr int kExitInterrupted = 130;

// Installs the handlers (for the radio commands).
void catchInterrupts();
// The signal received first, or 0.
int interruptSignal();

}  // namespace vx::cli
