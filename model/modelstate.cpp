#include "model/modelstate.h"

#include "model/arithmeticfault.h"

#include "model/extendedlog.h"

namespace calidor {

ModelState& processModel() {
    static ModelState state;
    return state;
}

double entropie(double cp, double T) {
    using ext = long double;
    fpu::clearFaults();
    // Sum, quotient, logarithm and product all in extended precision; only the
    // result is rounded.
    const ext ratio = (ext(T) + 273.15L) / 273.15L;
    return fpu::checked(ext(cp) * extendedLog(ratio), "entropie");
}

} // namespace calidor
