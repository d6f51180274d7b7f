#pragma once
// The steady temperature profiles of the continuous exchanger, in closed form:
// the balances of the cells in the limit of infinitely many of them, without
// conduction along the wall. What the 100-cell model tends to at steady state,
// short of its numerical diffusion (first order in dx) and of the little heat
// the wall conducts along itself.

#include "model/modelstate.h"

#include <vector>

namespace calidor {

/// The three temperatures at one place along the exchanger, °C.
struct SteadyPoint {
    double x = 0;  // m from the hot inlet
    double Tc = 0; // hot fluid
    double Tf = 0; // cold fluid
    double Tp = 0; // wall
};

/// The steady profiles at `points` places evenly spread from x = 0 to Lech
/// (the ends included; at least 2), for the parameters' inlet temperatures,
/// flows, conductances and arrangement. Empty when the parameters leave the
/// solution undefined (no flow, no length, no conductance on either side) or
/// when it is not finite.
///
/// With hc = Kc·sigmac and hf = Kf·sigmaf per metre, the wall sits where the
/// two convective flows balance, Tp = (hc·Tc + hf·Tf) / (hc + hf), so the fluids
/// exchange U·(Tc − Tf) per metre with U = hc·hf / (hc + hf):
///   Cc·dTc/dx = −U·(Tc − Tf),   ±Cf·dTf/dx = U·(Tc − Tf)   (+ co-current, − counter-current)
/// The difference Δ = Tc − Tf is then exponential in x, Δ(x) = Δ(0)·e^(−m·x), with
/// m = U(1/Cc + 1/Cf) co-current and U(1/Cc − 1/Cf) counter-current, and
///   Tc(x) = Tc,in − (U/Cc)·Δ(0)·x·(1 − e^(−m·x))/(m·x).
/// In counter-current Δ(0) follows from the hot outlet that the effectiveness
/// gives, which keeps the whole solution smooth through Cc = Cf (m = 0).
std::vector<SteadyPoint> steadyProfile(const ModelParameters& p, int points);

} // namespace calidor
