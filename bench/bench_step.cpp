// One model step (temperatures, balances, end of step) from the default state
// 2000 steps (8 s) into a run, and its phases; each with the shortcuts on
// (shortcuts:1) and off (shortcuts:0, every formula every step). With them on,
// a state that no longer changes to the bit (co-current by then; counter-
// current a little later, during the benchmark's own steps) costs only the
// comparison of its inputs; temperaturesOnly and balancesOnly repeat the same
// inputs, so with the shortcuts on they measure that comparison alone.
#include "model/acquisition.h"
#include "model/balances.h"
#include "model/timestep.h"

#include "straightforward.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace calidor;

namespace {

std::unique_ptr<ModelState> warmedUpModel(int cocourant, bool shortcuts = true) {
    auto model = std::make_unique<ModelState>();
    model->params.cocourant = cocourant;
    model->cache.enabled = shortcuts;
    etat_initial(*model);
    BeginRun(*model);
    for (int i = 0; i < 2000; ++i) {
        AdvanceStep(*model);
    }
    return model;
}

void oneStep(benchmark::State& state) {
    auto model = warmedUpModel(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        AdvanceStep(*model);
        benchmark::DoNotOptimize(model->Sgen);
    }
}
BENCHMARK(oneStep)
    ->ArgsProduct({{1, 0}, {0, 1}})
    ->ArgNames({"cocourant", "shortcuts"})
    ->Unit(benchmark::kMicrosecond);

// One phase repeated on the same inputs, with the shortcuts on or off (the
// argument); the balances follow the step's temperatures, as in a step.
void phaseAlone(benchmark::State& state, void (*phase)(ModelState&), bool afterTemperatures) {
    auto model = warmedUpModel(1, state.range(0) != 0);
    if (afterTemperatures)
        StepTemperatures(*model);
    for (auto _ : state) {
        phase(*model);
        benchmark::ClobberMemory();
    }
}

const bool phasesRegistered = [] {
    const struct {
        const char* name;
        void (*phase)(ModelState&);
        bool afterTemperatures;
    } phases[] = {
        {"temperaturesOnly", StepTemperatures, false},
        {"balancesOnly", ComputeBalances, true},
        {"endOfStepCopy", FinishStep, false},
    };
    for (const auto& p : phases)
        benchmark::RegisterBenchmark(p.name, phaseAlone, p.phase, p.afterTemperatures)
            ->Arg(0)
            ->Arg(1)
            ->ArgName("shortcuts")
            ->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace

namespace reference {

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
