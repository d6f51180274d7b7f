#include "model/modelstate.h"

#include "model/arithmeticfault.h"

#include "model/extendedlog.h"

namespace calidor {

ModelState& processModel() {
    static ModelState state;
    return state;
}

double specificEntropy(double cp, double T) {
    using ext = long double;
    // Sum, quotient, logarithm and product all in extended precision; only the
    // result is rounded.
    return static_cast<double>(ext(cp) * extendedLog((ext(T) + ZeroCelsius) / ZeroCelsius));
}

double entropie(double cp, double T) {
    fpu::clearFaults();
    return fpu::checked(specificEntropy(cp, T), "entropie");
}

} // namespace calidor
