// The continuous engine in process behind the SpeedSolver interface.
#include "engines/hybrid/engine_speed_solver.h"

#include "engines/continuous/engine.h"
#include "engines/continuous/result_files.h"
#include "engines/hybrid/constants.h"

#include <algorithm>
#include <cmath>

namespace mixsim {

namespace {

const std::string* tableNamed(const std::vector<flowrun::ResultFile>& files, const char* name)
{
    for (const flowrun::ResultFile& file : files) {
        if (file.name == name) {
            return &file.text;
        }
    }
    return nullptr;
}

// Equal problems, to the bit: -0 and 0 differ in the engine's input text.
bool sameValues(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](double x, double y) {
               return x == y && std::signbit(x) == std::signbit(y);
           });
}

bool sameProblem(const SubnetProblem& a, const SubnetProblem& b)
{
    return a.number == b.number && a.pre == b.pre && a.post == b.post &&
           sameValues(a.marcaj.values(), b.marcaj.values()) && sameValues(a.viteze.values(), b.viteze.values()) &&
           sameValues(a.conflicte.values(), b.conflicte.values());
}

SubnetSpeeds failed(std::string error)
{
    SubnetSpeeds result;
    result.error = std::move(error);
    return result;
}

}  // namespace

SubnetSpeeds EngineSpeedSolver::solve(const SubnetProblem& problem)
{
    ++m_runs;
    if (problem.number < 1) {
        return solveAnew(problem);
    }
    const auto q = static_cast<std::size_t>(problem.number);
    if (m_lastSolved.size() < q) {
        m_lastSolved.resize(q);
    }
    Solved& last = m_lastSolved[q - 1];
    if (!last.speeds.ok || !sameProblem(last.problem, problem)) {
        last.speeds = solveAnew(problem);
        last.problem = problem;
    }
    return last.speeds;
}

SubnetSpeeds EngineSpeedSolver::solveAnew(const SubnetProblem& problem)
{
    flowrun::Report longReport;
    flowrun::Report briefReport;
    longReport.discard();
    briefReport.discard();
    const flowrun::Simulation simulation =
        flowrun::simulateText(flowrunInputText(problem), m_lpSolver, longReport, briefReport);
    if (simulation.status != 0) {
        return failed("the continuous engine stopped: " + simulation.failure);
    }
    const std::vector<flowrun::ResultFile> files =
        flowrun::resultFiles(simulation.run, simulation.net.n, simulation.net.m);
    const std::string* speeds = tableNamed(files, kFlowrunSpeedsFileName);
    const std::string* markings = tableNamed(files, kFlowrunMarkingsFileName);
    if (!speeds || !markings) {
        return failed("the continuous engine gave no result tables");
    }
    return parseFlowrunResults(*speeds, *markings, problem.pre.rows(), problem.pre.cols());
}

}  // namespace mixsim
