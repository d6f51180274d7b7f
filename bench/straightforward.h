#pragma once
// For comparison: the same formulas written the straightforward way, in
// extended precision with the C library's logl, no fault detection, every
// formula every step and the whole-array copy. The benchmarks run it beside
// the model, compiled the same way.
#include "model/modelstate.h"

#include <cmath>
#include <cstring>

namespace reference {

using calidor::lambdap;
using calidor::ModelParameters;
using calidor::N;
using calidor::NodeCapacity;
using calidor::Sp;
using calidor::ZeroCelsius;

struct Node {
    double Tc, Tf, Tp, sc, sf, sp;
};
inline Node oldN[NodeCapacity], newN[NodeCapacity];

inline long double s(double cp, double T) {
    return cp * logl((T + ZeroCelsius) / ZeroCelsius);
}

inline void step(const ModelParameters& p, double dx, double& time, int& nstep, double& Pc, double& Pf,
                 double& Sgen) {
    const int co = p.cocourant;
    for (int i = 1; i <= N; ++i) {
        newN[i].Tc =
            oldN[i].Tc + (long double)p.dt / ((long double)dx / p.Lech * p.Mc * p.Cpc) *
                             ((long double)p.Kc * p.sigmac * dx * ((long double)oldN[i].Tp - oldN[i].Tc) +
                              (long double)p.debc * p.Cpc * ((long double)oldN[i - 1].Tc - oldN[i].Tc));
        newN[i].Tp =
            oldN[i].Tp + (long double)p.dt / ((long double)dx / p.Lech * p.Mp * p.Cpp) *
                             ((long double)p.Kf * p.sigmaf * dx * ((long double)oldN[i].Tf - oldN[i].Tp) +
                              (long double)p.Kc * p.sigmac * dx * ((long double)oldN[i].Tc - oldN[i].Tp) +
                              (long double)lambdap * Sp / dx * ((long double)oldN[i - 1].Tp - oldN[i].Tp) +
                              (long double)lambdap * Sp / dx * ((long double)oldN[i + 1].Tp - oldN[i].Tp));
        newN[i].Tf =
            oldN[i].Tf +
            (long double)p.dt / ((long double)dx / p.Lech * p.Mf * p.Cpf) *
                ((long double)p.Kf * p.sigmaf * dx * ((long double)oldN[i].Tp - oldN[i].Tf) +
                 (long double)co * p.debf * p.Cpf * ((long double)oldN[i - 1].Tf - oldN[i].Tf) +
                 (long double)(1 - co) * p.debf * p.Cpf * ((long double)oldN[i + 1].Tf - oldN[i].Tf));
    }
    if (co == 0)
        newN[0].Tf =
            oldN[0].Tf + (long double)p.dt / ((long double)dx / p.Lech * p.Mf * p.Cpf) *
                             ((long double)p.Kf * p.sigmaf * dx * ((long double)oldN[0].Tp - oldN[0].Tf) +
                              (long double)p.debf * p.Cpf * ((long double)oldN[1].Tf - oldN[0].Tf));
    newN[0].Tp = newN[1].Tp;
    newN[N + 1].Tp = newN[N].Tp;
    Pc = (long double)p.debc * p.Cpc * ((long double)newN[0].Tc - newN[N].Tc);
    Pf = co ? (long double)p.debf * p.Cpf * ((long double)newN[N].Tf - newN[0].Tf)
            : (long double)p.debf * p.Cpf * ((long double)newN[1].Tf - newN[N + 1].Tf);
    for (int i = 1; i <= N; ++i) {
        newN[i].sc = s(p.Cpc, newN[i].Tc);
        newN[i].sf = s(p.Cpf, newN[i].Tf);
        newN[i].sp = s(p.Cpp, newN[i].Tp);
    }
    double hot = 0, cold = 0, wall = 0;
    for (int i = 1; i <= N; ++i) {
        const Node &o = oldN[i], &n = newN[i];
        hot = ((long double)dx / p.Lech * p.Mc * ((long double)n.sc - o.sc) / p.dt + hot) -
              (long double)p.Kc * p.sigmac * dx * ((long double)o.Tp - o.Tc) / (ZeroCelsius + o.Tp) -
              ((long double)oldN[i - 1].sc - o.sc) * p.debc;
        cold = ((long double)dx / p.Lech * p.Mf * ((long double)n.sf - o.sf) / p.dt + cold) -
               (long double)p.Kf * p.sigmaf * dx * ((long double)o.Tp - o.Tf) / (ZeroCelsius + o.Tp) -
               (long double)co * p.debf * ((long double)oldN[i - 1].sf - o.sf) -
               (long double)(1 - co) * p.debf * ((long double)oldN[i + 1].sf - o.sf);
        wall = ((long double)dx / p.Lech * p.Mp * ((long double)n.sp - o.sp) / p.dt + wall) -
               (long double)p.Kc * p.sigmac * dx * ((long double)o.Tc - o.Tp) / (ZeroCelsius + o.Tp) -
               (long double)p.Kf * p.sigmaf * dx * ((long double)o.Tf - o.Tp) / (ZeroCelsius + o.Tp) -
               (long double)lambdap * Sp / dx * ((long double)oldN[i - 1].Tp - o.Tp) /
                   (ZeroCelsius + oldN[i - 1].Tp) -
               (long double)lambdap * Sp / dx * ((long double)oldN[i + 1].Tp - o.Tp) /
                   (ZeroCelsius + oldN[i + 1].Tp);
    }
    Sgen = ((long double)hot + cold) + wall;
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
    for (Node* nodes : {oldN, newN}) {
        for (int i = 0; i <= N + 1; ++i)
            nodes[i] = Node{p.Tinit,
                            p.Tinit,
                            p.Tinit,
                            (double)s(p.Cpc, p.Tinit),
                            (double)s(p.Cpf, p.Tinit),
                            (double)s(p.Cpp, p.Tinit)};
        nodes[0].Tc = p.Tec;
        nodes[0].Tf = p.Tef;
        nodes[N + 1].Tf = p.Tef;
        nodes[0].sc = (double)s(p.Cpc, p.Tec);
        nodes[0].sf = (double)s(p.Cpf, p.Tef);
        nodes[N + 1].sf = (double)s(p.Cpf, p.Tef);
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
