// Reading the speeds from the solver's printed report.
#pragma once

#include <string_view>

#include "engines/continuous/lp_solver.h"

namespace flowrun {

// Reads the lines after "Actual values of the variables:" by variable name; a variable
// that is not listed is 0. Without that header the result is kInfeasible with a message
// taken from the report (for instance "This problem is infeasible").
SolveResult parseSolverReport(std::string_view report, int transitions);

}  // namespace flowrun
