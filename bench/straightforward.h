#pragma once
// For comparison: the model's formulas written the straightforward way, the
// tests' reference step (tests/model/reference.h) on arrays of its own: in
// extended precision with the C library's logl, no fault detection, every
// formula every step and the whole-array copy. The benchmarks run it beside
// the model, compiled the same way.
#include "model/modelstate.h"
#include "tests/model/reference.h"

#include <cstring>

namespace reference {

using calidor::ModelParameters;
using calidor::N;
using calidor::NodeCapacity;
using calidor::NodeRecord;
using calidor::test::referenceEntropie;

inline NodeRecord oldN[NodeCapacity], newN[NodeCapacity];

inline void step(const ModelParameters& p, double dx, double& time, int& nstep, double& Pc, double& Pf,
                 double& Sgen) {
    calidor::test::referenceStepTemperatures(p, dx, oldN, newN);
    calidor::test::referenceBalances(p, dx, oldN, newN, Pc, Pf, Sgen);
    time = time + (long double)p.dt;
    ++nstep;
    std::memcpy(oldN, newN, sizeof newN);
}

/// A whole run from the start-up arrays (all zero): the exchanger at Tinit,
/// the inlets, then steps until time is no longer below tmax.
struct Run {
    double time = 0, Pc = 0, Pf = 0, Sgen = 0;
    int nstep = 0;
};

inline void initialState(const ModelParameters& p) {
    for (NodeRecord* nodes : {oldN, newN}) {
        for (int i = 0; i <= N + 1; ++i)
            nodes[i] = NodeRecord{p.Tinit,
                                  p.Tinit,
                                  p.Tinit,
                                  referenceEntropie(p.Cpc, p.Tinit),
                                  referenceEntropie(p.Cpf, p.Tinit),
                                  referenceEntropie(p.Cpp, p.Tinit)};
        nodes[0].Tc = p.Tec;
        nodes[0].Tf = p.Tef;
        nodes[N + 1].Tf = p.Tef;
        nodes[0].sc = referenceEntropie(p.Cpc, p.Tec);
        nodes[0].sf = referenceEntropie(p.Cpf, p.Tef);
        nodes[N + 1].sf = referenceEntropie(p.Cpf, p.Tef);
    }
}

inline void wholeRun(const ModelParameters& p, Run& r) {
    const double dx = (double)((long double)p.Lech / N);
    r.time = 0;
    do
        step(p, dx, r.time, r.nstep, r.Pc, r.Pf, r.Sgen);
    while (r.time < p.tmax);
}

} // namespace reference
