// One run of flowrun in the current directory, from "date.dat" to the result files.
#pragma once

#include "engines/continuous/lp_solver.h"

namespace flowrun {

// Returns the exit status: 0 for a complete run, 1 when a file cannot be opened or created
// or the run is refused (the reports then say why, and no result file is left).
[[nodiscard]] int runEngine(LpSolver& solver);

}  // namespace flowrun
