// Global priority levels: per-place priorities merged into one level per transition.
#pragma once

#include "engines/continuous/continuous_net.h"

namespace flowrun {

struct LevelOutcome {
    Vector level;
    int passes = 0;
    bool converged = true;  // false when the pass bound stopped contradictory priorities
};

// Lifts the priorities of each place so that a transition ranked later somewhere is ranked
// later everywhere it conflicts, then closes the gaps so the levels read 0, 1, ...
LevelOutcome computeLevels(const ContinuousNet& net);

// Lowers levels so that every whole number from 0 to the largest is used.
void closeLevelGaps(Vector& level);

}  // namespace flowrun
