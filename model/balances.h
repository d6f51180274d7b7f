#pragma once
// What each step yields besides the temperatures: the powers of both fluids
// between inlet and outlet and the exchanger's total entropy production; then
// the end of the step.

#include "model/modelstate.h"

namespace calidor {

/// Powers Pc and Pf (W), the specific entropies of cells 1 to N in newNodes
/// and the entropy production Sgen (W/K). Raises ArithmeticFault (zero dt,
/// zero length, an absolute temperature at or below zero); what was stored
/// before the fault stays.
void ComputeBalances(ModelState& model);

/// time += dt, nstep += 1, and the whole of newNodes (every record) copied
/// onto oldNodes.
void FinishStep(ModelState& model);

} // namespace calidor
