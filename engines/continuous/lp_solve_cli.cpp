// The lp_solve command-line solver behind the LpSolver interface.
#include "engines/continuous/lp_solve_cli.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "engines/continuous/constants.h"
#include "engines/continuous/solver_report.h"
#include "process/child_process.h"

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

// The program found in the PATH folders; when PATH is unset or empty, the fallback path.
// Empty when it is found nowhere.
std::string findProgram(const std::string& name, const std::string& fallback)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr || *path == '\0')
        return access(fallback.c_str(), X_OK) == 0 ? fallback : std::string();
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        // An empty entry would mean the working folder, which holds only engine files.
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + name;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
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

    SolveResult result = run(lpModelText(problem), transitions);
    if (result.status != SolveStatus::kInfeasible)
        return result;
    // The report gives six significant digits, so known speeds taken from an earlier report
    // may overdraw an empty place by a rounding error; the program is tried once more with
    // the balance rows allowing that much.
    SolveResult relaxed = run(lpModelText(problem, kLpRowSlack), transitions);
    if (relaxed.status != SolveStatus::kOptimal)
        return result;
    relaxed.message = "solved with the balance rows relaxed by the rounding of earlier speeds";
    return relaxed;
}

void LpSolveCli::removeScratchFiles()
{
    std::remove(kLpModelFile);
    std::remove(kLpReportFile);
}

SolveResult LpSolveCli::run(const std::string& model, int transitions)
{
    {
        std::ofstream file(kLpModelFile, std::ios::binary | std::ios::trunc);
        file << model;
        if (!file.flush())
            return cannotStart(transitions, std::string("The file ") + kLpModelFile + " cannot be written.");
    }
    std::remove(kLpReportFile);
    tokarium::ChildRequest request;
    request.program = m_program;
    request.arguments = {kSolverDetailOption};
    request.input = kLpModelFile;
    request.output = kLpReportFile;
    const tokarium::ChildOutcome outcome = tokarium::runChild(request);
    if (!outcome.finished)
        return cannotStart(transitions, "The solver program could not be run: " + outcome.problem + ".");

    std::ifstream output(kLpReportFile, std::ios::binary);
    if (!output)
        return cannotStart(transitions, std::string("The solver left no report ") + kLpReportFile + ".");
    std::ostringstream text;
    text << output.rdbuf();
    return parseSolverReport(text.str(), transitions);
}

}  // namespace flowrun
