#include "cli/interrupt.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace vx::cli {

namespace {

std::atomic<int> gSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onSignal(int signal)
{
    if (gSignal.exchange(signal) != 0)
        std::_Exit(kExitInterrupted);  // the second one: at once
}

}  // namespace

void catchInterrupts()
{
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, onSignal);
#endif
}

int interruptSignal() { return gSignal.load(); }

}  // namespace vx::cli
