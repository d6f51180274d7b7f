// model_run: one whole run of the exchanger without a window, printed as one
// JSON object. Usage: model_run [name=value ...], with any of the numeric
// parameters by name (values read as the window reads its fields: a text
// that is not a number ends the program with status 2, naming the
// parameter) and cocourant=0|1. Starts from the program's start-up state, builds the
// initial state and runs the run loop until time is no longer below tmax.
#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/balances.h"
#include "model/fieldtable.h"
#include "model/numbertext.h"
#include "model/timestep.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

using namespace calidor;

namespace {

// Where a parameter's value goes: the field of that name's parameter, or
// nullptr for cocourant, which is no field; `known` is false for a name that
// is neither.
double* parameterNamed(ModelParameters& p, std::string_view name, bool& known) {
    known = true;
    if (name == "cocourant")
        return nullptr;
    if (const std::optional<Field> field = fieldByName(name))
        return &parameterOf(p, *field);
    known = false;
    return nullptr;
}

// Sets one name=value argument; on an unknown name or a refused value says
// why on the error output and returns false.
bool setArgument(ModelParameters& p, std::string_view arg) {
    const auto eq = arg.find('=');
    bool known = false;
    double* target = eq == std::string_view::npos ? nullptr : parameterNamed(p, arg.substr(0, eq), known);
    if (!known) {
        std::fprintf(stderr, "model_run: unknown argument '%.*s' (expected name=value)\n", int(arg.size()),
                     arg.data());
        return false;
    }
    const std::string_view name = arg.substr(0, eq);
    const NumberCheck check = checkNumberText(arg.substr(eq + 1));
    if (!check.accepted()) {
        std::fprintf(stderr, "model_run: %.*s: %s (attendu : %s)\n", int(name.size()), name.data(),
                     refusalReason(check).c_str(), AcceptedNumbers);
        return false;
    }
    if (target)
        *target = check.value;
    else
        p.cocourant = check.value != 0 ? 1 : 0;
    return true;
}

void printArray(const char* name, const ModelState& m, double NodeRecord::*field) {
    std::printf("  \"%s\": [", name);
    for (int i = 0; i <= N + 1; ++i)
        std::printf("%s%.17g", i ? ", " : "", m.newNodes[i].*field);
    std::printf("],\n");
}

struct RunResult {
    long long fault = -1; // step of the run at which a fault arose; 0: the initial state
    long long refreshes = 0;
    double seconds = 0;
    std::string message;
};

RunResult run(ModelState& m) {
    RunResult r;
    try {
        etat_initial(m);
    } catch (const ArithmeticFault& e) {
        r.fault = 0;
        r.message = e.what();
        return r;
    }
    const auto start = std::chrono::steady_clock::now();
    long long step = 0;
    try {
        BeginRun(m);
        do {
            ++step;
            AdvanceStep(m);
            if (m.nstep % RefreshPeriod == 0)
                ++r.refreshes;
        } while (m.time < m.params.tmax);
    } catch (const ArithmeticFault& e) {
        r.fault = step;
        r.message = e.what();
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

} // namespace

int main(int argc, char** argv) {
    auto model = std::make_unique<ModelState>();
    for (int a = 1; a < argc; ++a)
        if (!setArgument(model->params, argv[a]))
            return 2;

    const RunResult r = run(*model);
    const ModelState& m = *model;
    std::printf("{\n  \"params\": {");
    for (const NamedParameter& np : NamedParameters)
        std::printf("\"%s\": %.17g, ", np.name, m.params.*np.member);
    std::printf("\"cocourant\": %d},\n", m.params.cocourant);
    std::printf("  \"nstep\": %" PRId64 ",\n  \"time\": %.17g,\n", m.nstep, m.time);
    std::printf("  \"Pc\": %.17g,\n  \"Pf\": %.17g,\n  \"Sgen\": %.17g,\n", m.Pc, m.Pf, m.Sgen);
    std::printf("  \"refreshes\": %lld,\n", r.refreshes);
    if (r.fault < 0)
        std::printf("  \"fault\": null,\n");
    else
        std::printf("  \"fault\": %lld,\n", r.fault);
    std::printf("  \"hash\": \"%016" PRIx64 "\",\n", nodeHash(m.newNodes));
    printArray("Tc", m, &NodeRecord::Tc);
    printArray("Tf", m, &NodeRecord::Tf);
    printArray("Tp", m, &NodeRecord::Tp);
    std::printf("  \"seconds\": %.6f\n}\n", r.seconds);
    if (!r.message.empty())
        std::fprintf(stderr, "model_run: %s\n", r.message.c_str());
    return 0;
}
