#pragma once
// What a run leaves behind: at every display refresh one row of what the
// charts follow in time (whatever the balance chart shows), and the three
// profiles of the latest refresh. Plain data with no Qt: the window's run
// and the run without a window fill it the same way, so their exports agree
// to the bit.
//
// Memory stays bounded however long a run goes on, by the rule the charts'
// series follow: every row is kept up to the row limit; beyond it the older
// rows (all but the newest quarter of the limit) are cut into groups of
// consecutive rows, each kept as its first row, its last row and, for every
// recorded quantity, the first rows of its lowest and highest value, in
// their order. When that no longer brings the record under three quarters
// of the limit, neighbouring groups merge in pairs (a summary of summaries
// is the summary of the whole), so groups stand for a number of refreshes
// that grows with the run; new groups stop growing at an eighth of the limit,
// so the rows waiting to form one never fill the record. The rows are
// reserved at most at the limit plus one: about 88 MB at the default limit.

#include "model/modelstate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace calidor {

/// The columns of a record row, in their order in the exported table.
enum class RecordColumn {
    Time,       ///< simulated time, s
    HotOutlet,  ///< hot fluid at the far end (node N), °C
    ColdOutlet, ///< cold fluid where it leaves (node N co-current, node 1 counter-current), °C
    WallFarEnd, ///< wall at the far end (node N), °C
    HotPower,   ///< Pc, W
    ColdPower,  ///< Pf, W
    Entropy,    ///< Sgen, W/K
    HotInlet,   ///< Tec in force, °C
    ColdInlet,  ///< Tef in force, °C
    HotFlow,    ///< debc in force, kg/s
    ColdFlow,   ///< debf in force, kg/s
};
constexpr int RecordColumnCount = 11;
using RecordRow = std::array<double, RecordColumnCount>;

/// The three temperature profiles along the exchanger, nodes 0 to N.
struct RecordProfiles {
    double time = 0; ///< simulated time of the refresh they come from, s
    std::vector<double> x, hot, cold, wall;
};

class RunRecord {
public:
    /// Rows a record keeps whole before it starts thinning its older part.
    static constexpr std::size_t DefaultRowLimit = 1'000'000;

    /// Forgets everything and remembers the parameters the run starts with.
    void begin(const ModelParameters& params);
    /// One display refresh: a row and the profiles, read from the state shown.
    void add(const ModelState& model);

    /// The row limit (at least 256); lowering it below the present size thins at once.
    void setRowLimit(std::size_t limit);
    std::size_t rowLimit() const { return m_limit; }

    const ModelParameters& parameters() const { return m_params; }
    const std::vector<RecordRow>& rows() const { return m_rows; }
    const RecordProfiles& profiles() const { return m_profiles; }
    /// Whether older rows have been summarised since begin().
    bool thinned() const { return m_groupSize != 0; }
    /// Refreshes recorded since begin(), whether their rows are kept or not.
    std::uint64_t refreshCount() const { return m_added; }
    bool empty() const { return m_rows.empty(); }

private:
    void thin();
    void groupOlderRows();
    void mergeGroups();
    std::size_t summarize(std::size_t from, std::size_t to, std::size_t write);

    ModelParameters m_params;
    std::vector<RecordRow> m_rows;
    RecordProfiles m_profiles;
    std::size_t m_limit = DefaultRowLimit;
    // Rows [0, m_grouped) form groups of m_groupKept[i] rows each.
    std::vector<std::uint8_t> m_groupKept;
    std::size_t m_grouped = 0;
    std::size_t m_groupSize = 0; // refreshes a new group stands for; 0 until the first thinning
    std::uint64_t m_added = 0;
};

/// The row a refresh of this state records (what RunRecord::add appends).
RecordRow recordRowOf(const ModelState& model);

} // namespace calidor
