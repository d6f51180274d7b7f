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

/// time += dt, nstep += 1, and records 0 to N + 1 of newNodes copied onto
/// oldNodes (the records above are never written: zero in both arrays). With
/// the shortcuts off (model.cache.enabled false), every record is copied.
void FinishStep(ModelState& model);

/// One whole step of the model: StepTemperatures, ComputeBalances, then
/// FinishStep. Raises ArithmeticFault as they do; a fault leaves time and
/// nstep as they were.
void AdvanceStep(ModelState& model);

} // namespace calidor
