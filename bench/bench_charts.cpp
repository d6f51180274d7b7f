// One display refresh of the three charts of the main window, offscreen, at the charts' sizes, with the
// time series already holding 0, 2 000, 20 000 or 100 000 points each. The figure that counts is the
// median time of one refresh ("median_ms").
#include "charts/chartview.h"
#include "ui/looks.h"

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using calidor::charts::AxisRange;
using calidor::charts::ChartView;
using calidor::charts::Series;
using calidor::charts::SeriesStyle;

using calidor::WindowBeige;
using namespace calidor::colours; // the main window's curve colours

constexpr double kRefreshPeriod = 0.16; // simulated seconds between two refreshes (40 steps of 0.004 s)
constexpr int kNodes = 101;

// A 104 x 52 pale paper texture, made here so the benchmark needs no picture file.
QPixmap paperTile() {
    QImage tile(104, 52, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const int d = static_cast<int>(noise.bounded(17)) - 8;
            tile.setPixel(x, y, qRgb(WindowBeige.red() + d, WindowBeige.green() + d, WindowBeige.blue() + d));
        }
    return QPixmap::fromImage(tile);
}

// The three charts placed as in the main window, with their series.
struct Charts {
    QWidget window;
    ChartView* chart1;
    ChartView* chart2;
    ChartView* chart3;
    Series *s1, *s2, *s4, *s5, *s6, *s7, *s8, *s9, *s10, *s11, *s3;

    Charts() {
        window.resize(949, 679);
        const QPixmap tile = paperTile();
        const QFont titleFont = calidor::comicFont(13);
        auto make = [&](const char* name, QRect geometry, const char* title) {
            auto* chart = new ChartView(&window);
            chart->setObjectName(name);
            chart->setGeometry(geometry);
            chart->setTitle(QString::fromUtf8(title));
            chart->setBackgroundTile(tile);
            return chart;
        };
        chart1 = make("Chart1", {160, 0, 321, 281}, "Profil de température");
        chart3 = make("Chart3", {0, 328, 393, 209}, "Températures de sortie");
        chart2 = make("Chart2", {456, 400, 457, 233}, "Puissances (Entrée/Sortie) : kW");
        for (ChartView* chart : {chart1, chart3}) {
            chart->setTitleFont(titleFont);
            chart->setTitleColor(Blue);
        }
        chart1->setLeftAxis({false, false, 0, 100});
        chart1->setBottomAxis({false, true, 0, 0});
        chart3->setLeftAxis({false, false, 0, 100});

        const SeriesStyle line{Red, 2, false, 5, 5};
        auto style = [&](QColor color, bool marker) {
            SeriesStyle s = line;
            s.color = color;
            s.marker = marker;
            s.lineWidth = marker ? 1 : 2;
            return s;
        };
        s1 = chart1->addSeries("Series1", style(Red, false));
        s2 = chart1->addSeries("Series2", style(Blue, false));
        s4 = chart1->addSeries("Series4", style(Fuchsia, false));
        s5 = chart3->addSeries("Series5", style(Fuchsia, false));
        s6 = chart3->addSeries("Series6", style(Fuchsia, true));
        s7 = chart3->addSeries("Series7", style(Red, false));
        s8 = chart3->addSeries("Series8", style(Red, true));
        s9 = chart3->addSeries("Series9", style(Blue, false));
        s10 = chart3->addSeries("Series10", style(Blue, true));
        s11 = chart2->addSeries("Series11", style(Red, false));
        s3 = chart2->addSeries("Series3", style(Blue, false));
        window.show();
        QCoreApplication::processEvents();
    }

    // Plausible exchanger values at time t: outlets settling towards their steady state with a slow
    // ripple, and the powers decaying from their start-up peak.
    static double hotOutlet(double t) { return 40 + 30 * std::exp(-t / 25) + 0.5 * std::sin(t / 3); }
    static double coldOutlet(double t) { return 30 - 25 * std::exp(-t / 25) + 0.5 * std::cos(t / 4); }
    static double wallEnd(double t) { return 35 + 2 * std::sin(t / 5) - 30 * std::exp(-t / 25); }
    static double hotPower(double t) { return -(2.0 + 1.5 * std::exp(-t / 30) + 0.05 * std::sin(t)); }
    static double coldPower(double t) { return 1.9 + 1.4 * std::exp(-t / 30) + 0.05 * std::cos(t); }

    void appendTimePoint(double t) {
        s5->addXY(t, wallEnd(t));
        s7->addXY(t, hotOutlet(t));
        s9->addXY(t, coldOutlet(t));
        s11->addXY(t, hotPower(t));
        s3->addXY(t, coldPower(t));
    }

    // One refresh, in the order the main window does it.
    void refresh(double t) {
        s1->clear();
        s2->clear();
        s4->clear();
        s6->clear();
        s8->clear();
        s10->clear();
        for (int i = 0; i < kNodes; ++i) {
            const double x = i * 0.01;
            const double phase = std::sin(t / 7);
            s1->addXY(x, 70 - 35 * x + 3 * phase);
            s2->addXY(x, 2 + 30 * x - 2 * phase);
            s4->addXY(x, 36 - 2 * x + phase);
        }
        s5->addXY(t, wallEnd(t));
        s6->addXY(t, wallEnd(t));
        s7->addXY(t, hotOutlet(t));
        s8->addXY(t, hotOutlet(t));
        s9->addXY(t, coldOutlet(t));
        s10->addXY(t, coldOutlet(t));
        s11->addXY(t, hotPower(t));
        s3->addXY(t, coldPower(t));
        chart1->repaintNow();
        chart3->repaintNow();
        chart2->repaintNow();
    }
};

void BM_Refresh(benchmark::State& state) {
    const auto accumulated = static_cast<int>(state.range(0));
    auto charts = std::make_unique<Charts>();
    for (int k = 1; k <= accumulated; ++k)
        charts->appendTimePoint(k * kRefreshPeriod);
    int refreshes = accumulated;
    charts->refresh(++refreshes * kRefreshPeriod); // the first paint builds every cache
    QCoreApplication::processEvents();

    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        charts->refresh(++refreshes * kRefreshPeriod);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1e3);
        // Between two refreshes the event loop runs, as it does while a run computes.
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p90_ms"] = times[times.size() * 9 / 10];
        state.counters["max_ms"] = times.back();
    }
}
BENCHMARK(BM_Refresh)
    ->Arg(0)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(100000)
    ->Iterations(500)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A second run started without emptying the curves: its points, from time 0 again with another refresh
// phase, go in among the first run's (the x order puts each one between two older points).
void BM_RefreshSecondRun(benchmark::State& state) {
    const auto firstRun = static_cast<int>(state.range(0));
    auto charts = std::make_unique<Charts>();
    for (int k = 1; k <= firstRun; ++k)
        charts->appendTimePoint(k * kRefreshPeriod);
    int refreshes = 0;
    charts->refresh((++refreshes - 0.5) * kRefreshPeriod);
    QCoreApplication::processEvents();

    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        charts->refresh((++refreshes - 0.5) * kRefreshPeriod);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1e3);
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["median_ms"] = times[times.size() / 2];
    const ChartView::DrawStats& stats = charts->chart3->drawStats();
    state.counters["chart3_mends"] = stats.layerMends;
    state.counters["chart3_redraws"] = stats.layerRedraws;
}
BENCHMARK(BM_RefreshSecondRun)
    ->Arg(1875)
    ->Arg(20000)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
