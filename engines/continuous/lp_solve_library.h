// Solving in process through the lp_solve library: the model is built through its calls.
#pragma once

#include "engines/continuous/lp_solver.h"

namespace flowrun {

class LpSolveLibrary final : public LpSolver {
public:
    // writeModelFile: also write each program's text to "date.lp", for tracing a run.
    explicit LpSolveLibrary(bool writeModelFile = false) : m_writeModelFile(writeModelFile) {}

    SolveResult solve(const LpProblem& problem) override;

private:
    SolveResult run(const LpModel& model);

    bool m_writeModelFile;
};

}  // namespace flowrun
