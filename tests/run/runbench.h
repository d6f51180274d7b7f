#pragma once
// A run control on a window of plain data, with its own model state, for the
// run tests.

#include "fakewindow.h"

#include "model/modelstate.h"
#include "run/modellock.h"
#include "run/runcontrol.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace calidor::testing {

struct Bench {
    std::unique_ptr<ModelState> model = std::make_unique<ModelState>();
    FakeWindow window;
    std::unique_ptr<RunControl> control;

    Bench() {
        window.model = model.get();
        control = std::make_unique<RunControl>(*model, window, window);
    }
    void setField(Field f, const char* text) { window.texts[int(f)] = text; }
    std::int64_t nstep() {
        ModelLock lock(modelMutex());
        return model->nstep;
    }
    double time() {
        ModelLock lock(modelMutex());
        return model->time;
    }
    bool ended() { return control->simu() && control->simu()->disposed(); }
};

inline std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
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
