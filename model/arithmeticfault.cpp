#include "model/arithmeticfault.h"

#include <cfenv>

namespace calidor {

namespace {

// The temperature step takes no logarithm: an invalid operation there is a
// 0/0 or an ∞ × 0, which a zero length, mass or specific heat gives.
constexpr const char* StepPhase = "pas de temps";

std::string kindText(FaultKind kind, const std::string& phase) {
    switch (kind) {
    case FaultKind::InvalidOperation:
        if (phase == StepPhase)
            return "opération invalide (0/0 ou ∞ × 0 : une longueur, une masse ou une capacité thermique "
                   "nulle)";
        return "opération invalide (0/0, ou logarithme d'un nombre négatif ou nul : température absolue "
               "nulle ou négative)";
    case FaultKind::DivisionByZero:
        return "division par zéro";
    case FaultKind::Overflow:
        return "dépassement de capacité (nombre trop grand)";
    }
    return "erreur de calcul";
}

} // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind, std::string phase)
    : std::runtime_error("Erreur de calcul (" + phase + ") : " + kindText(kind, phase) + "."), m_kind(kind),
      m_phase(std::move(phase)) {}

std::string ArithmeticFault::description() const {
    return kindText(m_kind, m_phase);
}

namespace fpu {

void clearAllFaults() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

#if !(defined(__x86_64__) || defined(__i386__))
unsigned pendingFlagsOfLibrary() {
    const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    return ((flags & FE_INVALID) ? InvalidFlag : 0u) | ((flags & FE_DIVBYZERO) ? DivideFlag : 0u) |
           ((flags & FE_OVERFLOW) ? OverflowFlag : 0u);
}
#endif

[[noreturn]] void raiseFlags(unsigned flags, const char* phase) {
    clearAllFaults();
    // Invalid first: a 0/0 or the logarithm of a negative number may set
    // another flag on the way, but it is the cause the user must read.
    FaultKind kind = FaultKind::Overflow;
    if (flags & InvalidFlag)
        kind = FaultKind::InvalidOperation;
    else if (flags & DivideFlag)
        kind = FaultKind::DivisionByZero;
    throw ArithmeticFault(kind, phase);
}

void checkFaults(const char* phase) {
    if (const unsigned flags = pendingFlags())
        raiseFlags(flags, phase);
}

} // namespace fpu
} // namespace calidor
