#pragma once
// The step written straight from the balance formulas: every per-cell quantity
// formed again at each use, every intermediate in extended precision (the C
// library's logl), rounded only when stored; no fault detection, no shortcut.
// It takes the model's types and constants but none of its code: the model's
// tests compare the model with it bit for bit, and the benchmarks time the
// model against it.

#include "model/modelstate.h"

#include <cmath>
#include <span>

namespace calidor::test {

using L = long double;
/// A whole node array, read (the step's start) or written (its end).
using OldNodes = std::span<const NodeRecord, NodeCapacity>;
using NewNodes = std::span<NodeRecord, NodeCapacity>;

/// cp × ln((T + 273.15) / 273.15) with the C library's extended logarithm.
inline double referenceEntropie(double cp, double T) {
    return static_cast<double>(L(cp) * logl((L(T) + 273.15L) / 273.15L));
}

/// The temperatures of one step, each formula as written: capacities,
/// conductances and capacity rates formed inside it, left to right.
inline void referenceStepTemperatures(const ModelParameters& p, L dx, OldNodes o, NewNodes n) {
    const L co = p.cocourant;
    for (int i = 1; i <= N; ++i) {
        n[i].Tc = static_cast<double>(o[i].Tc + p.dt / (dx / p.Lech * p.Mc * p.Cpc) *
                                                    (L(p.Kc) * p.sigmac * dx * (L(o[i].Tp) - o[i].Tc) +
                                                     L(p.debc) * p.Cpc * (L(o[i - 1].Tc) - o[i].Tc)));
        n[i].Tp = static_cast<double>(o[i].Tp + p.dt / (dx / p.Lech * p.Mp * p.Cpp) *
                                                    (L(p.Kf) * p.sigmaf * dx * (L(o[i].Tf) - o[i].Tp) +
                                                     L(p.Kc) * p.sigmac * dx * (L(o[i].Tc) - o[i].Tp) +
                                                     L(lambdap) * Sp / dx * (L(o[i - 1].Tp) - o[i].Tp) +
                                                     L(lambdap) * Sp / dx * (L(o[i + 1].Tp) - o[i].Tp)));
        n[i].Tf = static_cast<double>(o[i].Tf + p.dt / (dx / p.Lech * p.Mf * p.Cpf) *
                                                    (L(p.Kf) * p.sigmaf * dx * (L(o[i].Tp) - o[i].Tf) +
                                                     co * p.debf * p.Cpf * (L(o[i - 1].Tf) - o[i].Tf) +
                                                     (1 - co) * p.debf * p.Cpf * (L(o[i + 1].Tf) - o[i].Tf)));
    }
    if (p.cocourant == 0)
        n[0].Tf = static_cast<double>(o[0].Tf + p.dt / (dx / p.Lech * p.Mf * p.Cpf) *
                                                    (L(p.Kf) * p.sigmaf * dx * (L(o[0].Tp) - o[0].Tf) +
                                                     (1 - co) * p.debf * p.Cpf * (L(o[1].Tf) - o[0].Tf)));
    n[0].Tp = n[1].Tp;
    n[N + 1].Tp = n[N].Tp;
}

/// Powers, specific entropies and entropy production of one step, as written.
inline void referenceBalances(const ModelParameters& p, L dx, OldNodes o, NewNodes n, double& Pc, double& Pf,
                              double& Sgen) {
    const L co = p.cocourant;
    Pc = static_cast<double>(L(p.debc) * p.Cpc * (L(n[0].Tc) - n[N].Tc));
    Pf = p.cocourant == 1 ? static_cast<double>(L(p.debf) * p.Cpf * (L(n[N].Tf) - n[0].Tf))
                          : static_cast<double>(L(p.debf) * p.Cpf * (L(n[1].Tf) - n[N + 1].Tf));
    for (int i = 1; i <= N; ++i) {
        n[i].sc = referenceEntropie(p.Cpc, n[i].Tc);
        n[i].sf = referenceEntropie(p.Cpf, n[i].Tf);
        n[i].sp = referenceEntropie(p.Cpp, n[i].Tp);
    }
    double hot = 0, cold = 0, wall = 0;
    for (int i = 1; i <= N; ++i) {
        hot = static_cast<double>((dx / p.Lech * p.Mc * (L(n[i].sc) - o[i].sc) / p.dt + hot) -
                                  L(p.Kc) * p.sigmac * dx * (L(o[i].Tp) - o[i].Tc) / (273.15L + o[i].Tp) -
                                  (L(o[i - 1].sc) - o[i].sc) * p.debc);
        cold = static_cast<double>((dx / p.Lech * p.Mf * (L(n[i].sf) - o[i].sf) / p.dt + cold) -
                                   L(p.Kf) * p.sigmaf * dx * (L(o[i].Tp) - o[i].Tf) / (273.15L + o[i].Tp) -
                                   co * p.debf * (L(o[i - 1].sf) - o[i].sf) -
                                   (1 - co) * p.debf * (L(o[i + 1].sf) - o[i].sf));
        wall =
            static_cast<double>((dx / p.Lech * p.Mp * (L(n[i].sp) - o[i].sp) / p.dt + wall) -
                                L(p.Kc) * p.sigmac * dx * (L(o[i].Tc) - o[i].Tp) / (273.15L + o[i].Tp) -
                                L(p.Kf) * p.sigmaf * dx * (L(o[i].Tf) - o[i].Tp) / (273.15L + o[i].Tp) -
                                L(lambdap) * Sp / dx * (L(o[i - 1].Tp) - o[i].Tp) / (273.15L + o[i - 1].Tp) -
                                L(lambdap) * Sp / dx * (L(o[i + 1].Tp) - o[i].Tp) / (273.15L + o[i + 1].Tp));
    }
    Sgen = static_cast<double>((L(hot) + cold) + wall);
}

// ---- The same on a model state ----

inline void referenceStepTemperatures(ModelState& m) {
    referenceStepTemperatures(m.params, m.dx, m.oldNodes, m.newNodes);
}

inline void referenceBalances(ModelState& m) {
    referenceBalances(m.params, m.dx, m.oldNodes, m.newNodes, m.Pc, m.Pf, m.Sgen);
}

inline void referenceFinishStep(ModelState& m) {
    m.time = static_cast<double>(L(m.time) + m.params.dt);
    m.nstep = m.nstep + 1;
    m.oldNodes = m.newNodes;
}

inline void referenceStep(ModelState& m) {
    referenceStepTemperatures(m);
    referenceBalances(m);
    referenceFinishStep(m);
}

} // namespace calidor::test
