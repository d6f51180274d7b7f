#pragma once
// Helpers shared by the model's tests: states on the heap, comparison of
// doubles by their bits, a scan for non-finite values, the run loop as the
// worker drives it, and the reference step written straight from the balance
// formulas (reference.h).

#include "model/balances.h"
#include "model/modelstate.h"
#include "model/timestep.h"
#include "tests/model/reference.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace calidor::test {

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

} // namespace calidor::test
