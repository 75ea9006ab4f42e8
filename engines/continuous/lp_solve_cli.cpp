// The lp_solve command-line solver behind the LpSolver interface.
#include "engines/continuous/lp_solve_cli.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "engines/continuous/child_process.h"
#include "engines/continuous/constants.h"
#include "engines/continuous/solver_report.h"

namespace flowrun {
namespace {

SolveResult cannotStart(int transitions, std::string message)
{
    SolveResult result;
    result.status = SolveStatus::kCannotStart;
    result.speeds.assign(transitions, 0);
    result.message = std::move(message);
    return result;
}

}  // namespace

LpSolveCli::LpSolveCli(std::string program) : m_program(std::move(program)) {}

SolveResult LpSolveCli::solve(const LpProblem& problem)
{
    countSolve();
    const int transitions = problem.incidence->cols();
    if (m_program.empty())
        m_program = findProgram(kSolverProgram, kSolverFallbackPath);
    if (m_program.empty())
        return cannotStart(transitions, std::string("The solver program ") + kSolverProgram + " was not found.");

    {
        std::ofstream model(kLpModelFile, std::ios::binary | std::ios::trunc);
        model << lpModelText(problem);
        if (!model.flush())
            return cannotStart(transitions, std::string("The file ") + kLpModelFile + " cannot be written.");
    }
    std::remove(kLpReportFile);
    const ProcessOutcome run = runRedirected(m_program, {kSolverDetailOption}, kLpModelFile, kLpReportFile);
    if (!run.started)
        return cannotStart(transitions, "The solver program could not be run: " + run.message + ".");

    std::ifstream output(kLpReportFile, std::ios::binary);
    if (!output)
        return cannotStart(transitions, std::string("The solver left no report ") + kLpReportFile + ".");
    std::ostringstream text;
    text << output.rdbuf();
    return parseSolverReport(text.str(), transitions);
}

}  // namespace flowrun
