// The continuous engine: a net in, its states out; "date.dat" and the result files at the edges.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/lp_solver.h"
#include "engines/continuous/progress_option.h"
#include "engines/continuous/report.h"
#include "engines/continuous/run_state.h"
#include "engines/continuous/speed_reasons.h"

namespace flowrun {

inline constexpr int kRunFailed = 1;

struct Simulation {
    int status = kRunFailed;  // 0: a complete run; kRunFailed: refused or stopped (the reports say why)
    std::string failure;      // why the run was refused or stopped, when it was
    ContinuousNet net;
    EngineRun run;
    std::vector<PhaseCauses> speedCauses;  // when the run explains its speeds: per phase
};

// Reads the net from the text of "date.dat" and simulates it; both reports are written as
// the run goes (bound to files, in memory, or discarded, as the caller set them up).
// With a horizon the run ends after the first phase that starts past it. With `explain` the long
// report ends with the causes of the speeds below their maximum, which the simulation also keeps.
// A watch is told the start time of each phase.
[[nodiscard]] Simulation simulateText(std::string_view content, LpSolver& solver, Report& longReport,
                                      Report& briefReport,
                                      double horizon = std::numeric_limits<double>::infinity(),
                                      bool explain = false, const ClockWatch& watch = {});

// One run of flowrun in the current directory, from "date.dat" to the reports and result
// files. Returns the exit status: 0 for a complete run, kRunFailed when a file cannot be
// opened or created or the run is refused (the reports then say why, and no result file is left).
// With `explain` the causes of the speeds also go into "why.rez".
[[nodiscard]] int runEngine(LpSolver& solver, double horizon = std::numeric_limits<double>::infinity(),
                            bool explain = false, const ClockWatch& watch = {});

}  // namespace flowrun
