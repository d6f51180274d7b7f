#pragma once
// How large a time step the explicit scheme can take. The step is linear in
// the temperatures: T' = T + dt·A·T + b, with A the 3N × 3N matrix of the
// cells' conductances and capacity rates over their capacities (per second)
// and b what the fixed inlets bring. An error e grows as (I + dt·A)^k e, so the
// scheme is stable when every eigenvalue λ of A keeps |1 + dt·λ| ≤ 1; and each
// new temperature is a weighted average of old ones (nothing overshoots) when
// no diagonal coefficient 1 − dt·ΣG/C turns negative.

#include "model/modelstate.h"

namespace calidor {

/// The two limits of the time step for the parameters, s. Each is NaN when
/// the parameters leave it undefined (a zero capacity, a zero length), and
/// +∞ when nothing limits dt (every eigenvalue zero, no conductance).
struct TimeStepLimits {
    double dtStable = 0;   // largest dt with |1 + dt·λ| ≤ 1 for every eigenvalue λ of A
    double dtPositive = 0; // largest dt with every coefficient of the update at or above zero
};

/// Largest dt for which every new temperature is a weighted average of old
/// ones: the smallest C / ΣG over the hot, wall and cold cells (a wall cell
/// exchanges with both fluids and both neighbouring slices).
double positiveTimeStep(const ModelParameters& p);

/// Largest dt that keeps every eigenvalue of the step inside the unit disc,
/// found from the eigenvalues of A (the counter-current end cell at node 0
/// adds one of its own, its diagonal). 0 when A itself has an eigenvalue with
/// a positive real part (the parameters make the system grow whatever dt).
/// Costs tens of milliseconds (a dense 300 × 300 eigenvalue problem): callers
/// compute it once per parameter set.
double eigenvalueTimeStep(const ModelParameters& p);

/// Largest dt for which a fluid's upwind transport does not amplify a
/// wiggle as it crosses the exchanger. A fluid cell's update is
/// T' = (1 − a − g)·T + a·T_upstream + g·T_wall (a = dt·rate/C, g = dt·G/C); a
/// wiggle from cell to cell grows by |1 − 2a − g| per step while it travels,
/// so 2a + g ≤ 2, dt ≤ 2C / (2·rate + G). The eigenvalues miss it: the flow
/// makes A far from normal (an eigenvalue of a pure transport chain is the
/// diagonal alone), and such a wiggle, though it leaves the exchanger after N
/// steps, grows by 10^40 on the way when the fluids set the pace.
double transportTimeStep(const ModelParameters& p);

/// The stability limit shown to the user: the smaller of the two above.
double stableTimeStep(const ModelParameters& p);

TimeStepLimits timeStepLimits(const ModelParameters& p);

/// Whether two parameter sets give the same limits (dt, the temperatures and
/// tmax do not enter them).
bool sameStabilityParameters(const ModelParameters& a, const ModelParameters& b);

} // namespace calidor
