// The way linear programs are solved, kept apart from the algorithms that pose them.
#pragma once

#include <string>

#include "engines/continuous/lp_problem.h"

namespace flowrun {

enum class SolveStatus {
    kOptimal,
    kInfeasible,   // also unbounded or unreadable: every speed is 0
    kCannotStart,  // the solver could not be run at all; the run cannot go on
};

struct SolveResult {
    SolveStatus status = SolveStatus::kInfeasible;
    Vector speeds;        // one per transition, 0 for every variable the solver did not report
    std::string message;  // for the long report when the status is not kOptimal
};

class LpSolver {
public:
    virtual ~LpSolver() = default;
    virtual SolveResult solve(const LpProblem& problem) = 0;
    // Number of programs handed to solve() so far.
    int solveCount() const { return m_solveCount; }

protected:
    void countSolve() { ++m_solveCount; }

private:
    int m_solveCount = 0;
};

}  // namespace flowrun
