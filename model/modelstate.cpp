#include "model/modelstate.h"

#include "model/arithmeticfault.h"

#include "model/extendedlog.h"

namespace calidor {

ModelState& processModel() {
    static ModelState state;
    return state;
}

std::uint64_t nodeHash(const NodeArray& nodes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const auto* bytes = reinterpret_cast<const unsigned char*>(nodes.data());
    for (std::size_t i = 0; i < sizeof(NodeArray); ++i) {
        h ^= bytes[i];
        h *= 0x100000001b3ULL;
    }
    return h;
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
