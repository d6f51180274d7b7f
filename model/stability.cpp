#include "model/stability.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace calidor {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

// What one cell exchanges, per kelvin, as the step forms it: capacities
// (dx / Lech) × M × Cp, conductances over one cell, and the capacity rates.
struct Cell {
    double hotCapacity, wallCapacity, coldCapacity; // J/K
    double Gc, Gf, Gw;                              // W/K
    double hotRate, coldRate;                       // W/K
    bool defined;
};

Cell cellOf(const ModelParameters& p) {
    Cell c{};
    const double dx = p.Lech / N;
    c.hotCapacity = dx / p.Lech * p.Mc * p.Cpc;
    c.wallCapacity = dx / p.Lech * p.Mp * p.Cpp;
    c.coldCapacity = dx / p.Lech * p.Mf * p.Cpf;
    c.Gc = p.Kc * p.sigmac * dx;
    c.Gf = p.Kf * p.sigmaf * dx;
    c.Gw = lambdap * Sp / dx;
    c.hotRate = p.debc * p.Cpc;
    c.coldRate = p.debf * p.Cpf;
    c.defined = dx != 0 && c.hotCapacity != 0 && c.wallCapacity != 0 && c.coldCapacity != 0 &&
                std::isfinite(c.Gw) && std::isfinite(c.hotCapacity) && std::isfinite(c.wallCapacity) &&
                std::isfinite(c.coldCapacity);
    return c;
}

// C / ΣG: the dt at which a diagonal coefficient of the update reaches zero.
double positiveLimit(double capacity, double conductance) {
    return conductance > 0 ? capacity / conductance : Infinity;
}

// The largest dt with |1 + dt·λ| ≤ 1: for Re λ < 0, (1 + dt·a)² + (dt·b)² ≤ 1
// gives dt ≤ −2a / |λ|².
double eigenvalueLimit(std::complex<double> lambda, double scale) {
    const double size = std::abs(lambda);
    if (size <= 1e-12 * scale)
        return Infinity; // a mode that neither grows nor decays: any dt keeps it
    if (lambda.real() >= -1e-12 * scale)
        return 0;
    return -2 * lambda.real() / (size * size);
}

} // namespace

double positiveTimeStep(const ModelParameters& p) {
    const Cell c = cellOf(p);
    if (!c.defined)
        return NaN;
    const double hot = positiveLimit(c.hotCapacity, c.Gc + c.hotRate);
    const double wall = positiveLimit(c.wallCapacity, c.Gf + c.Gc + 2 * c.Gw);
    const double cold = positiveLimit(c.coldCapacity, c.Gf + c.coldRate);
    return std::min({hot, wall, cold});
}

double transportTimeStep(const ModelParameters& p) {
    const Cell c = cellOf(p);
    if (!c.defined)
        return NaN;
    const double hot = positiveLimit(2 * c.hotCapacity, 2 * c.hotRate + c.Gc);
    const double cold = positiveLimit(2 * c.coldCapacity, 2 * c.coldRate + c.Gf);
    return std::min(hot, cold);
}

double stableTimeStep(const ModelParameters& p) {
    return std::min(eigenvalueTimeStep(p), transportTimeStep(p));
}

double eigenvalueTimeStep(const ModelParameters& p) {
    const Cell c = cellOf(p);
    if (!c.defined)
        return NaN;
    const double co = p.cocourant;

    // A, per second. Unknowns: the hot fluid of cells 1..N, then the wall, then
    // the cold fluid. The inlets are fixed (they go to b). The wall ends copy
    // their neighbours after every step, so cells 1 and N conduct to one
    // neighbour only.
    const int n = 3 * N;
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(n, n);
    auto hot = [](int i) { return i - 1; };
    auto wall = [](int i) { return N + i - 1; };
    auto cold = [](int i) { return 2 * N + i - 1; };
    for (int i = 1; i <= N; ++i) {
        // Hot fluid: convection with its wall slice, inflow from cell i − 1.
        A(hot(i), hot(i)) -= (c.Gc + c.hotRate) / c.hotCapacity;
        A(hot(i), wall(i)) += c.Gc / c.hotCapacity;
        if (i > 1)
            A(hot(i), hot(i - 1)) += c.hotRate / c.hotCapacity;
        // Wall: both fluids, and the neighbouring slices inside the exchanger.
        A(wall(i), wall(i)) -= (c.Gf + c.Gc) / c.wallCapacity;
        A(wall(i), cold(i)) += c.Gf / c.wallCapacity;
        A(wall(i), hot(i)) += c.Gc / c.wallCapacity;
        for (int j : {i - 1, i + 1})
            if (j >= 1 && j <= N) {
                A(wall(i), wall(i)) -= c.Gw / c.wallCapacity;
                A(wall(i), wall(j)) += c.Gw / c.wallCapacity;
            }
        // Cold fluid: convection, inflow from cell i − 1 (co-current) or i + 1
        // (counter-current); both terms are formed, one of them times zero.
        A(cold(i), cold(i)) -= (c.Gf + co * c.coldRate + (1 - co) * c.coldRate) / c.coldCapacity;
        A(cold(i), wall(i)) += c.Gf / c.coldCapacity;
        if (i > 1)
            A(cold(i), cold(i - 1)) += co * c.coldRate / c.coldCapacity;
        if (i < N)
            A(cold(i), cold(i + 1)) += (1 - co) * c.coldRate / c.coldCapacity;
    }
    if (!A.allFinite())
        return NaN;

    const Eigen::EigenSolver<Eigen::MatrixXd> solver(A, false);
    if (solver.info() != Eigen::Success)
        return NaN;
    const double scale = std::max(1.0, A.cwiseAbs().rowwise().sum().maxCoeff());
    double limit = Infinity;
    for (const std::complex<double>& lambda : solver.eigenvalues())
        limit = std::min(limit, eigenvalueLimit(lambda, scale));
    // Counter-current: the cold end cell at node 0 is fed by cell 1 and feeds
    // nothing back, so its own diagonal is one more eigenvalue.
    if (p.cocourant == 0)
        limit = std::min(limit, eigenvalueLimit(-(c.Gf + c.coldRate) / c.coldCapacity, scale));
    return limit;
}

TimeStepLimits timeStepLimits(const ModelParameters& p) {
    return {stableTimeStep(p), positiveTimeStep(p)};
}

bool sameStabilityParameters(const ModelParameters& a, const ModelParameters& b) {
    return a.Cpf == b.Cpf && a.Cpc == b.Cpc && a.Cpp == b.Cpp && a.debf == b.debf && a.debc == b.debc &&
           a.Mf == b.Mf && a.Mc == b.Mc && a.Mp == b.Mp && a.Kf == b.Kf && a.Kc == b.Kc &&
           a.sigmaf == b.sigmaf && a.sigmac == b.sigmac && a.Lech == b.Lech && a.cocourant == b.cocourant;
}

} // namespace calidor
