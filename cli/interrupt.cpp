#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

namespace torbex::cli {
namespace {

std::atomic<bool> g_catching{false};
std::atomic<bool> g_requested{false};

extern "C" void onInterrupt(int signal) {
    if (g_catching.load()) {
        g_requested.store(true);
        return;
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void installInterruptHandler() { std::signal(SIGINT, onInterrupt); }

CatchInterrupt::CatchInterrupt() {
    g_requested.store(false);
    g_catching.store(true);
}

CatchInterrupt::~CatchInterrupt() { g_catching.store(false); }

bool interruptRequested() { return g_requested.load(); }

}  // namespace torbex::cli
