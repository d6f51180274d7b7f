#pragma once
// A whole run without a window, stepped as the worker steps it: what the
// benchmarks that time whole runs share.

#include "model/acquisition.h"
#include "model/balances.h"
#include "model/timestep.h"

#include <chrono>

namespace calidor::bench {

/// Puts the exchanger in its initial state (untimed), then steps from BeginRun
/// until the end time, as the worker does; returns the run's wall time, in
/// seconds.
inline double timedHeadlessRun(ModelState& model) {
    etat_initial(model);
    const auto start = std::chrono::steady_clock::now();
    BeginRun(model);
    do {
        AdvanceStep(model);
    } while (model.time < model.params.tmax);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace calidor::bench
