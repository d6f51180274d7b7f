#pragma once
// A main window without widgets for the run tests: field texts, sliders and
// the check box for acquisition; series, titles and controls for the runs.

#include "model/acquisition.h"
#include "model/numbertext.h"
#include "run/runwindow.h"

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

class FakeWindow : public AcquisitionForm, public RunWindow {
public:
    FakeWindow() {
        const char* texts[FieldCount] = {"2.00",  "70.00",  "5.00", "4180.00", "4180.00", "500.00",
                                         "0.0500", "0.0500", "0.0100", "2000",   "2000",    "0.1",
                                         "0.1",   "1",      "0.0150", "0.0150", "300.00",  "0.0040"};
        for (int f = 0; f < FieldCount; ++f)
            fields[f] = texts[f];
    }

    // AcquisitionForm
    std::string fieldText(Field f) const override { return fields[int(f)]; }
    void setFieldText(Field f, const std::string& text) override { fields[int(f)] = text; }
    int sliderPosition(Slider s) const override { return sliders[int(s)]; }
    void setSliderPosition(Slider s, int position) override {
        if (sliders[int(s)] == position)
            return;
        sliders[int(s)] = position;
        if (model)
            sliderChanged(*model, *this, s);
    }
    bool coCurrentChecked() const override { return checked; }
    void repaintNow() override {}

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
    void repaintChart(ChartId c) override { repaints.push_back(c); }
    void setChartTitle(ChartId c, const QString& title) override { titles[int(c)] = title; }
    void setTimeText(const QString& text) override {
        timeText = text;
        ++refreshes;
        if (onRefresh)
            onRefresh();
    }
    Representation representation() const override { return shown; }
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void disableRepresentation() override { representationEnabled = false; }
    void disableLength() override { lengthEnabled = false; }
    void reportRunFault(const QString& message) override { faults.push_back(message); }

    const std::vector<Point>& points(SeriesId s) const { return series[int(s)]; }

    ModelState* model = nullptr; // for the nested slider handlers
    std::array<std::string, FieldCount> fields;
    std::array<int, 4> sliders{2, 70, 50, 50};
    bool checked = true;
    std::array<std::vector<Point>, 11> series;
    std::vector<ChartId> repaints;
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
