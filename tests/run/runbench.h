#pragma once
// A run control on a window of plain data, with its own model state, for the
// run tests.

#include "fakewindow.h"

#include "model/acquisition.h"
#include "model/balances.h"
#include "model/modelstate.h"
#include "model/timestep.h"
#include "run/modellock.h"
#include "run/runcontrol.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <vector>

namespace calidor::testing {

/// The threads of this process now (Linux): a run that has ended leaves none.
inline int threadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

struct Bench {
    std::unique_ptr<ModelState> model = std::make_unique<ModelState>();
    FakeWindow window;
    std::unique_ptr<RunControl> control;

    Bench() {
        window.model = model.get();
        control = std::make_unique<RunControl>(*model, window, window);
    }
    void setField(Field f, const char* text) { window.texts[int(f)] = text; }
    /// "Marche" for a run of `tmax` seconds (the text of "Time max (s)").
    void start(const char* tmax) {
        setField(Field::Tmmaxbox, tmax);
        control->start();
    }
    std::int64_t nstep() {
        ModelLock lock(modelMutex());
        return model->nstep;
    }
    double time() {
        ModelLock lock(modelMutex());
        return model->time;
    }
    bool ended() { return control->simu() && control->simu()->disposed(); }
    /// The threads of the process once a first, one-step run has come and
    /// gone: a sanitizer's runtime starts a helper thread with the first
    /// worker, which then stays.
    int threadsAtRest() {
        start("0");
        waitFor([&] { return ended(); });
        control->stop();
        QTest::qWait(20);
        return threadCount();
    }
    bool halted() { return control->simu() && control->simu()->isHalted(); }
};

inline std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

/// A field's text changed once a run has made `atStep` steps.
struct FieldChange {
    std::int64_t atStep;
    Field field;
    const char* text;
};

/// The same run without a window, the reference that a windowed run must
/// match bit for bit: the start-up texts with "Time max (s)" set, the initial
/// state, then `steps` steps, each change taken by acquisition at its step.
inline std::unique_ptr<ModelState> headlessReplay(const char* tmax, std::int64_t steps,
                                                  std::initializer_list<FieldChange> changes) {
    auto reference = std::make_unique<ModelState>();
    FakeWindow form;
    form.model = reference.get();
    form.texts[int(Field::Tmmaxbox)] = tmax;
    acquisition(*reference, form);
    etat_initial(*reference);
    BeginRun(*reference);
    std::int64_t done = 0;
    auto advanceTo = [&](std::int64_t step) {
        for (; done < step; ++done)
            AdvanceStep(*reference);
    };
    for (const FieldChange& change : changes) {
        advanceTo(change.atStep);
        form.texts[int(change.field)] = change.text;
        acquisition(*reference, form);
    }
    advanceTo(steps);
    return reference;
}

inline bool allFinite(const std::vector<Point>& points) {
    for (const Point& p : points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
    return true;
}

inline bool sortedByX(const std::vector<Point>& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].x < points[i - 1].x)
            return false;
    return true;
}

} // namespace calidor::testing
