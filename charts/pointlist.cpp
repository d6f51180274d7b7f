#include "pointlist.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace charts {

namespace {
// Insertions remembered for mending drawings; older ones are forgotten half at a time.
constexpr std::size_t kInsertionRecord = 1024;
} // namespace

void ValueBounds::include(double v) {
    if (!std::isfinite(v))
        return;
    if (!valid) {
        valid = true;
        min = max = v;
        return;
    }
    min = std::min(min, v);
    max = std::max(max, v);
}

void ValueBounds::include(const ValueBounds& other) {
    if (other.valid) {
        include(other.min);
        include(other.max);
    }
}

std::size_t PointList::add(double x, double y) {
    m_xBounds.include(x);
    m_yBounds.include(y);

    // "Not below the last x" rather than "at or above": a NaN x is appended too, so it can never make
    // the search below run over a range that is not ordered around it.
    if (m_x.empty() || !(x < m_x.back())) {
        m_x.push_back(x);
        m_y.push_back(y);
        return m_x.size() - 1;
    }

    // upper_bound finds the first point whose x is above the new one: the new point goes right after
    // the last point whose x does not exceed its own.
    const auto at = std::upper_bound(m_x.begin(), m_x.end(), x);
    const auto index = static_cast<std::size_t>(std::distance(m_x.begin(), at));
    m_x.insert(at, x);
    m_y.insert(m_y.begin() + static_cast<std::ptrdiff_t>(index), y);
    ++m_revision;
    if (m_insertions.size() == kInsertionRecord) {
        const auto half = static_cast<std::ptrdiff_t>(kInsertionRecord / 2);
        m_recordedFrom = m_insertions[static_cast<std::size_t>(half - 1)].first;
        m_insertions.erase(m_insertions.begin(), m_insertions.begin() + half);
    }
    m_insertions.emplace_back(m_revision, x);
    return index;
}

void PointList::clear() {
    m_x.clear();
    m_y.clear();
    m_xBounds = {};
    m_yBounds = {};
    ++m_revision;
    m_insertions.clear();
    m_recordedFrom = m_revision;
}

std::size_t PointList::lowerBound(double x) const {
    return static_cast<std::size_t>(std::lower_bound(m_x.begin(), m_x.end(), x) - m_x.begin());
}

std::size_t PointList::upperBound(double x) const {
    return static_cast<std::size_t>(std::upper_bound(m_x.begin(), m_x.end(), x) - m_x.begin());
}

std::optional<PointList::Insertions> PointList::insertionsSince(std::uint64_t revision) const {
    if (revision < m_recordedFrom || revision > m_revision)
        return std::nullopt;
    Insertions found;
    for (auto it = m_insertions.rbegin(); it != m_insertions.rend() && it->first > revision; ++it) {
        const double x = it->second;
        if (!std::isfinite(x))
            return std::nullopt; // an infinite x has no place on screen to mend
        found.minX = found.count == 0 ? x : std::min(found.minX, x);
        found.maxX = found.count == 0 ? x : std::max(found.maxX, x);
        ++found.count;
    }
    return found;
}

} // namespace charts
