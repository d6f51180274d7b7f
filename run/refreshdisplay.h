#pragma once
// The display refresh of a run: a snapshot of the model state into the three
// charts and the time label, on the user-interface thread while the worker
// waits.

#include "model/modelstate.h"
#include "run/runwindow.h"

namespace calidor {

/// Copies a snapshot of the model state into the charts and the time label:
/// the profiles afresh, one point more on each far-end and balance curve, the
/// markers on the newest points, then the three charts painted at once.
void RefreshDisplay(const ModelState& model, RunWindow& window);

} // namespace calidor
