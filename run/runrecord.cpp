#include "run/runrecord.h"

#include "run/refreshdisplay.h" // nodePosition

#include <algorithm>

namespace calidor {

namespace {

// A group starts as this many refreshes: more than the 22 rows a group may
// keep, so that summarising always shrinks the older part.
constexpr std::size_t FirstGroupSize = 64;
constexpr std::size_t SmallestLimit = 256;

} // namespace

RecordRow recordRowOf(const ModelState& m) {
    const NodeRecord& far = m.newNodes[N];
    const double coldOutlet = m.params.cocourant == 1 ? far.Tf : m.newNodes[1].Tf;
    const ModelParameters& p = m.params;
    return {m.time, far.Tc, coldOutlet, far.Tp, m.Pc, m.Pf, m.Sgen, p.Tec, p.Tef, p.debc, p.debf};
}

void RunRecord::begin(const ModelParameters& params) {
    m_params = params;
    // A record that grew large gives its memory back; a short one keeps it.
    if (m_rows.capacity() > 65536)
        std::vector<RecordRow>().swap(m_rows);
    m_rows.clear();
    m_profiles = {};
    m_groupKept.clear();
    m_grouped = 0;
    m_groupSize = 0;
    m_added = 0;
}

void RunRecord::add(const ModelState& m) {
    // Grow as a vector does, but never past the limit's one row more.
    if (m_rows.size() == m_rows.capacity())
        m_rows.reserve(std::min(std::max<std::size_t>(2 * m_rows.capacity(), 1024), m_limit + 1));
    m_rows.push_back(recordRowOf(m));
    ++m_added;
    m_profiles.time = m.time;
    for (auto* column : {&m_profiles.x, &m_profiles.hot, &m_profiles.cold, &m_profiles.wall})
        column->resize(N + 1);
    for (int i = 0; i <= N; ++i) {
        m_profiles.x[i] = nodePosition(i, m.dx);
        m_profiles.hot[i] = m.newNodes[i].Tc;
        m_profiles.cold[i] = m.newNodes[i].Tf;
        m_profiles.wall[i] = m.newNodes[i].Tp;
    }
    if (m_rows.size() > m_limit)
        thin();
}

void RunRecord::setRowLimit(std::size_t limit) {
    m_limit = std::max(limit, SmallestLimit);
    if (m_rows.size() > m_limit)
        thin();
}

void RunRecord::thin() {
    if (m_groupSize == 0)
        m_groupSize = FirstGroupSize;
    groupOlderRows();
    while (m_rows.size() > m_limit / 4 * 3 && m_groupKept.size() >= 2)
        mergeGroups();
}

// Cuts the whole rows older than the newest quarter of the limit into groups
// of m_groupSize rows, each replaced by its summary.
void RunRecord::groupOlderRows() {
    const std::size_t keepWhole = m_limit / 4;
    if (m_rows.size() <= keepWhole)
        return;
    const std::size_t end = m_rows.size() - keepWhole;
    std::size_t read = m_grouped, write = m_grouped;
    while (end - read >= m_groupSize) {
        const std::size_t kept = summarize(read, read + m_groupSize, write);
        m_groupKept.push_back(static_cast<std::uint8_t>(kept));
        write += kept;
        read += m_groupSize;
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(write),
                 m_rows.begin() + static_cast<std::ptrdiff_t>(read));
    m_grouped = write;
}

// Neighbouring groups in pairs: the summary of their kept rows is the
// summary of all the rows they stand for.
void RunRecord::mergeGroups() {
    std::vector<std::uint8_t> merged;
    std::size_t read = 0, write = 0;
    for (std::size_t g = 0; g + 1 < m_groupKept.size(); g += 2) {
        const std::size_t span = std::size_t(m_groupKept[g]) + m_groupKept[g + 1];
        const std::size_t kept = summarize(read, read + span, write);
        merged.push_back(static_cast<std::uint8_t>(kept));
        read += span;
        write += kept;
    }
    if (m_groupKept.size() % 2 == 1) {
        const std::size_t last = m_groupKept.back();
        std::copy(m_rows.begin() + std::ptrdiff_t(read), m_rows.begin() + std::ptrdiff_t(read + last),
                  m_rows.begin() + std::ptrdiff_t(write));
        merged.push_back(static_cast<std::uint8_t>(last));
        read += last;
        write += last;
    }
    m_rows.erase(m_rows.begin() + std::ptrdiff_t(write), m_rows.begin() + std::ptrdiff_t(read));
    m_groupKept = std::move(merged);
    m_grouped = write;
    // New groups follow the merged ones' size, but never so large that the
    // rows waiting for a whole group could fill the record by themselves.
    m_groupSize = std::min(m_groupSize * 2, std::max(FirstGroupSize, m_limit / 8));
}

// Writes the summary of rows [from, to) from `write` on (write <= from) and
// returns how many rows it keeps: the first and last rows, and the first
// rows of each quantity's lowest and highest value, in their order.
std::size_t RunRecord::summarize(std::size_t from, std::size_t to, std::size_t write) {
    std::vector<std::size_t> chosen{from, to - 1};
    for (int c = 1; c < RecordColumnCount; ++c) {
        std::size_t low = from, high = from;
        for (std::size_t i = from + 1; i < to; ++i) {
            if (m_rows[i][c] < m_rows[low][c])
                low = i;
            if (m_rows[i][c] > m_rows[high][c])
                high = i;
        }
        chosen.push_back(low);
        chosen.push_back(high);
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    // Chosen rows only move down, in order: none is overwritten before it is read.
    for (std::size_t index : chosen)
        m_rows[write++] = m_rows[index];
    return chosen.size();
}

} // namespace calidor
