// bench_wholemodel: whole headless runs of the model against the same formulas
// written the straightforward way (straightforward.h), compiled the same way.
// Three implementations run in turn, over and over, so that a change in the
// machine's load falls on all of them alike:
//   straightforward  every formula every step, logl, whole-array copy;
//   plain            the model with its shortcuts off;
//   model            the model as the program runs it.
// For each case (both flow arrangements, tmax 300 and 1) it prints the median
// wall time of each, the ratios to the straightforward run, and whether the
// three ended on the same bits (every record of both node arrays, time, Pc,
// Pf, Sgen). Usage: bench_wholemodel [repetitions] (default 5; short runs
// repeat 20 times as often), or bench_wholemodel one straightforward|plain|model
// cocourant tmax: a single run, for instruction counts under callgrind.
#include "bench/headlessrun.h"

#include "straightforward.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

using namespace calidor;

namespace {

using Clock = std::chrono::steady_clock;

// What a run ends on, compared bit for bit.
struct EndState {
    std::vector<unsigned char> nodes; // both arrays, every record
    double values[4];                 // time, Pc, Pf, Sgen

    bool operator==(const EndState& o) const {
        return nodes == o.nodes && std::memcmp(values, o.values, sizeof values) == 0;
    }
};

template <class Record>
EndState endState(const Record* oldNodes, const Record* newNodes, double time, double Pc, double Pf,
                  double Sgen) {
    static_assert(sizeof(Record) == sizeof(NodeRecord));
    EndState e;
    const std::size_t bytes = sizeof(Record) * NodeCapacity;
    e.nodes.resize(2 * bytes);
    std::memcpy(e.nodes.data(), oldNodes, bytes);
    std::memcpy(e.nodes.data() + bytes, newNodes, bytes);
    const double values[4] = {time, Pc, Pf, Sgen};
    std::memcpy(e.values, values, sizeof values);
    return e;
}

// The model's run loop, as the worker drives it, from a fresh state (the
// shortcuts' memory empty, as at program start). Times the loop only.
double modelRun(const ModelParameters& params, bool shortcuts, EndState& end) {
    auto m = std::make_unique<ModelState>();
    m->params = params;
    m->cache.enabled = shortcuts;
    const double seconds = bench::timedHeadlessRun(*m);
    end = endState(m->oldNodes.data(), m->newNodes.data(), m->time, m->Pc, m->Pf, m->Sgen);
    return seconds;
}

double straightforwardRun(const ModelParameters& params, EndState& end) {
    std::memset(reference::oldN, 0, sizeof reference::oldN);
    std::memset(reference::newN, 0, sizeof reference::newN);
    reference::initialState(params);
    reference::Run r;
    const auto start = Clock::now();
    reference::wholeRun(params, r);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    end = endState(reference::oldN, reference::newN, r.time, r.Pc, r.Pf, r.Sgen);
    return seconds;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void runCase(int cocourant, double tmax, int repetitions) {
    ModelParameters params;
    params.cocourant = cocourant;
    params.tmax = tmax;
    std::vector<double> straight, plain, model;
    bool same = true;
    for (int r = 0; r < repetitions; ++r) {
        EndState a, b, c;
        straight.push_back(straightforwardRun(params, a));
        plain.push_back(modelRun(params, false, b));
        model.push_back(modelRun(params, true, c));
        same = same && a == b && b == c;
    }
    const double s = median(straight), p = median(plain), m = median(model);
    std::printf("cocourant=%d tmax=%-4g %3d runs  straightforward %9.3f ms  plain %9.3f ms (%.3f)  "
                "model %9.3f ms (%.3f)  same bits: %s\n",
                cocourant, tmax, repetitions, s * 1e3, p * 1e3, p / s, m * 1e3, m / s, same ? "yes" : "NO");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "one") == 0) {
        ModelParameters params;
        params.cocourant = std::atoi(argv[3]);
        params.tmax = std::atof(argv[4]);
        EndState end;
        const std::string_view which = argv[2];
        const double seconds = which == "straightforward" ? straightforwardRun(params, end)
                                                          : modelRun(params, which == "model", end);
        std::printf("%s cocourant=%d tmax=%g: %.3f ms\n", argv[2], params.cocourant, params.tmax,
                    seconds * 1e3);
        return 0;
    }
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("median wall time of whole runs; in brackets, the ratio to the straightforward run\n");
    for (int co : {1, 0})
        runCase(co, 300, repetitions);
    for (int co : {1, 0})
        runCase(co, 1, 20 * repetitions + 1);
    return 0;
}
