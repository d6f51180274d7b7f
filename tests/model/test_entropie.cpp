// Specific entropy: its values, its domain, and its bits, which must be those
// of the C library's extended logarithm over the whole range of temperatures
// a run can meet (the fast logarithm switches method at |ratio − 1| = 0.29).
#include "modeltest.h"

#include "model/arithmeticfault.h"
#include "model/modelstate.h"

#include <cmath>
#include <random>
#include <vector>

using namespace calidor;
using namespace calidor::test;

namespace {

TEST(Entropie, ValuesRelativeToZeroCelsius) {
    EXPECT_SAME_BITS(entropie(4180, 0), 0.0);
    EXPECT_NEAR(entropie(500, 5), 500 * std::log(278.15 / 273.15), 1e-12);
    EXPECT_NEAR(entropie(500, 5), 9.0697, 5e-5);
    EXPECT_NEAR(entropie(4180, 70), 953.65, 5e-3);
    EXPECT_LT(entropie(4180, -10), 0.0);
    EXPECT_LT(entropie(500, -0.001), 0.0);
    EXPECT_GT(entropie(500, 0.001), 0.0);
}

TEST(Entropie, FaultsBelowAbsoluteZero) {
    // The double nearest −273.15 lies 2.3e-14 K above the extended 273.15, so
    // its entropy still exists (and is very negative); the next double below
    // is beneath absolute zero.
    const double nearestToAbsoluteZero = -273.15;
    const double s = entropie(4180, nearestToAbsoluteZero);
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_LT(s, -4180 * 36.0);
    for (double T : {std::nextafter(nearestToAbsoluteZero, -1000.0), -273.16, -300.0, -1e300}) {
        try {
            (void)entropie(4180, T);
            ADD_FAILURE() << "no fault at T = " << T;
        } catch (const ArithmeticFault& e) {
            EXPECT_EQ(e.kind(), FaultKind::InvalidOperation) << T;
            EXPECT_FALSE(e.phase().empty());
            EXPECT_NE(std::string(e.what()).find(e.phase()), std::string::npos) << e.what();
        }
    }
}

TEST(Entropie, FaultFlagsDoNotOutliveTheirOperation) {
    // A fault leaves no flag behind for the next evaluation, and a flag left
    // by unrelated extended arithmetic before the call is not the model's.
    EXPECT_THROW((void)entropie(4180, -300), ArithmeticFault);
    EXPECT_SAME_BITS(entropie(500, 5), referenceEntropie(500, 5));
    volatile long double zero = 0;
    volatile long double nan = zero / zero;
    (void)nan;
    EXPECT_SAME_BITS(entropie(500, 5), referenceEntropie(500, 5));
}

TEST(Entropie, BitsOfTheLibraryLogarithmOverASweep) {
    std::vector<double> temperatures;
    for (double T = -273.0; T <= 3000.0; T += 0.37)
        temperatures.push_back(T);
    // Both sides of the switch of method, at ratios 0.71 and 1.29.
    for (double edge : {0.29, -0.29})
        for (int k = -200; k <= 200; ++k)
            temperatures.push_back(static_cast<double>(273.15L * edge) + k * 1e-9);
    // Near 0 °C, where the ratio is close to 1 and its logarithm tiny.
    for (int k = -300; k <= 300; ++k)
        temperatures.push_back(k * 1e-7);
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> anyTemperature(-273.1, 1e5);
    for (int k = 0; k < 100000; ++k)
        temperatures.push_back(anyTemperature(random));
    temperatures.push_back(-273.149999999);
    temperatures.push_back(1e300);

    int mismatches = 0;
    for (double cp : {4180.0, 500.0, 1.0, 12.0, 0.1})
        for (double T : temperatures)
            if (bits(entropie(cp, T)) != bits(referenceEntropie(cp, T)) && ++mismatches <= 5)
                ADD_FAILURE() << "cp " << cp << " T " << T;
    EXPECT_EQ(mismatches, 0);
}

} // namespace
