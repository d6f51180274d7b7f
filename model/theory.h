#pragma once
// What a heat-transfer textbook says of the exchanger that the model computes:
// capacity rates, overall conductance, NTU and the effectiveness–NTU relations
// of both arrangements; the model's own effectiveness and the steady-state
// entropy production from the outlet temperatures it shows; and a watch that
// tells when those outlets have settled. Plain functions of the parameters
// and of a few temperatures: double arithmetic, no fault raised (an undefined
// quantity comes back as NaN, for the caller to show as undefined).

#include "model/modelstate.h"

#include <deque>

namespace calidor {

/// Effectiveness of a parallel-flow (co-current) exchanger:
/// ε = (1 − e^(−NTU(1+Cr))) / (1 + Cr).
double effectivenessParallel(double ntu, double cr);

/// Effectiveness of a counter-flow exchanger:
/// ε = (1 − e^(−NTU(1−Cr))) / (1 − Cr·e^(−NTU(1−Cr))), written so that it
/// runs smoothly into its limit NTU / (1 + NTU) at Cr = 1 (no cancellation
/// near it).
double effectivenessCounter(double ntu, double cr);

/// What the parameters alone say of the exchanger.
struct ExchangerTheory {
    double Cc = 0;             // hot capacity rate debc × Cpc, W/K
    double Cf = 0;             // cold capacity rate debf × Cpf, W/K
    double Cmin = 0, Cmax = 0; // W/K
    double Cr = 0;             // Cmin / Cmax
    double hc = 0;             // hot-side convection conductance per metre, Kc × sigmac, W/(m.K)
    double hf = 0;             // cold-side one, Kf × sigmaf, W/(m.K)
    double UA = 0;  // both convection conductances over the whole length, in series through the wall, W/K
    double NTU = 0; // UA / Cmin
    double effectiveness = 0; // ε(NTU, Cr) for the parameters' arrangement
    bool coCurrent = true;
};

/// Capacity rates, UA, NTU and the effectiveness for the parameters. The
/// wall is one temperature across its thickness in the model, so it adds no
/// resistance of its own: 1/UA = 1/(Kc·sigmac·Lech) + 1/(Kf·sigmaf·Lech).
/// Quantities that the parameters leave undefined (a zero capacity rate) are NaN.
ExchangerTheory exchangerTheory(const ModelParameters& p);

/// The inlet and outlet temperatures the display shows (°C): the hot fluid
/// enters at node 0 and leaves at node N; the cold one enters at node 0 and
/// leaves at node N in co-current, enters at node N + 1 and leaves at node 1
/// in counter-current.
struct Terminals {
    double TcIn = 0, TcOut = 0, TfIn = 0, TfOut = 0;
};
Terminals terminals(const ModelState& m);

/// The model's effectiveness now: the heat the cold fluid has taken up over
/// the most that either fluid could exchange, Cf(Tf,out − Tf,in) /
/// (Cmin(Tc,in − Tf,in)). At steady state the hot side gives the same.
double modelEffectiveness(const ExchangerTheory& theory, const Terminals& t);

/// Entropy production of the exchanger at steady state, from its terminals
/// alone: Cc·ln(Tc,out/Tc,in) + Cf·ln(Tf,out/Tf,in), absolute temperatures, W/K.
double steadyEntropyProduction(const ExchangerTheory& theory, const Terminals& t);

/// The relative tolerance of the steady state: the energy balance closes,
/// and the entropy production meets its steady formula, within 0.1 %.
constexpr double SteadyTolerance = 1e-3;

/// Whether `value` lies within `tolerance` of `reference`, relative to the
/// reference. Two values below a nanowatt (W or W/K) agree whatever their
/// ratio: with equal inlets both are rounding noise around zero. NaN agrees
/// with nothing.
bool agreeWithin(double value, double reference, double tolerance = SteadyTolerance);

class SteadyStateWatch;

/// Whether the model has reached its steady state: the outlets have settled
/// (the watch), Pc − Pf is within SteadyTolerance of Pc, and Sgen within
/// SteadyTolerance of its steady formula. Settled outlets alone are not
/// enough: a long exchanger's outlets creep by less than the watch's
/// threshold while its wall still stores heat.
bool steadyStateReached(const SteadyStateWatch& watch, double Pc, double Pf, double sgen, double sgenSteady);

/// Tells whether the outlet temperatures have settled: both changed by less
/// than `threshold` over the last `window` simulated seconds.
class SteadyStateWatch {
public:
    static constexpr double DefaultThreshold = 0.01; // °C
    static constexpr double DefaultWindow = 5;       // s

    explicit SteadyStateWatch(double threshold = DefaultThreshold, double window = DefaultWindow)
        : m_threshold(threshold), m_window(window) {}

    /// A new reading at simulated time `time`; a time below the last one
    /// (a new run) starts the watch afresh.
    void add(double time, double hotOutlet, double coldOutlet);
    void reset() { m_samples.clear(); }

    /// Whether the watch has seen a whole window yet.
    bool covered() const;
    /// The larger change of either outlet over the last window, °C (over what
    /// has been seen, if less than a window).
    double change() const;
    bool steady() const { return covered() && change() < m_threshold; }
    double threshold() const { return m_threshold; }
    double window() const { return m_window; }

private:
    struct Sample {
        double time, hot, cold;
    };
    double m_threshold, m_window;
    std::deque<Sample> m_samples;
};

} // namespace calidor
