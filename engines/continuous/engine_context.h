// What every algorithm of a run works with: the net, the solver and the long report.
#pragma once

#include <string>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/lp_problem.h"
#include "engines/continuous/lp_solver.h"
#include "engines/continuous/report.h"
#include "engines/continuous/speed_reasons.h"

namespace flowrun {

struct EngineContext {
    const ContinuousNet& net;
    LpSolver& solver;
    Report& report;
    // Set when the run cannot go on (the solver cannot be run); algorithms return early.
    std::string fatal;
    // Set when the run explains its speeds: the algorithms note what fixed each one.
    SpeedReasons* reasons = nullptr;

    bool failed() const { return !fatal.empty(); }
};

// The transitions to compute of one call of the speed algorithm, with its levels.
struct SpeedTask {
    Flags compute;
    Vector level;
    int top = 0;
    SharingEquation sharing;
    std::string prefix;  // indentation of the report lines
};

}  // namespace flowrun
