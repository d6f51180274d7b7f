// One display refresh on the real main window, offscreen: the three charts
// at their sizes, with the time series already holding 0, 2 000, 20 000 or
// 100 000 points each.
#include "charts/chartview.h"
#include "model/acquisition.h"
#include "model/balances.h"
#include "model/timestep.h"
#include "run/refreshdisplay.h"
#include "ui/bilan.h"
#include "ui/visu.h"

#include <QAction>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

using namespace calidor;

namespace {

constexpr SeriesId GrowingSeries[] = {SeriesId::Series5, SeriesId::Series7, SeriesId::Series9,
                                      SeriesId::Series11, SeriesId::Series3};

// With "Bilan et théorie" shown and the steady profiles on the profile chart
// (the window is created hidden: the plain refresh pays only for its snapshot).
bool withBilan = false;

void refresh(benchmark::State& state) {
    const int accumulated = static_cast<int>(state.range(0));
    auto model = std::make_unique<ModelState>();
    TForm1 form(*model);
    form.show();
    if (withBilan) {
        auto* bilan = form.findChild<BilanWindow*>(QStringLiteral("Bilan"));
        bilan->show();
        bilan->profileAction()->setChecked(true);
        bilan->settle();
    }
    QCoreApplication::processEvents(); // the window is exposed: repaints really paint
    etat_initial(*model);
    BeginRun(*model);
    for (int i = 0; i < 4000; ++i) { // a profile in motion, 16 s into a run
        AdvanceStep(*model);
    }
    // Curves of a long run so far, ending where the run stands.
    const double period = RefreshPeriod * model->params.dt;
    for (int k = 0; k < accumulated; ++k) {
        const double t = model->time - (accumulated - k) * period;
        for (SeriesId s : GrowingSeries)
            form.addPoint(s, t, 20 + 10 * ((k * 7919) % 97) / 97.0);
    }
    RefreshDisplay(*model, form);
    auto* chart3 = form.findChild<charts::ChartView*>(QStringLiteral("Chart3"));
    const int paintsBefore = chart3->drawStats().paints;
    for (auto _ : state) {
        model->time += period; // the next refresh, RefreshPeriod steps later
        RefreshDisplay(*model, form);
    }
    state.counters["points"] = accumulated;
    state.counters["paints"] = chart3->drawStats().paints - paintsBefore;
}
BENCHMARK(refresh)
    ->Arg(0)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--with-bilan") == 0)
            withBilan = true;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
