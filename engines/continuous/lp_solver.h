// The way linear programs are solved, kept apart from the algorithms that pose them.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/lp_problem.h"

namespace flowrun {

enum class SolveStatus {
    kOptimal,
    kInfeasible,   // also unbounded or unreadable: every speed is 0
    kCannotStart,  // the solver could not be run at all; the run cannot go on
};

// What the solver knows about one row of an optimal program (given by the library solver only).
struct RowDual {
    int place = -1;      // the balance row of this place; -1 for the sharing equation
    double dual = 0;     // the objective's gain per unit the row's limit is loosened
    bool binding = false;  // the row holds with equality at the optimum
};

struct SolveResult {
    SolveStatus status = SolveStatus::kInfeasible;
    Vector speeds;        // one per transition, 0 for every variable the solver did not report
    std::string message;  // for the long report when the status is not kOptimal
    std::vector<double> exactSpeeds;  // the library solver's speeds before they become Reals
    std::vector<RowDual> rows;        // the library solver's rows, in the program's order
};

class LpSolver {
public:
    virtual ~LpSolver() = default;
    virtual SolveResult solve(const LpProblem& problem) = 0;
    // Called at the end of a run: removes the working files of the solves, if any.
    virtual void removeScratchFiles() {}
    // Number of programs handed to solve() so far.
    int solveCount() const { return m_solveCount; }
    // Asks for the rows of each optimal program (SolveResult::rows) from the solvers that can
    // give them. Their duals need a sensitivity analysis costing about as much as the solve, so
    // they are only computed for a caller that reads them.
    void setRowsWanted(bool wanted) { m_rowsWanted = wanted; }

protected:
    void countSolve() { ++m_solveCount; }
    bool rowsWanted() const { return m_rowsWanted; }

private:
    int m_solveCount = 0;
    bool m_rowsWanted = false;
};

}  // namespace flowrun
