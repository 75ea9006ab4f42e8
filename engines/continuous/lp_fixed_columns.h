// Solving a program with its fixed columns taken out.
#pragma once

#include "engines/continuous/lp_solve_model.h"
#include "engines/continuous/lp_solver.h"

namespace flowrun {

// Where the previous programs ended, by transition: the last solution's speeds, and which
// speeds were basic variables at the end of the last program solved without its fixed
// columns. Consecutive programs of a run differ little, so the next one starts from there.
struct SimplexStart {
    std::vector<double> speeds;
    std::vector<char> basic;
};

// Solves the program built in `full` (rows and bounds set, not yet solved) without the
// columns whose bounds meet: on long chains of tanks most speeds are already known, and the
// program left is much smaller. The answer is given (true, and `result` filled as the full
// program's solve fills it) only where it must be the full program's: every row left with
// fixed columns only holds, the smaller program's solution holds the whole program's rows up
// to rounding, and it is the only optimum, every non-basic variable having a non-zero reduced
// cost. With rows wanted, in addition no basic variable sits on a
// bound, so that the duals are unique too; a row of fixed columns only gets the dual 0, since
// loosening it cannot gain anything. Otherwise it returns false and `result` is untouched.
// Since the optimum is unique, the simplex may start anywhere: it starts at `start`, and
// leaves there which speeds were basic at its end.
bool solveWithoutFixedColumns(lprec* full, const LpModel& model, const ColumnOrder& columns, SimplexStart& start,
                              bool rowsWanted, SolveResult& result);

}  // namespace flowrun
