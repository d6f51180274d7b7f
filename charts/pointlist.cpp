#include "charts/pointlist.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace calidor::charts {

namespace {
// Insertions remembered for mending drawings; older ones are forgotten half at a time.
constexpr std::size_t kInsertionRecord = 1024;
// Points a group stands for at the first thinning: it keeps at most 4 of them.
constexpr std::uint32_t kFirstGroupSize = 8;
// Emptying keeps the reserved memory of a list no longer than this (a profile refilled at every refresh);
// a longer list gives it back.
constexpr std::size_t kKeptCapacity = 65536;

bool finitePoint(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}
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
    ++m_added;

    // "Not below the last x" rather than "at or above": a NaN x is appended too, so it can never make
    // the search below run over a range that is not ordered around it.
    if (m_x.size() == m_x.capacity() && m_x.size() <= m_limit && 2 * m_x.size() > m_limit) {
        // Room for the limit and the one point past it that starts a thinning, and no more.
        m_x.reserve(m_limit + 1);
        m_y.reserve(m_limit + 1);
    }
    if (m_x.empty() || !(x < m_x.back())) {
        m_x.push_back(x);
        m_y.push_back(y);
        if (m_x.size() > m_limit)
            thin(); // the newest points stay whole: the new one is still the last
        return m_x.size() - 1;
    }

    // upper_bound finds the first point whose x is above the new one: the new point goes right after
    // the last point whose x does not exceed its own.
    const auto at = std::upper_bound(m_x.begin(), m_x.end(), x);
    const auto index = static_cast<std::size_t>(std::distance(m_x.begin(), at));
    m_x.insert(at, x);
    m_y.insert(m_y.begin() + static_cast<std::ptrdiff_t>(index), y);
    if (index < m_grouped) {
        insertIntoGroup(index);
        if (m_x.size() > m_limit)
            thin();
        return std::min(index, m_x.size() - 1);
    }
    ++m_revision;
    if (m_insertions.size() == kInsertionRecord) {
        const auto half = static_cast<std::ptrdiff_t>(kInsertionRecord / 2);
        m_recordedFrom = m_insertions[static_cast<std::size_t>(half - 1)].first;
        m_insertions.erase(m_insertions.begin(), m_insertions.begin() + half);
    }
    m_insertions.emplace_back(m_revision, x);
    if (m_x.size() > m_limit) {
        thin();
        return std::min(index, m_x.size() - 1);
    }
    return index;
}

void PointList::clear() {
    if (m_x.capacity() > kKeptCapacity) {
        std::vector<double>().swap(m_x);
        std::vector<double>().swap(m_y);
    } else {
        m_x.clear();
        m_y.clear();
    }
    std::vector<Group>().swap(m_groups);
    m_grouped = 0;
    m_groupSize = 0;
    m_added = 0;
    m_thinned = false;
    m_xBounds = {};
    m_yBounds = {};
    forgetInsertions();
}

void PointList::setPointLimit(std::size_t limit) {
    m_limit = std::max<std::size_t>(limit, 64);
    if (m_x.size() > m_limit)
        thin();
}

std::size_t PointList::memoryUsed() const {
    return (m_x.capacity() + m_y.capacity()) * sizeof(double) + m_groups.capacity() * sizeof(Group) +
           m_insertions.capacity() * sizeof(m_insertions[0]);
}

void PointList::forgetInsertions() {
    // Points moved or went away: a drawing must start afresh.
    ++m_revision;
    m_insertions.clear();
    m_recordedFrom = m_revision;
}

// Keeps, of the points [from, to) (all finite), the first, the first of the lowest y, the first of the
// highest y and the last, in their order, moved down to start at write (write <= from); returns the end.
// Kept this way, the points of several neighbouring groups summarise their union exactly.
std::size_t PointList::summarize(std::size_t from, std::size_t to, std::size_t write) {
    std::size_t low = from, high = from;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (m_y[i] < m_y[low])
            low = i;
        if (m_y[i] > m_y[high])
            high = i;
    }
    std::size_t keep[4] = {from, std::min(low, high), std::max(low, high), to - 1};
    for (std::size_t k = 0; k < 4; ++k) {
        if (k > 0 && keep[k] == keep[k - 1])
            continue;
        m_x[write] = m_x[keep[k]];
        m_y[write] = m_y[keep[k]];
        ++write;
    }
    return write;
}

// Cuts the whole points after the groups into groups of m_groupSize points, first filling up the last
// group if it stands for fewer; the newest quarter of the limit, and a last incomplete group's worth,
// stay whole. A point with a non-finite coordinate is a group of its own that never merges: it breaks
// the line, and the groups on either side of it stay exact.
void PointList::groupTail() {
    const std::size_t size = m_x.size();
    const std::size_t end = size > m_limit / 4 ? size - m_limit / 4 : 0;
    const std::size_t g = m_groupSize;
    std::size_t read = m_grouped, write = m_grouped;
    if (!m_groups.empty() && !m_groups.back().barrier && m_groups.back().covered < g && read < end) {
        Group& last = m_groups.back();
        const std::size_t start = m_grouped - last.kept;
        std::size_t stop = read;
        while (stop < end && stop - read < g - last.covered && finitePoint(m_x[stop], m_y[stop]))
            ++stop;
        write = summarize(start, stop, start);
        last.covered += static_cast<std::uint32_t>(stop - read);
        last.kept = static_cast<std::uint8_t>(write - start);
        read = stop;
    }
    while (read < end) {
        if (!finitePoint(m_x[read], m_y[read])) {
            m_x[write] = m_x[read];
            m_y[write] = m_y[read];
            m_groups.push_back({1, 1, true});
            ++read, ++write;
            continue;
        }
        std::size_t stop = read;
        while (stop < end && stop - read < g && finitePoint(m_x[stop], m_y[stop]))
            ++stop;
        if (stop - read < g && stop == end)
            break; // an incomplete group's worth: whole for now
        const std::size_t next = summarize(read, stop, write);
        m_groups.push_back(
            {static_cast<std::uint32_t>(stop - read), static_cast<std::uint8_t>(next - write), false});
        write = next;
        read = stop;
    }
    m_grouped = write;
    closeGap(write, read);
}

// Doubles the group size: neighbouring groups merge while together they stand for no more points than
// the new size (two whole groups exactly), and keep the summary of their union.
void PointList::mergeGroups(bool throughBreaks) {
    if (m_groupSize <= UINT32_MAX / 2)
        m_groupSize *= 2;
    std::vector<Group> merged;
    merged.reserve(m_groups.size() / 2 + 1);
    std::size_t read = 0, write = 0;
    for (std::size_t i = 0; i < m_groups.size();) {
        if (m_groups[i].barrier && !throughBreaks) {
            m_x[write] = m_x[read];
            m_y[write] = m_y[read];
            merged.push_back(m_groups[i]);
            ++read, ++write, ++i;
            continue;
        }
        std::uint64_t covered = 0;
        std::size_t kept = 0, j = i;
        for (; j < m_groups.size() && (throughBreaks || !m_groups[j].barrier) &&
               (j == i || covered + m_groups[j].covered <= m_groupSize);
             ++j) {
            covered += m_groups[j].covered;
            kept += m_groups[j].kept;
        }
        const std::size_t next = summarize(read, read + kept, write);
        merged.push_back({static_cast<std::uint32_t>(std::min<std::uint64_t>(covered, UINT32_MAX)),
                          static_cast<std::uint8_t>(next - write), false});
        read += kept;
        write = next;
        i = j;
    }
    m_groups = std::move(merged);
    m_grouped = write;
    closeGap(write, read);
}

// The points from `read` on move down to `write`, over the points that the summaries replaced.
void PointList::closeGap(std::size_t write, std::size_t read) {
    if (write == read)
        return;
    const auto from = static_cast<std::ptrdiff_t>(read), to = static_cast<std::ptrdiff_t>(write);
    std::copy(m_x.begin() + from, m_x.end(), m_x.begin() + to);
    std::copy(m_y.begin() + from, m_y.end(), m_y.begin() + to);
    m_x.resize(m_x.size() - (read - write));
    m_y.resize(m_y.size() - (read - write));
    m_thinned = true;
}

// Brings the list back within its limit: the whole points older than the newest quarter of the limit
// are grouped, and groups merge until at most three quarters of the limit remain. Only a series broken
// by non-finite points nearly everywhere has its breaks merged too (its drawing then loses some breaks).
void PointList::thin() {
    if (m_groupSize == 0)
        m_groupSize = kFirstGroupSize;
    const std::size_t target = m_limit - m_limit / 4;
    groupTail();
    bool throughBreaks = false;
    while (m_x.size() > target) {
        const std::size_t before = m_x.size();
        mergeGroups(throughBreaks);
        groupTail();
        if (m_x.size() >= before) {
            if (throughBreaks)
                break;
            // Line breaks everywhere: merge across them too, so that memory stays bounded even then.
            throughBreaks = true;
        }
    }
    forgetInsertions();
}

// The point just inserted at index lies among the thinned groups: it joins the group of the point
// before it (the first group if none), which keeps its summary of the points it stands for.
void PointList::insertIntoGroup(std::size_t index) {
    std::size_t start = 0, j = 0;
    const std::size_t previous = index > 0 ? index - 1 : 0;
    while (j + 1 < m_groups.size() && start + m_groups[j].kept <= previous)
        start += m_groups[j++].kept;
    ++m_grouped;
    Group& group = m_groups[j];
    const auto at = m_groups.begin() + static_cast<std::ptrdiff_t>(j);
    if (!finitePoint(m_x[index], m_y[index]) || group.barrier) {
        // A line break inserted, or a point next to one: a group of its own, splitting the group it lands in
        // (each part then keeps the points it has, which may no longer be all of its summary).
        const Group single{1, 1, !finitePoint(m_x[index], m_y[index])};
        if (index <= start) {
            m_groups.insert(at, single);
        } else if (index >= start + group.kept) {
            m_groups.insert(at + 1, single);
        } else {
            const auto before = static_cast<std::uint8_t>(index - start);
            Group after{group.covered / 2, static_cast<std::uint8_t>(group.kept - before), false};
            group.covered -= after.covered;
            group.kept = before;
            m_groups.insert(m_groups.insert(at + 1, single) + 1, after);
        }
        forgetInsertions();
        return;
    }
    group.kept += 1;
    group.covered += group.covered < UINT32_MAX;
    const std::size_t end = start + group.kept;
    const std::size_t next = summarize(start, end, start);
    if (next < end) {
        m_x.erase(m_x.begin() + static_cast<std::ptrdiff_t>(next),
                  m_x.begin() + static_cast<std::ptrdiff_t>(end));
        m_y.erase(m_y.begin() + static_cast<std::ptrdiff_t>(next),
                  m_y.begin() + static_cast<std::ptrdiff_t>(end));
        m_grouped -= end - next;
        group.kept = static_cast<std::uint8_t>(next - start);
        m_thinned = true;
    }
    forgetInsertions();
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

} // namespace calidor::charts
