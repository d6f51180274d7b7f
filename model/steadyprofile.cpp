#include "model/steadyprofile.h"

#include "model/theory.h"

#include <cmath>

namespace calidor {

namespace {

// (1 − e^(−z)) / z, with its limit 1 at z = 0.
double growthFraction(double z) {
    if (std::fabs(z) < 1e-12)
        return 1 - z / 2;
    return -std::expm1(-z) / z;
}

} // namespace

std::vector<SteadyPoint> steadyProfile(const ModelParameters& p, int points) {
    std::vector<SteadyPoint> profile;
    const ExchangerTheory t = exchangerTheory(p);
    if (points < 2 || !(t.Cc > 0) || !(t.Cf > 0) || !(p.Lech > 0) || !(t.hc + t.hf != 0) || !(t.UA >= 0))
        return profile;
    const double L = p.Lech;
    const double U = t.UA / L; // W/(m.K)
    const double inletGap = p.Tec - p.Tef;

    // Δ(0), the fluids' difference at the hot inlet, and the exponent m.
    double m, gap0;
    if (t.coCurrent) {
        m = U * (1 / t.Cc + 1 / t.Cf);
        gap0 = inletGap;
    } else {
        m = U * (1 / t.Cc - 1 / t.Cf);
        // The hot outlet from the effectiveness, then Δ(L) = Tc,out − Tf,in and Δ(0) = Δ(L)·e^(m·L).
        const double hotOut = p.Tec - t.effectiveness * t.Cmin / t.Cc * inletGap;
        gap0 = (hotOut - p.Tef) * std::exp(m * L);
    }
    const double wallShare = t.hc / (t.hc + t.hf);

    profile.reserve(static_cast<std::size_t>(points));
    for (int k = 0; k < points; ++k) {
        // The places k × (Lech / (points − 1)), formed as the display forms the
        // nodes' places (i × dx in extended precision): with 2N + 1 points,
        // every other one falls exactly on a node.
        const double x = static_cast<double>(static_cast<long double>(k) * (L / (points - 1)));
        const double Tc = p.Tec - U / t.Cc * gap0 * x * growthFraction(m * x);
        const double Tf = Tc - gap0 * std::exp(-m * x);
        const double Tp = Tf + wallShare * (Tc - Tf);
        if (!std::isfinite(Tc) || !std::isfinite(Tf) || !std::isfinite(Tp))
            return {};
        profile.push_back({x, Tc, Tf, Tp});
    }
    return profile;
}

} // namespace calidor
