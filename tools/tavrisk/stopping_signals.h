// SPDX-License-Identifier: MIT
// The signals that stop a run (SIGTERM, SIGHUP, SIGINT, SIGQUIT), held back while a file the run
// must not leave behind is made and named: a stop then falls before or after, never between.
#pragma once

#include <csignal>
#include <cstddef>

#include <signal.h>

namespace tavrisk_tool {

constexpr int kStoppingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr std::size_t kStoppingSignalCount = sizeof kStoppingSignals / sizeof kStoppingSignals[0];

// Holds the stopping signals back while it lives; one that came meanwhile is delivered when it
// ends.
class StoppingSignalsHeld {
public:
    StoppingSignalsHeld() {
        sigset_t stopping;
        sigemptyset(&stopping);
        for (int signal : kStoppingSignals) {
            sigaddset(&stopping, signal);
        }
        ::sigprocmask(SIG_BLOCK, &stopping, &before_);
    }
    ~StoppingSignalsHeld() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }
    StoppingSignalsHeld(StoppingSignalsHeld const&) = delete;
    StoppingSignalsHeld& operator=(StoppingSignalsHeld const&) = delete;

private:
    sigset_t before_;
};

}  // namespace tavrisk_tool
