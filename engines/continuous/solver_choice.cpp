// Choosing and making the solver of a run.
#include "engines/continuous/solver_choice.h"

#include <cstdlib>

#include "engines/continuous/lp_solve_cli.h"
#include "engines/continuous/lp_solve_library.h"

namespace flowrun {

std::optional<SolverKind> solverKindNamed(std::string_view name)
{
    if (name == "library")
        return SolverKind::kLibrary;
    if (name == "cli")
        return SolverKind::kCommandLine;
    return std::nullopt;
}

std::optional<SolverKind> solverKindFromEnvironment(std::string& error)
{
    const char* value = std::getenv(kSolverVariable);
    if (!value || !*value)
        return SolverKind::kLibrary;
    const std::optional<SolverKind> kind = solverKindNamed(value);
    if (!kind)
        error = std::string("The variable ") + kSolverVariable + " names no solver (\"" + value +
                "\"); use \"library\" or \"cli\".";
    return kind;
}

std::unique_ptr<LpSolver> makeSolver(SolverKind kind, bool writeModelFile)
{
    if (kind == SolverKind::kCommandLine)
        return std::make_unique<LpSolveCli>();
    return std::make_unique<LpSolveLibrary>(writeModelFile);
}

}  // namespace flowrun
