#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace charts {

/// The smallest and largest finite values held on one axis of a series.
struct ValueBounds {
    bool valid = false; ///< false while no finite value has been added
    double min = 0;
    double max = 0;

    /// Widens the bounds to take in v; non-finite values are ignored.
    void include(double v);
    /// Widens the bounds to take in the other bounds.
    void include(const ValueBounds& other);
};

/// The points of one line series, kept in ascending x.
///
/// A point whose x is not below the last point's x is appended (the common case, O(1) amortised); any
/// other point goes right after the last point whose x does not exceed its own, or to the front if there
/// is none, so points of equal x keep the order in which they came. A plain data class: no Qt, no window.
class PointList {
public:
    /// Adds a point at its place in x order and returns the index it now has.
    std::size_t add(double x, double y);
    /// Removes every point.
    void clear();

    std::size_t size() const { return m_x.size(); }
    bool empty() const { return m_x.empty(); }
    double x(std::size_t i) const { return m_x[i]; }
    double y(std::size_t i) const { return m_y[i]; }

    /// Bounds of the finite x and y values added since the last clear.
    const ValueBounds& xBounds() const { return m_xBounds; }
    const ValueBounds& yBounds() const { return m_yBounds; }

    /// Index of the first point whose x is not below x (the size if none).
    std::size_t lowerBound(double x) const;
    /// Index of the first point whose x is above x (the size if none).
    std::size_t upperBound(double x) const;

    /// Changes whenever points already held move or go away (a clear, or an insertion before the last
    /// point); appending leaves it as it is, so a drawing of the first n points stays valid while it holds.
    std::uint64_t revision() const { return m_revision; }

    /// The points inserted before the end since some revision: how many, and the span of their x.
    struct Insertions {
        std::size_t count = 0;
        double minX = 0;
        double maxX = 0;
    };
    /// What was inserted since the given revision, if nothing else moved points since (no clear) and the
    /// record reaches back that far; a drawing can then be mended around those x alone.
    std::optional<Insertions> insertionsSince(std::uint64_t revision) const;

private:
    std::vector<double> m_x;
    std::vector<double> m_y;
    ValueBounds m_xBounds;
    ValueBounds m_yBounds;
    std::uint64_t m_revision = 0;
    // Recent insertions as (revision after it, x), and the revision from which the record is complete.
    std::vector<std::pair<std::uint64_t, double>> m_insertions;
    std::uint64_t m_recordedFrom = 0;
};

} // namespace charts
