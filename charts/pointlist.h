#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace calidor::charts {

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
///
/// Memory stays bounded however long a run goes on: every point is kept up to the point limit, and beyond
/// it the older points are thinned. They are cut into groups of consecutive points, each kept as its first
/// point, its last point and the first points of its lowest and highest y, in their order; when that is no
/// longer enough, neighbouring groups merge in pairs (a summary of summaries is the summary of the whole),
/// so all groups cover about the same number of points and that number grows with the run. The newest
/// points (at least a quarter of the limit) stay whole. A chart that reduces a long series to the first,
/// last, lowest and highest point of each pixel column draws the same column from the groups as from the
/// points they came from, as long as no group straddles the column's edge; see DESIGN.md for how close
/// the straddled columns come.
class PointList {
public:
    /// Points a list keeps whole before it starts thinning its older part.
    static constexpr std::size_t DefaultPointLimit = 1'000'000;

    /// Adds a point at its place in x order and returns the index it now has (a point that lands in a
    /// thinned group may be left out at once: the index is then where it would have been).
    std::size_t add(double x, double y);
    /// Removes every point and gives a large list's memory back.
    void clear();

    /// The point limit (at least 64); lowering it below the present size thins at once.
    void setPointLimit(std::size_t limit);
    std::size_t pointLimit() const { return m_limit; }
    /// Whether points have been left out since the last clear.
    bool thinned() const { return m_thinned; }
    /// How many points were added since the last clear, whether kept or not.
    std::uint64_t addedCount() const { return m_added; }
    /// Bytes held by the list, reserved ones included.
    std::size_t memoryUsed() const;

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
    // A group of consecutive thinned points: how many points it keeps and how many it stands for.
    struct Group {
        std::uint32_t covered = 0; // saturates; only compared with the group size in points
        std::uint8_t kept = 0;     // 1 to 4
        bool barrier = false;      // a point with a non-finite coordinate: never merged
    };
    void thin();
    void groupTail();
    void mergeGroups(bool throughBreaks);
    void closeGap(std::size_t write, std::size_t read);
    std::size_t summarize(std::size_t from, std::size_t to, std::size_t write);
    void insertIntoGroup(std::size_t index);
    void forgetInsertions();

    std::vector<double> m_x;
    std::vector<double> m_y;
    ValueBounds m_xBounds;
    ValueBounds m_yBounds;
    std::uint64_t m_revision = 0;
    // Recent insertions as (revision after it, x), and the revision from which the record is complete.
    std::vector<std::pair<std::uint64_t, double>> m_insertions;
    std::uint64_t m_recordedFrom = 0;
    // Thinning: points [0, m_grouped) form m_groups, each standing for about m_groupSize added points;
    // the points after them are whole.
    std::size_t m_limit = DefaultPointLimit;
    std::vector<Group> m_groups;
    std::size_t m_grouped = 0;
    std::uint32_t m_groupSize = 0; // 0 until the first thinning
    std::uint64_t m_added = 0;
    bool m_thinned = false;
};

} // namespace calidor::charts
