#include "run/pace.h"

#include <algorithm>
#include <cmath>

namespace calidor {

namespace {
// A step is never due further ahead than this (a huge time step at real
// time), which keeps the wall-clock arithmetic in range.
constexpr double LongestWait = 1e6; // s
} // namespace

double simulatedSecondsPerSecond(Pace pace) {
    switch (pace) {
    case Pace::Max:
        return 0;
    case Pace::RealTime:
        return 1;
    case Pace::Tenfold:
        return 10;
    case Pace::Tenth:
        return 0.1;
    }
    return 0;
}

Pacer::Clock::time_point Pacer::due(double simulatedTime, Clock::time_point now) {
    const double rate = simulatedSecondsPerSecond(m_pace);
    if (rate == 0)
        return now;
    if (!m_anchored) {
        m_anchored = true;
        m_wallAnchor = now;
        m_simulatedAnchor = simulatedTime;
        return now;
    }
    double ahead = (simulatedTime - m_simulatedAnchor) / rate; // s of wall time since the anchor
    // A time step of zero or below, or a time that is not a number, never
    // makes the worker wait.
    if (!(ahead > 0) || !std::isfinite(ahead))
        return now;
    ahead = std::min(ahead, LongestWait);
    const auto dueAt =
        m_wallAnchor + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(ahead));
    if (now - dueAt > LargestLag) {
        m_wallAnchor = now;
        m_simulatedAnchor = simulatedTime;
        return now;
    }
    return dueAt > now ? dueAt : now;
}

} // namespace calidor
