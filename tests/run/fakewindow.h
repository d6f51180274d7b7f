#pragma once
// A main window without widgets for the run tests: the shared fake form for
// acquisition; series, titles and controls for the runs.

#include "model/acquisition.h"
#include "model/numbertext.h"
#include "run/runwindow.h"
#include "tests/common/fakeform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace calidor::testing {

struct Point {
    double x, y;
};

class FakeWindow : public FakeForm, public RunWindow {
public:
    // RunWindow
    void clearSeries(SeriesId s) override { series[int(s)].clear(); }
    void addPoint(SeriesId s, double x, double y) override {
        // The charts' own insertion rule: after the last point whose x does not exceed x.
        auto& points = series[int(s)];
        auto it = points.end();
        while (it != points.begin() && std::prev(it)->x > x)
            --it;
        points.insert(it, Point{x, y});
    }
    void repaintChart(ChartId c) override { chartRepaints.push_back(c); }
    void setChartTitle(ChartId c, const QString& title) override { titles[int(c)] = title; }
    void setTimeText(const QString& text) override {
        timeText = text;
        ++refreshes;
        if (onRefresh)
            onRefresh();
    }
    Representation representation() const override { return shown; }
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void setRepresentationEnabled(bool enabled) override { representationEnabled = enabled; }
    void setLengthEnabled(bool enabled) override { lengthEnabled = enabled; }
    void reportRunFault(const QString& message) override { faults.push_back(message); }

    const std::vector<Point>& points(SeriesId s) const { return series[int(s)]; }

    std::array<std::vector<Point>, 11> series;
    std::vector<ChartId> chartRepaints;
    std::array<QString, 3> titles{QString(), QString::fromUtf8("Puissances (Entrée/Sortie) : kW"), QString()};
    QString timeText = QStringLiteral("0");
    int refreshes = 0;
    Representation shown = Representation::Powers;
    bool startEnabled = true;
    bool representationEnabled = true;
    bool lengthEnabled = true;
    std::vector<QString> faults;
    std::function<void()> onRefresh;
};

/// Processes events until `done` holds or `seconds` pass; returns `done()`.
inline bool waitFor(const std::function<bool()>& done, double seconds = 120) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > seconds * 1000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace calidor::testing
