// The run's record stays bounded however long a run goes on, and what it
// leaves out never hides an extreme, the first or the last refresh, or any of
// the newest ones.
#include "run/runrecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace calidor;

namespace {

// A state whose recorded quantities wander, each in its own rhythm, with
// rare spikes: a thinning that dropped extremes would be seen.
void fillState(ModelState& m, std::size_t i) {
    const double t = double(i);
    m.time = t * 0.16;
    m.newNodes[N].Tc = std::sin(t * 0.001) * 30 + (i % 7919 == 0 ? 50 : 0);
    m.newNodes[N].Tf = std::cos(t * 0.0037) * 10;
    m.newNodes[N].Tp = (i % 104729 == 17) ? -40 : std::sin(t * 0.03);
    m.Pc = t;
    m.Pf = -t;
    m.Sgen = std::fmod(t * 0.618, 1.0);
    m.params.Tec = 70 + (i / 5000) % 3;
    m.params.debc = 0.015 + 0.0003 * double(i % 11);
}

RecordRow extremes(const std::vector<RecordRow>& rows, bool highest) {
    RecordRow r = rows.front();
    for (const RecordRow& row : rows)
        for (int c = 0; c < RecordColumnCount; ++c)
            r[c] = highest ? std::max(r[c], row[c]) : std::min(r[c], row[c]);
    return r;
}

TEST(RunRecord, AnEndlessRunStaysUnderItsLimitAndKeepsExtremesEndsAndTheNewestRows) {
    auto model = std::make_unique<ModelState>();
    RunRecord record;
    record.begin(model->params);
    record.setRowLimit(4000);
    std::vector<RecordRow> all;
    for (std::size_t i = 0; i < 300000; ++i) {
        fillState(*model, i);
        record.add(*model);
        all.push_back(recordRowOf(*model));
        ASSERT_LE(record.rows().size(), 4000u) << i;
    }
    const auto& kept = record.rows();
    EXPECT_TRUE(record.thinned());
    EXPECT_EQ(record.refreshCount(), 300000u);
    EXPECT_EQ(kept.front(), all.front());
    EXPECT_EQ(kept.back(), all.back());
    EXPECT_EQ(extremes(kept, true), extremes(all, true));
    EXPECT_EQ(extremes(kept, false), extremes(all, false));
    // Rows stay in their order, each one a row that was recorded.
    for (std::size_t i = 1; i < kept.size(); ++i)
        ASSERT_LT(kept[i - 1][0], kept[i][0]);
    for (const RecordRow& row : kept)
        ASSERT_EQ(row, all[std::size_t(std::lround(row[0] / 0.16))]);
    // The newest quarter of the limit is whole.
    EXPECT_TRUE(std::equal(all.end() - 1000, all.end(), kept.end() - 1000));
}

TEST(RunRecord, BelowItsLimitEveryRefreshIsKeptAndANewRunStartsAfresh) {
    auto model = std::make_unique<ModelState>();
    model->dx = 0.01;
    model->params.cocourant = 0;
    model->newNodes[1].Tf = 12.5;
    model->newNodes[N].Tf = 99;
    RunRecord record;
    record.begin(model->params);
    for (std::size_t i = 0; i < 1875; ++i)
        record.add(*model);
    EXPECT_EQ(record.rows().size(), 1875u);
    EXPECT_FALSE(record.thinned());
    // Counter-current, the cold fluid leaves at node 1.
    EXPECT_EQ(record.rows().back()[int(RecordColumn::ColdOutlet)], 12.5);
    EXPECT_EQ(record.profiles().x.size(), std::size_t(N + 1));
    EXPECT_EQ(record.profiles().x[N], 1.0);
    record.begin(model->params);
    EXPECT_TRUE(record.empty());
    EXPECT_TRUE(record.profiles().x.empty());
}

} // namespace
