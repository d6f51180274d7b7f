// The default run with the display, offscreen, from "Marche" to the start
// button enabled again, against the same 75001 steps without a window; and
// how soon the window answers while the run computes.
#include "bench/headlessrun.h"
#include "charts/chartview.h"
#include "ui/visu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace calidor;
using Clock = std::chrono::steady_clock;

namespace {

double headlessRun() {
    auto model = std::make_unique<ModelState>();
    return bench::timedHeadlessRun(*model);
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// While the run computes, a prober thread posts work to the window every
// 20 ms, as a user's input arrives: each time a slider moves (its handler
// runs acquisition under the model lock) and, every other time, a click on
// "ACTUALISE". Latency: from the post to the end of the handler.
struct Responsiveness {
    std::mutex mutex;
    std::vector<double> latenciesMs;
};

void probe(TForm1& form, Responsiveness& r, std::atomic<bool>& running) {
    auto* slider = form.findChild<QSlider*>(QStringLiteral("TrackBar_TEC"));
    auto* actualise = form.findChild<QPushButton*>(QStringLiteral("Button5"));
    int n = 0;
    while (running.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto posted = Clock::now();
        const bool click = (++n % 2) == 0;
        QMetaObject::invokeMethod(
            &form,
            [&r, slider, actualise, posted, click, n] {
                if (click)
                    actualise->click();
                else
                    slider->setValue(60 + n % 20);
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - posted).count();
                std::lock_guard lock(r.mutex);
                r.latenciesMs.push_back(ms);
            },
            Qt::QueuedConnection);
    }
}

double displayedRun(bool withProbe, Responsiveness& r) {
    auto model = std::make_unique<ModelState>();
    TForm1 form(*model);
    form.show();
    auto* start = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    std::atomic<bool> running{true};
    QElapsedTimer timer;
    timer.start();
    start->click();
    std::thread prober;
    if (withProbe)
        prober = std::thread(probe, std::ref(form), std::ref(r), std::ref(running));
    while (!start->isEnabled())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = timer.nsecsElapsed() / 1e9;
    for (const char* name : {"Chart1", "Chart3", "Chart2"})
        if (auto* chart = form.findChild<charts::ChartView*>(QString::fromLatin1(name)))
            std::printf("  %s painted %d times\n", name, chart->drawStats().paints);
    running = false;
    if (prober.joinable())
        prober.join();
    QCoreApplication::processEvents();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const double headless = headlessRun();
    Responsiveness unused, r;
    const double displayed = displayedRun(false, unused);
    const double probed = displayedRun(true, r);

    std::printf("default run, 75001 steps\n");
    std::printf("  headless (model alone)        %8.3f s  (%.1f us a step)\n", headless,
                headless / 75001 * 1e6);
    std::printf("  with the display, offscreen   %8.3f s  (%.2f x headless)\n", displayed,
                displayed / headless);
    std::printf("  same, with a user acting      %8.3f s  (%.2f x headless)\n", probed, probed / headless);
    std::printf("window response while the run computes (%zu slider moves and clicks)\n",
                r.latenciesMs.size());
    std::printf("  median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n", percentile(r.latenciesMs, 0.5),
                percentile(r.latenciesMs, 0.99), percentile(r.latenciesMs, 1.0));
    return 0;
}
