#pragma once
// Flow rates typed into a flow field ("debfbox" or "debcbox") and taken by an
// acquisition, for the tests of the fake form and of the real window alike.

namespace calidor::testing {

/// What a typed flow leads to: the position its slider moves to, the text the
/// slider then writes into the field, and the flow the model takes.
struct TypedFlow {
    const char* typed;
    int position;
    const char* text;
    double flow;
};

/// Each moves the slider, both from its start-up position (50) and from where
/// the case before left it.
inline constexpr TypedFlow TypedFlows[] = {
    {"0.05", 100, "0.0300", 0.03},    // above the range
    {"0,02", 66, "0.0198", 0.0198},   // a decimal comma: read as a point
    {"0.001", 5, "0.0015", 0.0015},   // below the range: the slider's lowest position
    {" 0.02 ", 66, "0.0198", 0.0198}, // blanks around: a multiple of 0.0003 only at 66
};

} // namespace calidor::testing
