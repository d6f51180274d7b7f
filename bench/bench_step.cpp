// One model step (temperatures, balances, end of step) from the default state
// a few seconds into a default run, where every cell is changing.
#include "model/acquisition.h"
#include "model/balances.h"
#include "model/timestep.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace calidor;

namespace {

std::unique_ptr<ModelState> warmedUpModel(int cocourant) {
    auto model = std::make_unique<ModelState>();
    model->params.cocourant = cocourant;
    etat_initial(*model);
    BeginRun(*model);
    for (int i = 0; i < 2000; ++i) {
        StepTemperatures(*model);
        ComputeBalances(*model);
        FinishStep(*model);
    }
    return model;
}

void oneStep(benchmark::State& state) {
    auto model = warmedUpModel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        StepTemperatures(*model);
        ComputeBalances(*model);
        FinishStep(*model);
        benchmark::DoNotOptimize(model->Sgen);
    }
}
BENCHMARK(oneStep)->Arg(1)->Arg(0)->ArgName("cocourant")->Unit(benchmark::kMicrosecond);

void temperaturesOnly(benchmark::State& state) {
    auto model = warmedUpModel(1);
    for (auto _ : state) {
        StepTemperatures(*model);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(temperaturesOnly)->Unit(benchmark::kMicrosecond);

void balancesOnly(benchmark::State& state) {
    auto model = warmedUpModel(1);
    StepTemperatures(*model);
    for (auto _ : state) {
        ComputeBalances(*model);
        benchmark::DoNotOptimize(model->Sgen);
    }
}
BENCHMARK(balancesOnly)->Unit(benchmark::kMicrosecond);

void endOfStepCopy(benchmark::State& state) {
    auto model = warmedUpModel(1);
    for (auto _ : state) {
        FinishStep(*model);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(endOfStepCopy)->Unit(benchmark::kMicrosecond);

} // namespace

// For comparison: the same formulas written the straightforward way, in
// extended precision with the C library's logl, no fault detection, and the
// same whole-array copy. The model's step must not be slower than this.
namespace reference {

struct Node {
    double Tc, Tf, Tp, sc, sf, sp;
};
Node oldN[NodeCapacity], newN[NodeCapacity];

long double s(double cp, double T) { return cp * logl((T + 273.15L) / 273.15L); }

void step(const ModelParameters& p, double dx, double& time, int& nstep, double& Pc, double& Pf, double& Sgen) {
    const int co = p.cocourant;
    for (int i = 1; i <= N; ++i) {
        newN[i].Tc = oldN[i].Tc + (long double)p.dt / ((long double)dx / p.Lech * p.Mc * p.Cpc) *
                                      ((long double)p.Kc * p.sigmac * dx * ((long double)oldN[i].Tp - oldN[i].Tc) +
                                       (long double)p.debc * p.Cpc * ((long double)oldN[i - 1].Tc - oldN[i].Tc));
        newN[i].Tp = oldN[i].Tp + (long double)p.dt / ((long double)dx / p.Lech * p.Mp * p.Cpp) *
                                      ((long double)p.Kf * p.sigmaf * dx * ((long double)oldN[i].Tf - oldN[i].Tp) +
                                       (long double)p.Kc * p.sigmac * dx * ((long double)oldN[i].Tc - oldN[i].Tp) +
                                       (long double)lambdap * Sp / dx * ((long double)oldN[i - 1].Tp - oldN[i].Tp) +
                                       (long double)lambdap * Sp / dx * ((long double)oldN[i + 1].Tp - oldN[i].Tp));
        newN[i].Tf = oldN[i].Tf + (long double)p.dt / ((long double)dx / p.Lech * p.Mf * p.Cpf) *
                                      ((long double)p.Kf * p.sigmaf * dx * ((long double)oldN[i].Tp - oldN[i].Tf) +
                                       (long double)co * p.debf * p.Cpf * ((long double)oldN[i - 1].Tf - oldN[i].Tf) +
                                       (long double)(1 - co) * p.debf * p.Cpf * ((long double)oldN[i + 1].Tf - oldN[i].Tf));
    }
    if (co == 0)
        newN[0].Tf = oldN[0].Tf + (long double)p.dt / ((long double)dx / p.Lech * p.Mf * p.Cpf) *
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
              (long double)p.Kc * p.sigmac * dx * ((long double)o.Tp - o.Tc) / (273.15L + o.Tp) -
              ((long double)oldN[i - 1].sc - o.sc) * p.debc;
        cold = ((long double)dx / p.Lech * p.Mf * ((long double)n.sf - o.sf) / p.dt + cold) -
               (long double)p.Kf * p.sigmaf * dx * ((long double)o.Tp - o.Tf) / (273.15L + o.Tp) -
               (long double)co * p.debf * ((long double)oldN[i - 1].sf - o.sf) -
               (long double)(1 - co) * p.debf * ((long double)oldN[i + 1].sf - o.sf);
        wall = ((long double)dx / p.Lech * p.Mp * ((long double)n.sp - o.sp) / p.dt + wall) -
               (long double)p.Kc * p.sigmac * dx * ((long double)o.Tc - o.Tp) / (273.15L + o.Tp) -
               (long double)p.Kf * p.sigmaf * dx * ((long double)o.Tf - o.Tp) / (273.15L + o.Tp) -
               (long double)lambdap * Sp / dx * ((long double)oldN[i - 1].Tp - o.Tp) / (273.15L + oldN[i - 1].Tp) -
               (long double)lambdap * Sp / dx * ((long double)oldN[i + 1].Tp - o.Tp) / (273.15L + oldN[i + 1].Tp);
    }
    Sgen = ((long double)hot + cold) + wall;
    time = time + (long double)p.dt;
    ++nstep;
    std::memcpy(oldN, newN, sizeof newN);
}

void straightforwardStep(benchmark::State& state) {
    auto model = warmedUpModel(1);
    std::memcpy(oldN, model->oldNodes.data(), sizeof oldN);
    std::memcpy(newN, model->newNodes.data(), sizeof newN);
    double time = model->time, Pc = 0, Pf = 0, Sgen = 0;
    int nstep = 0;
    for (auto _ : state) {
        step(model->params, model->dx, time, nstep, Pc, Pf, Sgen);
        benchmark::DoNotOptimize(Sgen);
    }
}
BENCHMARK(straightforwardStep)->Unit(benchmark::kMicrosecond);

} // namespace reference
