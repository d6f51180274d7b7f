#pragma once
// The largest time step for which the explicit scheme stays stable with the
// present parameters, used to tell the user why a run diverged.

#include "model/modelstate.h"

namespace calidor {

/// The slice that limits the time step.
enum class StabilitySlice { HotFluid, ColdFluid, Wall };

struct StabilityLimit {
    double dt = 0; ///< s; 0 when no limit can be formed (a zero or negative capacity, length or conductance)
    StabilitySlice slice = StabilitySlice::Wall;
};

/// The time step above which the fastest oscillation of some slice grows
/// from step to step. A slice of capacity C exchanging with conductances G
/// (and carrying in a flow of capacity rate q from upstream) updates as
///   T' = T + dt / C × ( Σ G × (T_other − T) + q × (T_up − T) );
/// a disturbance that alternates from one cell to the next is multiplied
/// each step by 1 − dt / C × (Σ G + 2 q) for a fluid and by
/// 1 − dt / C × (Gf + Gc + 4 Gw) for the wall, so it grows once that factor
/// falls below −1: dt > 2 C / (Σ G + 2 q), or 2 C / (Gf + Gc + 4 Gw).
/// That slice's bound names the slice; the limit given is the model's own
/// (stableTimeStep: the eigenvalues of the whole step and the fluids'
/// transport), the figure the balance window shows. A dense eigenvalue
/// problem: tens of milliseconds, once per fault.
StabilityLimit explicitStabilityLimit(const ModelParameters& p, double dx);

} // namespace calidor
