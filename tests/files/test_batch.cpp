// A run without a window records what a window's run records, to the bit;
// a set-up read from a file runs as the same texts typed; a fault ends the
// batch run with its time and reason.
#include "files/csvexport.h"
#include "files/setupfile.h"
#include "model/balances.h"
#include "model/timestep.h"
#include "run/batchrun.h"
#include "run/runcontrol.h"
#include "tests/run/fakewindow.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

using namespace calidor;
using namespace calidor::testing;

namespace {

using Texts = std::array<std::string, FieldCount>;

Texts textsWith(std::initializer_list<std::pair<Field, const char*>> changes) {
    Texts texts = startupFieldTexts();
    for (const auto& [field, text] : changes)
        texts[int(field)] = text;
    return texts;
}

bool sameBits(const RunRecord& a, const RunRecord& b) {
    const auto bytes = [](const std::vector<double>& v) { return v.size() * sizeof(double); };
    const RecordProfiles &p = a.profiles(), &q = b.profiles();
    return a.rows().size() == b.rows().size() &&
           std::memcmp(a.rows().data(), b.rows().data(), a.rows().size() * sizeof(RecordRow)) == 0 &&
           p.x.size() == q.x.size() && std::memcmp(p.x.data(), q.x.data(), bytes(p.x)) == 0 &&
           std::memcmp(p.hot.data(), q.hot.data(), bytes(p.hot)) == 0 &&
           std::memcmp(p.cold.data(), q.cold.data(), bytes(p.cold)) == 0 &&
           std::memcmp(p.wall.data(), q.wall.data(), bytes(p.wall)) == 0 && p.time == q.time;
}

// "Marche" on a window of plain data, run to its end through the worker.
struct WindowRun {
    std::unique_ptr<ModelState> model = std::make_unique<ModelState>();
    FakeWindow window;
    std::unique_ptr<RunControl> control;

    WindowRun(const Texts& texts, bool coCurrent, Representation shown) {
        window.model = model.get();
        std::copy(texts.begin(), texts.end(), window.texts.begin());
        window.checked = coCurrent;
        window.shown = shown;
        control = std::make_unique<RunControl>(*model, window, window);
        control->start();
        EXPECT_TRUE(waitFor([&] { return control->simu()->disposed(); }));
    }
};

TEST(Batch, RecordsTheSameBitsAsAWindowRunInBothArrangementsWhateverTheChartShows) {
    // A typed inlet off the slider's grid and a flow the slider brings back:
    // the slider handlers rewrite the fields in both runs.
    const Texts texts =
        textsWith({{Field::tecbox, "65,5"}, {Field::debcbox, "0.0512"}, {Field::Tmmaxbox, "6"}});
    for (bool coCurrent : {true, false}) {
        const WindowRun windowed(texts, coCurrent, Representation::EntropyProduction);
        auto model = std::make_unique<ModelState>();
        RunRecord record;
        const BatchOutcome outcome = runWithoutWindow(*model, texts, coCurrent, record);
        EXPECT_FALSE(outcome.faulted);
        const RunRecord& shown = windowed.control->record();
        EXPECT_EQ(record.rows().size(), 37u); // a refresh every 40 steps of 0.004 s
        EXPECT_TRUE(sameBits(record, shown)) << coCurrent;
        EXPECT_EQ(nodeHash(model->newNodes), nodeHash(windowed.model->newNodes));
        for (auto dialect : {files::CsvDialect::Point, files::CsvDialect::Comma}) {
            EXPECT_EQ(files::recordCsv(record, dialect), files::recordCsv(shown, dialect));
            EXPECT_EQ(files::profilesCsv(record, dialect), files::profilesCsv(shown, dialect));
        }
        // What the display shows is untouched by the record: its far-end
        // curve holds the record's hot column.
        const auto& hot = windowed.window.points(SeriesId::Series7);
        ASSERT_EQ(hot.size(), shown.rows().size());
        for (std::size_t i = 0; i < hot.size(); ++i)
            EXPECT_EQ(hot[i].y, shown.rows()[i][int(RecordColumn::HotOutlet)]);
    }
}

// The same texts typed into the window's fields (the tests' fake form, its
// slider handlers on) and run without a worker.
std::uint64_t typedRunHash(const Texts& texts, bool coCurrent) {
    auto model = std::make_unique<ModelState>();
    FakeForm form(*model);
    std::copy(texts.begin(), texts.end(), form.texts.begin());
    form.checked = coCurrent;
    acquisition(*model, form);
    etat_initial(*model);
    BeginRun(*model);
    do
        AdvanceStep(*model);
    while (model->time < model->params.tmax);
    return nodeHash(model->newNodes);
}

TEST(Batch, ASetUpFromAFileRunsAsItsTextsTypedAndTheDefaultsGiveTheKnownResults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("défauts.calidor"));
    for (bool counter : {false, true}) {
        files::SetupDocument setup;
        setup.counterCurrent = counter;
        ASSERT_EQ(files::writeSetupFile(path, setup), QString());
        const files::SetupReading read = files::readSetupFile(path);
        ASSERT_TRUE(read.setup);
        auto model = std::make_unique<ModelState>();
        RunRecord record;
        runWithoutWindow(*model, read.setup->texts, !read.setup->counterCurrent, record);
        EXPECT_EQ(nodeHash(model->newNodes), counter ? 0x636849892aed23e5u : 0x355c8ac0f5974a54u);
    }
    files::SetupDocument changed;
    changed.text(Field::tecbox) = " 81.25 ";
    changed.text(Field::debfbox) = "0,031"; // beyond the slider: brought back to its end
    changed.text(Field::Tmmaxbox) = "20";
    changed.text(Field::Edit_long) = "1.5";
    ASSERT_EQ(files::writeSetupFile(path, changed), QString());
    const files::SetupReading read = files::readSetupFile(path);
    ASSERT_TRUE(read.setup);
    auto model = std::make_unique<ModelState>();
    RunRecord record;
    runWithoutWindow(*model, read.setup->texts, true, record);
    EXPECT_EQ(nodeHash(model->newNodes), typedRunHash(changed.texts, true));
    EXPECT_EQ(model->params.debf, flowOfSliderPosition(100));
}

TEST(Batch, AFaultEndsTheRunWithItsTimeAndReasonAndKeepsWhatWasRecorded) {
    auto model = std::make_unique<ModelState>();
    RunRecord record;
    const BatchOutcome outcome =
        runWithoutWindow(*model, textsWith({{Field::dtbox, "0.0063"}}), true, record);
    ASSERT_TRUE(outcome.faulted);
    EXPECT_TRUE(outcome.faultMessage.contains(QStringLiteral("t = 4.7")))
        << outcome.faultMessage.toStdString();
    EXPECT_TRUE(outcome.faultMessage.contains(QStringLiteral("stabilité")));
    EXPECT_FALSE(record.empty());
    for (const RecordRow& row : record.rows())
        for (double v : row)
            EXPECT_TRUE(std::isfinite(v));

    // A start below absolute zero faults before the first step: nothing recorded.
    auto cold = std::make_unique<ModelState>();
    const BatchOutcome early = runWithoutWindow(*cold, textsWith({{Field::tinitbox, "-300"}}), true, record);
    EXPECT_TRUE(early.faulted);
    EXPECT_TRUE(record.empty());
}

} // namespace
