#pragma once
// The display refresh of a run: a snapshot of the model state into the three
// charts and the time label, on the user-interface thread while the worker
// waits.

#include "model/modelstate.h"
#include "run/runrecord.h"
#include "run/runwindow.h"

namespace calidor {

/// Copies a snapshot of the model state into the charts and the time label:
/// the profiles afresh, one point more on each far-end and balance curve, the
/// markers on the newest points, then the three charts painted at once.
/// The same state goes into `record` first, when there is one.
void RefreshDisplay(const ModelState& model, RunWindow& window, RunRecord* record = nullptr);

/// The position of a node along the exchanger, node × dx in extended
/// precision rounded once, in metres: where the profiles put it.
double nodePosition(int node, double dx);

} // namespace calidor
