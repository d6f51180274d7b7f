#include "run/stability.h"

#include "model/stability.h"

#include <cmath>

namespace calidor {

StabilityLimit explicitStabilityLimit(const ModelParameters& p, double dx) {
    if (!(dx > 0) || !(p.Lech > 0))
        return {};
    const double share = dx / p.Lech;
    const double Gc = p.Kc * p.sigmac * dx, Gf = p.Kf * p.sigmaf * dx, Gw = lambdap * Sp / dx;
    const struct {
        StabilitySlice slice;
        double capacity, conductance;
    } slices[] = {
        {StabilitySlice::HotFluid, share * p.Mc * p.Cpc, Gc + 2 * p.debc * p.Cpc},
        {StabilitySlice::ColdFluid, share * p.Mf * p.Cpf, Gf + 2 * p.debf * p.Cpf},
        {StabilitySlice::Wall, share * p.Mp * p.Cpp, Gf + Gc + 4 * Gw},
    };
    StabilityLimit limit;
    for (const auto& s : slices) {
        if (!(s.capacity > 0) || !(s.conductance > 0))
            return {};
        const double dt = 2 * s.capacity / s.conductance;
        if (!std::isfinite(dt))
            return {};
        if (limit.dt == 0 || dt < limit.dt)
            limit = {dt, s.slice};
    }
    // The slice's own bound names the part that oscillates; the limit said is
    // the one the balance window shows, from the eigenvalues of the whole step.
    const double exact = stableTimeStep(p);
    if (std::isfinite(exact) && exact > 0)
        limit.dt = exact;
    return limit;
}

} // namespace calidor
