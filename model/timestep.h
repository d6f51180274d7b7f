#pragma once
// The explicit time step: each of the N cells holds a slice of hot fluid, of
// cold fluid and of wall, each at one temperature, advanced by a forward
// Euler energy balance from the state at the start of the step.

#include "model/modelstate.h"

namespace calidor {

/// Start of a run's loop: time := 0, dx := Lech / N.
void BeginRun(ModelState& model);

/// New temperatures of cells 1 to N (and of the counter-current end cell at
/// node 0, and the wall ends) in newNodes, from oldNodes and the parameters.
/// Raises ArithmeticFault on a zero divisor or an overflow; every temperature
/// stored before the fault stays.
void StepTemperatures(ModelState& model);

} // namespace calidor
