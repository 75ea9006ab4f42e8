// The continuous engine in process behind the SpeedSolver interface.
#include "engines/hybrid/engine_speed_solver.h"

#include "engines/continuous/engine.h"
#include "engines/continuous/result_files.h"
#include "engines/hybrid/constants.h"

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
