#include "model/balances.h"

#include "model/arithmeticfault.h"
#include "model/timestep.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace calidor {

namespace {

using ext = long double;
constexpr const char* Phase = "bilans";

// Absolute temperature of a wall slice, in kelvins, in extended precision.
ext kelvin(double celsius) {
    return ZeroCelsius + celsius;
}

void computePowers(ModelState& m) {
    const ModelParameters& p = m.params;
    const NodeArray& n = m.newNodes;
    // Hot fluid from inlet (node 0) to outlet (node N).
    fpu::store(m.Pc, static_cast<double>(ext(p.debc) * p.Cpc * (ext(n[0].Tc) - n[N].Tc)), Phase);
    // Cold fluid: in counter-current its outlet is node 1, not the end cell at node 0.
    if (p.cocourant == 1)
        fpu::store(m.Pf, static_cast<double>(ext(p.debf) * p.Cpf * (ext(n[N].Tf) - n[0].Tf)), Phase);
    else
        fpu::store(m.Pf, static_cast<double>(ext(p.debf) * p.Cpf * (ext(n[1].Tf) - n[N + 1].Tf)), Phase);
}

// Stores cp × ln(...) of T into target, or the entropy last computed from the
// same bits of cp and T, which is the same value. The memo takes a value only
// once it has been stored, that is once its formula raised no fault.
void storeEntropy(double& target, EntropyMemo& memo, double cp, double T) {
    const auto cpBits = std::bit_cast<std::uint64_t>(cp), TBits = std::bit_cast<std::uint64_t>(T);
    if (memo.valid && memo.T == TBits && memo.cp == cpBits) {
        target = memo.s;
        return;
    }
    // specificEntropy leaves the flags alone: every store here tests them.
    fpu::store(target, specificEntropy(cp, T), Phase);
    memo = EntropyMemo{cpBits, TBits, target, true};
}

void updateEntropies(ModelState& m) {
    const ModelParameters& p = m.params;
    if (!m.cache.enabled) {
        for (int i = 1; i <= N; ++i) {
            NodeRecord& r = m.newNodes[i];
            fpu::store(r.sc, specificEntropy(p.Cpc, r.Tc), Phase);
            fpu::store(r.sf, specificEntropy(p.Cpf, r.Tf), Phase);
            fpu::store(r.sp, specificEntropy(p.Cpp, r.Tp), Phase);
        }
        return;
    }
    std::vector<EntropyMemo>& memos = m.cache.entropies;
    memos.resize(3 * N);
    for (int i = 1; i <= N; ++i) {
        NodeRecord& r = m.newNodes[i];
        EntropyMemo* cell = &memos[static_cast<std::size_t>(3 * (i - 1))];
        storeEntropy(r.sc, cell[0], p.Cpc, r.Tc);
        storeEntropy(r.sf, cell[1], p.Cpf, r.Tf);
        storeEntropy(r.sp, cell[2], p.Cpp, r.Tp);
    }
}

// Entropy production of every slice of cells 1 to N:
//   storage rate − heat inflows / absolute temperature of the wall slice that
//   gives or takes them − entropy carried in by the flow from upstream,
// summed node by node, each sum rounded to double after each node.
double entropyProduction(const ModelState& m) {
    const ModelParameters& p = m.params;
    const NodeArray& o = m.oldNodes;
    const NodeArray& n = m.newNodes;
    const ext dx = m.dx;
    const ext co = p.cocourant;
    double hot = 0, cold = 0, wall = 0;
    for (int i = 1; i <= N; ++i) {
        const ext Tc = o[i].Tc, Tf = o[i].Tf, Tp = o[i].Tp;
        fpu::store(hot,
                   static_cast<double>((dx / p.Lech * p.Mc * (ext(n[i].sc) - o[i].sc) / p.dt + hot) -
                                       ext(p.Kc) * p.sigmac * dx * (Tp - Tc) / kelvin(o[i].Tp) -
                                       (ext(o[i - 1].sc) - o[i].sc) * p.debc),
                   Phase);
        fpu::store(cold,
                   static_cast<double>((dx / p.Lech * p.Mf * (ext(n[i].sf) - o[i].sf) / p.dt + cold) -
                                       ext(p.Kf) * p.sigmaf * dx * (Tp - Tf) / kelvin(o[i].Tp) -
                                       co * p.debf * (ext(o[i - 1].sf) - o[i].sf) -
                                       (1 - co) * p.debf * (ext(o[i + 1].sf) - o[i].sf)),
                   Phase);
        fpu::store(
            wall,
            static_cast<double>((dx / p.Lech * p.Mp * (ext(n[i].sp) - o[i].sp) / p.dt + wall) -
                                ext(p.Kc) * p.sigmac * dx * (Tc - Tp) / kelvin(o[i].Tp) -
                                ext(p.Kf) * p.sigmaf * dx * (Tf - Tp) / kelvin(o[i].Tp) -
                                ext(lambdap) * Sp / dx * (ext(o[i - 1].Tp) - Tp) / kelvin(o[i - 1].Tp) -
                                ext(lambdap) * Sp / dx * (ext(o[i + 1].Tp) - Tp) / kelvin(o[i + 1].Tp)),
            Phase);
    }
    return fpu::checked((ext(hot) + cold) + wall, Phase);
}

} // namespace

void ComputeBalances(ModelState& model) {
    fpu::clearFaults();
    // The same inputs as the last complete computation, whose entropies are
    // still in place: only the three results need restoring.
    PhaseMemo& memo = model.cache.balances;
    if (model.cache.enabled && memo.matches(model)) {
        model.Pc = memo.Pc;
        model.Pf = memo.Pf;
        model.Sgen = memo.Sgen;
        ++model.cache.skippedPhases;
        return;
    }
    computePowers(model);
    updateEntropies(model);
    const double sgen = entropyProduction(model);
    model.Sgen = sgen;
    if (model.cache.enabled)
        memo.remember(model);
}

void AdvanceStep(ModelState& model) {
    StepTemperatures(model);
    ComputeBalances(model);
    FinishStep(model);
}

void FinishStep(ModelState& model) {
    fpu::clearFaults();
    fpu::store(model.time, static_cast<double>(ext(model.time) + model.params.dt), "fin de pas");
    model.nstep = model.nstep + 1;
    // Records above N + 1 are never written by any operation: they stay zero
    // in both arrays, and copying them would copy zeros onto zeros.
    if (model.cache.enabled)
        std::memcpy(model.oldNodes.data(), model.newNodes.data(), sizeof(NodeRecord) * (N + 2));
    else
        model.oldNodes = model.newNodes;
}

} // namespace calidor
