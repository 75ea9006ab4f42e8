// Instantaneous firing of the infinite-speed transitions before the first phase.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/report.h"
#include "engines/continuous/run_state.h"

namespace flowrun {

struct PrephaseOutcome {
    int cycles = 0;
    bool repeated = false;   // stopped because a cycle came back to an earlier marking
    bool bounded = false;    // stopped by the cycle bound
    bool tooManyStates = false;
};

// Transitions of infinite speed none of whose input places holds exactly 0, with the
// conflicts between them settled by level.
Flags flagInfiniteTransitions(const ContinuousNet& net, const Vector& M);

// Fires the flagged transitions of one cycle on M; true when one of them has an output place.
bool fireCycle(const ContinuousNet& net, const Flags& flagged, Vector& M);

// Runs the firing cycles on M, recording one state per cycle with a firing. The cycles stop
// when none asks for another, when a marking comes back (an infinite-speed loop would fire
// for ever), or at the cycle bound.
PrephaseOutcome firePrephase(const ContinuousNet& net, Vector& M, std::vector<IbState>& states, Report& report);

}  // namespace flowrun
