#pragma once
// Exact shortcuts of the step. After the transient, a run's state stops
// changing to the bit: each step then reads the same bits as the step before
// and would store the same bits again. Each phase of the step (temperatures,
// balances) therefore remembers the bit image of everything its formulas read,
// taken when its last computation ran to its end without a fault, together
// with what it left in newNodes. A call that finds every one of those bits
// again skips the formulas: their results are the ones in place (or, for the
// three results outside the arrays, the ones remembered). Likewise each cell's
// specific entropy is recomputed only when the bits of its temperature or of
// its specific heat differ from those of its last computed entropy.
//
// Nothing is invalidated by hand: the image covers the parameters, dx, the
// x87 control word and records 0 to N + 1 of both node arrays, so a slider,
// "ACTUALISE", the check box, etat_initial, the partial stores of a faulted
// step or anything else that changes an input changes the key, and the
// formulas run again. A result is remembered only after the phase has stored
// it without a fault; since the same inputs raise the same flags, a skipped
// formula can never hide a fault that it would have raised.

#include <cstdint>
#include <vector>

namespace calidor {

struct ModelState;

/// The inputs of one phase's last complete computation, and what it gave.
class PhaseMemo {
public:
    /// Whether every input bit equals the remembered image, including the
    /// records 0 to N + 1 of newNodes as the computation left them.
    bool matches(const ModelState& model) const;
    /// Takes the image of the state after a complete computation, and the
    /// three results outside the arrays.
    void remember(const ModelState& model);
    double Pc = 0, Pf = 0, Sgen = 0; // results of the remembered computation

private:
    std::vector<unsigned char> m_key; // empty: nothing remembered yet
};

/// A cell's last computed specific entropy, with the bits it came from.
struct EntropyMemo {
    std::uint64_t cp = 0; // bits of the specific heat
    std::uint64_t T = 0;  // bits of the temperature
    double s = 0;         // the entropy they gave
    bool valid = false;
};

/// Every shortcut's memory. Part of ModelState, guarded like the rest of it.
struct StepCache {
    /// false: the plain path, every formula every step and the whole-array
    /// copy (tests and benchmarks compare the two).
    bool enabled = true;
    std::int64_t skippedPhases = 0; // calls answered from a memo, for tests and benchmarks
    PhaseMemo temperatures;
    PhaseMemo balances;
    std::vector<EntropyMemo> entropies; // 3 per cell 1..N (hot, cold, wall); sized on first use
};

} // namespace calidor
