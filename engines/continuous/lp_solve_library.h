// Solving in process through the lp_solve library: the model is built through its calls.
#pragma once

#include "engines/continuous/lp_fixed_columns.h"
#include "engines/continuous/lp_solver.h"

namespace flowrun {

class LpSolveLibrary final : public LpSolver {
public:
    // writeModelFile: also write each program's text to "date.lp", for tracing a run (the text
    // the program path would write for it; a relaxed retry is not written).
    explicit LpSolveLibrary(bool writeModelFile = false) : m_writeModelFile(writeModelFile) {}

    SolveResult solve(const LpProblem& problem) override;

private:
    SolveResult run(const LpModel& model);
    // Known speeds are Reals taken from earlier solutions; where one is the rounding of a
    // speed this solver gave, the program gets that speed at full precision back.
    void restorePrecision(LpModel& model) const;

    bool m_writeModelFile;
    std::vector<double> m_exactSpeeds;  // the last solution's value of each transition
    SimplexStart m_start;               // where the last programs ended
};

}  // namespace flowrun
