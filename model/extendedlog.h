#pragma once
// The natural logarithm in extended precision, as the C library's logl
// computes it on x86-64, without the call: near 1 (|x − 1| ≤ 0.29, which
// covers every absolute-temperature ratio of the exchanger) the x87 unit
// forms ln 2 × log2(1 + (x − 1)), elsewhere ln 2 × log2(x). The bits are the
// library's (a test compares them over a wide sweep); a non-positive x raises
// the same invalid-operation or division-by-zero flag.

#include <cmath>

namespace calidor {

inline long double extendedLog(long double x) {
#if defined(__x86_64__) || defined(__i386__)
    const long double xMinusOne = x - 1; // exact for x in [0.5, 2]
    long double result;
    if (std::fabs(xMinusOne) <= static_cast<long double>(0.29)) {
        __asm__("fldln2\n\tfxch\n\tfyl2xp1" : "=t"(result) : "0"(xMinusOne) : "st(1)");
    } else {
        __asm__("fldln2\n\tfxch\n\tfyl2x" : "=t"(result) : "0"(x) : "st(1)");
    }
    return result;
#else
    return std::log(x);
#endif
}

} // namespace calidor
