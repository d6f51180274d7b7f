#pragma once
// The exchanger model's state: the parameters the user edits, the fixed model
// constants, the two node arrays (state at the start of a step and the state
// the step produces), the simulated time, the step counter and the results
// the charts show. It exists once for the program (processModel()); every
// operation takes it by reference so that tests can build their own.

#include "model/stepcache.h"

#include <array>
#include <cstdint>

namespace calidor {

/// The parameters read from the main window's fields, with their defaults.
struct ModelParameters {
    double Tef = 2;             // cold-fluid inlet temperature, °C
    double Tec = 70;            // hot-fluid inlet temperature, °C
    double Tinit = 5;           // initial temperature of both fluids and of the wall, °C
    double Cpf = 4180;          // cold-fluid specific heat, J/(kg.K)
    double Cpc = 4180;          // hot-fluid specific heat, J/(kg.K)
    double Cpp = 500;           // wall specific heat, J/(kg.K)
    double debf = 0.015;        // cold-fluid mass flow rate, kg/s
    double debc = 0.015;        // hot-fluid mass flow rate, kg/s
    double Mf = 0.05;           // cold-fluid mass held in the exchanger, kg
    double Mc = 0.05;           // hot-fluid mass held in the exchanger, kg
    double Mp = 0.01;           // wall mass, kg
    double tmax = 300;          // end time of a run, s
    double dt = 0.004;          // time step, s
    double Kf = 2000;           // cold-side convection coefficient, W/(m2.K)
    double Kc = 2000;           // hot-side convection coefficient, W/(m2.K)
    double sigmaf = 0.1;        // cold-side exchange surface per metre of length, m2/m
    double sigmac = 0.1;        // hot-side exchange surface per metre of length, m2/m
    double Lech = 1;            // exchanger length, m
    std::int32_t cocourant = 1; // 1: co-current (both fluids enter at x = 0); 0: counter-current
};

/// Number of cells along the exchanger.
constexpr std::int32_t N = 100;
/// Thermal conductivity of the wall along the exchanger, W/(m.K).
constexpr double lambdap = 300;
/// Cross-section of the wall for that conduction, m2.
constexpr double Sp = 0.0001;
/// Records in each node array; the model uses indices 0 to N + 1, the rest stay zero.
constexpr int NodeCapacity = 5001;
/// 0 °C in kelvins, in extended precision: every absolute temperature is T + ZeroCelsius.
constexpr long double ZeroCelsius = 273.15L;
/// Steps between two display refreshes of a run, counted by the model's nstep.
constexpr int RefreshPeriod = 40;

/// One node: three temperatures (°C) and three specific entropies (J/(kg.K)).
struct NodeRecord {
    double Tc; // hot fluid
    double Tf; // cold fluid
    double Tp; // wall
    double sc; // hot-fluid specific entropy
    double sf; // cold-fluid specific entropy
    double sp; // wall specific entropy
};

using NodeArray = std::array<NodeRecord, NodeCapacity>;

/// The whole model state. About 480 KB: never copy it, never put one on a
/// thread's stack.
struct ModelState {
    ModelParameters params;
    double dx = 0;          // cell length Lech / N, m; set at the start of each run
    NodeArray oldNodes{};   // state at the start of the step
    NodeArray newNodes{};   // state the step produces; what the display reads
    double time = 0;        // simulated time of the current run, s
    std::int64_t nstep = 0; // steps since program start, never reset
    double Pc = 0;          // hot-fluid power between inlet and outlet, W
    double Pf = 0;          // cold-fluid power between inlet and outlet, W
    double Sgen = 0;        // total entropy production rate, W/K
    StepCache cache;        // exact shortcuts of the step; never a result (stepcache.h)
};

/// A parameter of ModelParameters by the name it has in the code (every
/// double parameter; cocourant is an integer and has none).
struct NamedParameter {
    const char* name;
    double ModelParameters::*member;
};
inline constexpr NamedParameter NamedParameters[] = {
    {"Tef", &ModelParameters::Tef},       {"Tec", &ModelParameters::Tec},
    {"Tinit", &ModelParameters::Tinit},   {"Cpf", &ModelParameters::Cpf},
    {"Cpc", &ModelParameters::Cpc},       {"Cpp", &ModelParameters::Cpp},
    {"debf", &ModelParameters::debf},     {"debc", &ModelParameters::debc},
    {"Mf", &ModelParameters::Mf},         {"Mc", &ModelParameters::Mc},
    {"Mp", &ModelParameters::Mp},         {"tmax", &ModelParameters::tmax},
    {"dt", &ModelParameters::dt},         {"Kf", &ModelParameters::Kf},
    {"Kc", &ModelParameters::Kc},         {"sigmaf", &ModelParameters::sigmaf},
    {"sigmac", &ModelParameters::sigmac}, {"Lech", &ModelParameters::Lech},
};

/// 64-bit FNV-1a over the raw bytes of every record of a node array, records
/// above N + 1 included: the fingerprint of a run's result that model_run
/// prints and the tests compare.
std::uint64_t nodeHash(const NodeArray& nodes);

/// The program's one model state, in static storage, at its start-up values.
ModelState& processModel();

/// Specific entropy relative to 0 °C: cp × ln((T + ZeroCelsius) / ZeroCelsius),
/// in J/(kg.K), for a specific heat cp in J/(kg.K) and a temperature T in °C,
/// formed in extended precision and rounded once. Raises no fault and leaves
/// the floating-point flags as the formula sets them.
double specificEntropy(double cp, double T);

/// specificEntropy with the flags cleared first and checked after: raises
/// ArithmeticFault at or below absolute zero.
double entropie(double cp, double T);

} // namespace calidor
