// A step counter past 2^31 and 2^32: the worker keeps refreshing the display every 40th step.
#include "runbench.h"

#include "run/modellock.h"
#include "run/sym.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace calidor;
using namespace calidor::testing;

TEST(EndlessRun, RefreshRhythmHoldsAcrossTwoToThe31And32) {
    for (const std::int64_t start : {(std::int64_t{1} << 31) - 100, (std::int64_t{1} << 32) - 100}) {
        Bench b;
        b.model->nstep = start;           // as if the program had been running for a day
        b.setField(Field::Tmmaxbox, "1"); // 250 steps
        std::vector<std::int64_t> refreshedAt;
        b.window.onRefresh = [&] { refreshedAt.push_back(b.model->nstep); };
        b.control->start();
        ASSERT_TRUE(waitFor([&] { return b.ended(); }));
        EXPECT_EQ(b.nstep(), start + 250);
        std::vector<std::int64_t> expected;
        for (std::int64_t n = start + 1; n <= start + 250; ++n)
            if (n % RefreshPeriod == 0)
                expected.push_back(n);
        EXPECT_EQ(refreshedAt, expected) << "from " << start;
        EXPECT_EQ(b.window.points(SeriesId::Series5).size(), expected.size());
    }
}
