#pragma once
// Helpers shared by the model's tests: states on the heap, comparison of
// doubles by their bits, a scan for non-finite values, the run loop as the
// worker drives it, and a reference step written straight from the balance
// formulas (every per-cell quantity formed again at each use, every
// intermediate in extended precision, rounded only when stored).

#include "model/balances.h"
#include "model/modelstate.h"
#include "model/timestep.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace calidor::test {

using L = long double;

/// A fresh model state at its start-up values (480 KB: never on the stack).
inline std::unique_ptr<ModelState> newModel() {
    return std::make_unique<ModelState>();
}

/// A copy of a state, on the heap.
inline std::unique_ptr<ModelState> copyOf(const ModelState& m) {
    return std::make_unique<ModelState>(m);
}

inline std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

/// gtest predicate-format: the two doubles have the same bits.
inline ::testing::AssertionResult SameBits(const char* ea, const char* eb, double a, double b) {
    if (bits(a) == bits(b))
        return ::testing::AssertionSuccess();
    char text[160];
    std::snprintf(text, sizeof text, "%.17g (0x%016llx) vs %.17g (0x%016llx)", a,
                  static_cast<unsigned long long>(bits(a)), b, static_cast<unsigned long long>(bits(b)));
    return ::testing::AssertionFailure() << ea << " and " << eb << " differ: " << text;
}
#define EXPECT_SAME_BITS(a, b) EXPECT_PRED_FORMAT2(::calidor::test::SameBits, a, b)

/// Number of values of the state that are infinities or NaNs: every numeric
/// parameter, dx, all six fields of all records of both arrays, time and the
/// three results.
inline int nonFiniteCount(const ModelState& m) {
    int count = 0;
    auto check = [&](double v) { count += std::isfinite(v) ? 0 : 1; };
    const ModelParameters& p = m.params;
    for (double v : {p.Tef, p.Tec, p.Tinit, p.Cpf, p.Cpc, p.Cpp, p.debf, p.debc, p.Mf, p.Mc, p.Mp, p.tmax,
                     p.dt, p.Kf, p.Kc, p.sigmaf, p.sigmac, p.Lech})
        check(v);
    for (const NodeArray* nodes : {&m.oldNodes, &m.newNodes})
        for (const NodeRecord& r : *nodes)
            for (double v : {r.Tc, r.Tf, r.Tp, r.sc, r.sf, r.sp})
                check(v);
    for (double v : {m.dx, m.time, m.Pc, m.Pf, m.Sgen})
        check(v);
    return count;
}

/// Records first..last of two arrays hold the same bytes.
inline bool sameRecords(const NodeArray& a, const NodeArray& b, int first = 0, int last = NodeCapacity - 1) {
    return std::memcmp(&a[first], &b[first],
                       sizeof(NodeRecord) * static_cast<std::size_t>(last - first + 1)) == 0;
}

/// Records first..last hold nothing but zero bits.
inline bool zeroRecords(const NodeArray& a, int first, int last) {
    static const NodeRecord zero{};
    for (int i = first; i <= last; ++i)
        if (std::memcmp(&a[i], &zero, sizeof zero) != 0)
            return false;
    return true;
}

/// One pass of the worker's loop.
inline void oneStep(ModelState& m) {
    AdvanceStep(m);
}

/// What a run loop did.
struct RunRecord {
    long steps = 0;
    long refreshes = 0; // steps that brought nstep to a multiple of RefreshPeriod
    std::int64_t lastRefreshNstep = -1;
    double timeBeforeLastStep = 0;
};

/// The worker's run loop: BeginRun, then steps until time is no longer below
/// tmax (at least one step).
inline RunRecord runToEnd(ModelState& m) {
    RunRecord r;
    BeginRun(m);
    do {
        r.timeBeforeLastStep = m.time;
        oneStep(m);
        ++r.steps;
        if (m.nstep % RefreshPeriod == 0) {
            ++r.refreshes;
            r.lastRefreshNstep = m.nstep;
        }
    } while (m.time < m.params.tmax);
    return r;
}

// ---- Reference arithmetic, written from the balance formulas ----

/// cp × ln((T + 273.15) / 273.15) with the C library's extended logarithm.
inline double referenceEntropie(double cp, double T) {
    return static_cast<double>(L(cp) * logl((L(T) + 273.15L) / 273.15L));
}

/// The temperatures of one step, each formula as written: capacities,
/// conductances and capacity rates formed inside it, left to right.
inline void referenceStepTemperatures(ModelState& m) {
    const ModelParameters& p = m.params;
    const NodeArray& o = m.oldNodes;
    NodeArray& n = m.newNodes;
    const L dx = m.dx;
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
inline void referenceBalances(ModelState& m) {
    const ModelParameters& p = m.params;
    const NodeArray& o = m.oldNodes;
    NodeArray& n = m.newNodes;
    const L dx = m.dx;
    const L co = p.cocourant;
    m.Pc = static_cast<double>(L(p.debc) * p.Cpc * (L(n[0].Tc) - n[N].Tc));
    m.Pf = p.cocourant == 1 ? static_cast<double>(L(p.debf) * p.Cpf * (L(n[N].Tf) - n[0].Tf))
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
    m.Sgen = static_cast<double>((L(hot) + cold) + wall);
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
