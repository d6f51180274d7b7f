#include "model/timestep.h"

#include "model/arithmeticfault.h"

namespace calidor {

namespace {

using ext = long double;
constexpr const char* Phase = "pas de temps";

// Every per-cell quantity below is formed in extended precision, exactly as
// the written formulas group it, and never rounded on its own: holding it in
// an extended local gives the same bits as forming it again at each use.
// Each keeps its own fault flags, so that a faulty one (a zero mass, say)
// stops the step only at the first formula that uses it.
struct Coefficient {
    ext value;
    unsigned faults;
};

template <class Compute> Coefficient formed(Compute compute) {
    Coefficient c{compute(), 0};
    fpu::settle(c.value);
    c.faults = fpu::takeFlags();
    return c;
}

struct CellCoefficients {
    Coefficient hotFactor;       // dt / ((dx / Lech) × Mc × Cpc)
    Coefficient wallFactor;      // dt / ((dx / Lech) × Mp × Cpp)
    Coefficient coldFactor;      // dt / ((dx / Lech) × Mf × Cpf)
    Coefficient Gc;              // Kc × sigmac × dx: hot fluid to wall, W/K
    Coefficient Gf;              // Kf × sigmaf × dx: cold fluid to wall, W/K
    Coefficient Gw;              // lambdap × Sp / dx: wall slice to wall slice, W/K
    Coefficient hotRate;         // debc × Cpc, W/K
    Coefficient coldRateCo;      // co × debf × Cpf: co-current inflow from node i − 1
    Coefficient coldRateCounter; // (1 − co) × debf × Cpf: counter-current inflow from node i + 1

    unsigned hotFaults() const { return hotFactor.faults | Gc.faults | hotRate.faults; }
    unsigned wallFaults() const { return wallFactor.faults | Gf.faults | Gc.faults | Gw.faults; }
    unsigned coldFaults() const {
        return coldFactor.faults | Gf.faults | coldRateCo.faults | coldRateCounter.faults;
    }
    unsigned coldEndFaults() const { return coldFactor.faults | Gf.faults | coldRateCounter.faults; }
};

CellCoefficients coefficients(const ModelState& m) {
    const ModelParameters& p = m.params;
    const ext dx = m.dx;
    const ext co = p.cocourant;
    CellCoefficients c;
    c.hotFactor = formed([&] { return ext(p.dt) / (dx / p.Lech * p.Mc * p.Cpc); });
    c.wallFactor = formed([&] { return ext(p.dt) / (dx / p.Lech * p.Mp * p.Cpp); });
    c.coldFactor = formed([&] { return ext(p.dt) / (dx / p.Lech * p.Mf * p.Cpf); });
    c.Gc = formed([&] { return ext(p.Kc) * p.sigmac * dx; });
    c.Gf = formed([&] { return ext(p.Kf) * p.sigmaf * dx; });
    c.Gw = formed([&] { return ext(lambdap) * Sp / dx; });
    c.hotRate = formed([&] { return ext(p.debc) * p.Cpc; });
    c.coldRateCo = formed([&] { return co * p.debf * p.Cpf; });
    c.coldRateCounter = formed([&] { return (1 - co) * p.debf * p.Cpf; });
    return c;
}

} // namespace

void BeginRun(ModelState& model) {
    fpu::clearFaults();
    model.time = 0;
    fpu::store(model.dx, static_cast<double>(ext(model.params.Lech) / N), "début de calcul");
}

void StepTemperatures(ModelState& model) {
    fpu::clearFaults();
    // 0. The same inputs as the last complete computation, whose results are
    //    still in place: the formulas would store the same bits again.
    if (model.cache.enabled && model.cache.temperatures.matches(model)) {
        ++model.cache.skippedPhases;
        return;
    }
    const CellCoefficients c = coefficients(model);
    const NodeArray& o = model.oldNodes;
    NodeArray& n = model.newNodes;

    // 1. Cells 1 to N. Each slice's balance: convection with the wall (or,
    //    for the wall, with both fluids), enthalpy carried in from upstream,
    //    conduction from both neighbouring wall slices; the bracket is times
    //    dt / capacity, and the old temperature is added last:
    //      T'_i = T_i + dt / C × ( Σ G × (T_other − T_i) + rate × (T_upstream − T_i) )
    //    A cell's capacity and conductances are formed inside each formula;
    //    the factor above holds them unrounded. The switched-off cold inflow
    //    is still formed and multiplied by zero.
    const unsigned hotFaults = c.hotFaults(), wallFaults = c.wallFaults(), coldFaults = c.coldFaults();
    const ext hotFactor = c.hotFactor.value, wallFactor = c.wallFactor.value, coldFactor = c.coldFactor.value;
    const ext Gc = c.Gc.value, Gf = c.Gf.value, Gw = c.Gw.value, hotRate = c.hotRate.value;
    const ext coldRateCo = c.coldRateCo.value, coldRateCounter = c.coldRateCounter.value;
    for (int i = 1; i <= N; ++i) {
        const ext Tc = o[i].Tc, Tf = o[i].Tf, Tp = o[i].Tp;
        // Hot fluid, flowing from node 0 towards node N.
        fpu::store(n[i].Tc,
                   static_cast<double>(Tc + hotFactor * (Gc * (Tp - Tc) + hotRate * (o[i - 1].Tc - Tc))),
                   hotFaults, Phase);
        // Wall: both fluids, then the wall slices on either side.
        fpu::store(n[i].Tp,
                   static_cast<double>(Tp + wallFactor * (Gf * (Tf - Tp) + Gc * (Tc - Tp) +
                                                          Gw * (o[i - 1].Tp - Tp) + Gw * (o[i + 1].Tp - Tp))),
                   wallFaults, Phase);
        // Cold fluid: from node i − 1 in co-current, from node i + 1 in counter-current.
        fpu::store(n[i].Tf,
                   static_cast<double>(Tf + coldFactor * (Gf * (Tp - Tf) + coldRateCo * (o[i - 1].Tf - Tf) +
                                                          coldRateCounter * (o[i + 1].Tf - Tf))),
                   coldFaults, Phase);
    }

    // 2. Counter-current only: the cold fluid of node 0 is one more cell, fed
    //    by node 1, with node 0's wall temperature.
    if (model.params.cocourant == 0) {
        const ext Tf = o[0].Tf, Tp = o[0].Tp;
        fpu::store(n[0].Tf,
                   static_cast<double>(Tf + coldFactor * (Gf * (Tp - Tf) + coldRateCounter * (o[1].Tf - Tf))),
                   c.coldEndFaults(), Phase);
    }

    // 3. Wall ends copy their neighbours: no heat leaves through the ends.
    n[0].Tp = n[1].Tp;
    n[N + 1].Tp = n[N].Tp;

    // 4. Only a computation that stored everything without a fault is remembered.
    if (model.cache.enabled)
        model.cache.temperatures.remember(model);
}

} // namespace calidor
