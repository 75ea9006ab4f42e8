// Solving through the lp_solve command-line program: "date.lp" in, "date.out" back.
#pragma once

#include <string>

#include "engines/continuous/lp_solver.h"

namespace flowrun {

class LpSolveCli final : public LpSolver {
public:
    // program: the solver's path; empty means "look it up in PATH" at the first solve.
    explicit LpSolveCli(std::string program = {});

    SolveResult solve(const LpProblem& problem) override;
    // Removes "date.lp" and "date.out".
    void removeScratchFiles() override;

private:
    SolveResult run(const std::string& model, int transitions);

    std::string m_program;
};

}  // namespace flowrun
