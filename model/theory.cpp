#include "model/theory.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calidor {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// 0 °C in kelvins, rounded to double as the balance formulas here are in double.
constexpr double Kelvin = static_cast<double>(ZeroCelsius);

// (1 − e^(−z)) / z, with its limit 1 at z = 0, accurate for every z.
double growthFraction(double z) {
    if (std::fabs(z) < 1e-12)
        return 1 - z / 2;
    return -std::expm1(-z) / z;
}

} // namespace

double effectivenessParallel(double ntu, double cr) {
    return -std::expm1(-ntu * (1 + cr)) / (1 + cr);
}

double effectivenessCounter(double ntu, double cr) {
    // With a = NTU(1 − Cr) and g = NTU·(1 − e^(−a))/a, which is (1 − e^(−a)) / (1 − Cr),
    // dividing the textbook form above and below by 1 − Cr gives ε = g / (g + e^(−a)):
    // no difference of nearly equal numbers, and NTU / (1 + NTU) at Cr = 1 exactly.
    const double a = ntu * (1 - cr);
    const double g = ntu * growthFraction(a);
    return g / (g + std::exp(-a));
}

ExchangerTheory exchangerTheory(const ModelParameters& p) {
    ExchangerTheory t;
    t.coCurrent = p.cocourant == 1;
    t.Cc = p.debc * p.Cpc;
    t.Cf = p.debf * p.Cpf;
    t.Cmin = std::min(t.Cc, t.Cf);
    t.Cmax = std::max(t.Cc, t.Cf);
    t.hc = p.Kc * p.sigmac;
    t.hf = p.Kf * p.sigmaf;
    // Two conductances in series: UA = Gc·Gf / (Gc + Gf) over the length.
    t.UA = t.hc + t.hf != 0 ? t.hc * t.hf / (t.hc + t.hf) * p.Lech : 0;
    if (t.Cmin > 0) {
        t.Cr = t.Cmin / t.Cmax;
        t.NTU = t.UA / t.Cmin;
        t.effectiveness =
            t.coCurrent ? effectivenessParallel(t.NTU, t.Cr) : effectivenessCounter(t.NTU, t.Cr);
    } else {
        t.Cr = t.NTU = t.effectiveness = NaN;
    }
    return t;
}

Terminals terminals(const ModelState& m) {
    const NodeArray& n = m.newNodes;
    const bool co = m.params.cocourant == 1;
    return {n[0].Tc, n[N].Tc, co ? n[0].Tf : n[N + 1].Tf, co ? n[N].Tf : n[1].Tf};
}

double modelEffectiveness(const ExchangerTheory& theory, const Terminals& t) {
    const double most = theory.Cmin * (t.TcIn - t.TfIn);
    if (!(theory.Cmin > 0) || most == 0)
        return NaN;
    return theory.Cf * (t.TfOut - t.TfIn) / most;
}

double steadyEntropyProduction(const ExchangerTheory& theory, const Terminals& t) {
    const double hotIn = t.TcIn + Kelvin, hotOut = t.TcOut + Kelvin;
    const double coldIn = t.TfIn + Kelvin, coldOut = t.TfOut + Kelvin;
    if (!(hotIn > 0 && hotOut > 0 && coldIn > 0 && coldOut > 0))
        return NaN;
    return theory.Cc * std::log(hotOut / hotIn) + theory.Cf * std::log(coldOut / coldIn);
}

bool agreeWithin(double value, double reference, double tolerance) {
    constexpr double Noise = 1e-9;
    if (std::fabs(value) < Noise && std::fabs(reference) < Noise)
        return true;
    return std::fabs(value - reference) <= tolerance * std::fabs(reference);
}

bool steadyStateReached(const SteadyStateWatch& watch, double Pc, double Pf, double sgen, double sgenSteady) {
    return watch.steady() && agreeWithin(Pf, Pc) && agreeWithin(sgen, sgenSteady);
}

void SteadyStateWatch::add(double time, double hotOutlet, double coldOutlet) {
    if (!m_samples.empty() && time < m_samples.back().time)
        m_samples.clear();
    m_samples.push_back({time, hotOutlet, coldOutlet});
    // Keep one sample at or before the start of the window, so that the window is known to be covered.
    while (m_samples.size() > 2 && m_samples[1].time <= time - m_window)
        m_samples.pop_front();
}

bool SteadyStateWatch::covered() const {
    return m_samples.size() >= 2 && m_samples.front().time <= m_samples.back().time - m_window;
}

double SteadyStateWatch::change() const {
    if (m_samples.empty())
        return NaN;
    double hotLow = m_samples.front().hot, hotHigh = hotLow;
    double coldLow = m_samples.front().cold, coldHigh = coldLow;
    for (const Sample& s : m_samples) {
        hotLow = std::min(hotLow, s.hot);
        hotHigh = std::max(hotHigh, s.hot);
        coldLow = std::min(coldLow, s.cold);
        coldHigh = std::max(coldHigh, s.cold);
    }
    return std::max(hotHigh - hotLow, coldHigh - coldLow);
}

} // namespace calidor
