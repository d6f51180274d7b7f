#pragma once
// Arithmetic faults of the model: an invalid operation (logarithm of a number
// that is not positive, 0/0), a division by zero or an overflow abandons the
// operation under way. They are raised as one exception type, checked before
// every store, so that no infinity or NaN ever reaches the model state and
// everything stored before the fault stays.

#include <stdexcept>
#include <string>

namespace calidor {

/// What went wrong, in the terms of the floating-point status flags.
enum class FaultKind { InvalidOperation, DivisionByZero, Overflow };

/// Raised by every model operation on an arithmetic fault. `what()` is a French
/// sentence that a window can show as it stands.
class ArithmeticFault : public std::runtime_error {
public:
    ArithmeticFault(FaultKind kind, std::string phase);

    FaultKind kind() const { return m_kind; }
    /// The operation in which the fault arose, in French ("pas de temps", ...).
    const std::string& phase() const { return m_phase; }
    /// The fault alone, in French, without the phase.
    std::string description() const;

private:
    FaultKind m_kind;
    std::string m_phase;
};

namespace fpu {

// The model's arithmetic runs on the x87 unit (extended intermediates), so on
// x86-64 its status word holds every fault flag the model can raise; reading
// it is far cheaper than the library's fetestexcept, which the hot loops
// would otherwise call a thousand times per step.
constexpr unsigned InvalidFlag = 0x01, DivideFlag = 0x04, OverflowFlag = 0x08;

/// Clears the fault flags before an operation starts.
inline void clearFaults();

/// Clears the flags of every floating-point unit (x87 and SSE).
void clearAllFaults();

/// Raises ArithmeticFault if an invalid operation, a division by zero or an
/// overflow happened since the last clear; clears the flags when it raises.
void checkFaults(const char* phase);

/// The fault flags raised since the last clear (a mask of the flags above).
inline unsigned pendingFlags();

/// Raises ArithmeticFault for the given flags; clears every flag first.
[[noreturn]] void raiseFlags(unsigned flags, const char* phase);
[[noreturn]] inline void raiseFault(const char* phase) {
    raiseFlags(pendingFlags(), phase);
}

#if defined(__x86_64__) || defined(__i386__)
inline unsigned pendingFlags() {
    unsigned short status;
    __asm__ __volatile__("fnstsw %0" : "=am"(status));
    return status & (InvalidFlag | DivideFlag | OverflowFlag);
}
inline void clearFaults() {
    __asm__ __volatile__("fnclex");
}
#else
unsigned pendingFlagsOfLibrary();
inline unsigned pendingFlags() {
    return pendingFlagsOfLibrary();
}
inline void clearFaults() {
    clearAllFaults();
}
#endif

/// Keeps the compiler from moving the computation of `value` past this point
/// (for instance past a flag test): the value must be in memory here.
template <class T> inline void settle(T& value) {
    __asm__ __volatile__("" : "+m"(value));
}

/// Flags raised since the last clear; clears them. Used to give a value
/// computed once for many formulas (a cell's capacity) its own fault record.
inline unsigned takeFlags() {
    const unsigned flags = pendingFlags();
    clearFaults();
    return flags;
}

/// Stores `value` into `target` unless the computation that produced it, or
/// a coefficient it used (`inherited` flags), faulted.
inline void store(double& target, double value, unsigned inherited, const char* phase) {
    settle(value);
    if (const unsigned flags = inherited | pendingFlags()) [[unlikely]]
        raiseFlags(flags, phase);
    target = value;
}

inline void store(double& target, double value, const char* phase) {
    store(target, value, 0, phase);
}

/// Rounds an extended value to double, raising on a fault of its computation
/// or of the rounding (overflow), without storing anything.
inline double checked(long double value, const char* phase) {
    double rounded = static_cast<double>(value);
    settle(rounded);
    if (const unsigned flags = pendingFlags()) [[unlikely]]
        raiseFlags(flags, phase);
    return rounded;
}

} // namespace fpu
} // namespace calidor
