#pragma once
// The pace of a run: as fast as the machine goes, or tied to the wall clock
// so that a class can watch the fronts move. Pacing only decides when the
// worker takes its next step; it never touches the model, so the computed
// values are the same bits at every pace.

#include <chrono>

namespace calidor {

enum class Pace {
    Max,      ///< "Vitesse maximale": no waiting between steps
    RealTime, ///< "Temps réel": one simulated second per second
    Tenfold,  ///< "Temps réel × 10": ten simulated seconds per second
    Tenth,    ///< "Temps réel ÷ 10": a tenth of a simulated second per second
};

/// Simulated seconds per wall-clock second; 0 for the maximal pace.
double simulatedSecondsPerSecond(Pace pace);

/// Tells the worker when its next step is due. The clock is anchored at a
/// pair (wall time, simulated time) and re-anchored whenever the pace
/// changes, the run resumes, or the worker has fallen too far behind (a
/// machine slower than the pace, a long refresh): the run then goes on at
/// the pace from where it is, never racing to catch up.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    /// How far behind the schedule the worker may fall before it re-anchors.
    static constexpr std::chrono::milliseconds LargestLag{100};

    explicit Pacer(Pace pace = Pace::Max) : m_pace(pace) {}

    Pace pace() const { return m_pace; }
    /// A new pace takes effect from the next step, counted from now.
    void setPace(Pace pace) {
        m_pace = pace;
        m_anchored = false;
    }
    /// Counts from now again (after a halt).
    void reanchor() { m_anchored = false; }

    /// The wall time at which the step that starts at `simulatedTime` is due,
    /// or `now` when it is due at once (maximal pace, or behind schedule).
    Clock::time_point due(double simulatedTime, Clock::time_point now);

private:
    Pace m_pace;
    bool m_anchored = false;
    Clock::time_point m_wallAnchor{};
    double m_simulatedAnchor = 0;
};

} // namespace calidor
