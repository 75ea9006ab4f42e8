// mixsim: simulates the hybrid net of "data.txt" in the current directory.
// Options: --flowrun=PATH runs that flowrun program for every sub-net instead of the
// continuous engine in process (whose solver $TOKARIUM_SOLVER chooses, as for flowrun);
// --until=T ends the run after the first event time past T; --progress=FILE keeps the event time
// reached in FILE while the run goes on.
#include "engines/continuous/horizon_option.h"
#include "engines/continuous/progress_option.h"
#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/constants.h"
#include "engines/hybrid/driver.h"
#include "engines/hybrid/engine_speed_solver.h"

#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

namespace {

int simulate(const std::string& flowrunProgram, double horizon, const flowrun::ClockWatch& watch)
{
    if (!flowrunProgram.empty()) {
        mixsim::FlowrunSolver solver(flowrunProgram);
        return mixsim::runMixsim(stderr, solver, horizon, watch);
    }
    std::string error;
    const std::optional<flowrun::SolverKind> kind = flowrun::solverKindFromEnvironment(error);
    if (!kind) {
        std::fprintf(stderr, "mixsim: %s\n", error.c_str());
        return mixsim::kExitBadInput;
    }
    const std::unique_ptr<flowrun::LpSolver> lpSolver = flowrun::makeSolver(*kind);
    mixsim::EngineSpeedSolver solver(*lpSolver);
    const int status = mixsim::runMixsim(stderr, solver, horizon, watch);
    lpSolver->removeScratchFiles();
    return status;
}

int run(int argc, char** argv)
{
    std::string flowrunProgram;
    double horizon = std::numeric_limits<double>::infinity();
    std::optional<flowrun::ProgressFile> progress;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::optional<double> until;
        if (argument.starts_with("--flowrun=") && argument.size() > 10) {
            flowrunProgram = argument.substr(10);
        } else if (argument.starts_with(flowrun::kHorizonOption) &&
                   (until = flowrun::parseHorizon(argument.substr(flowrun::kHorizonOption.size())))) {
            horizon = *until;
        } else if (argument.starts_with(flowrun::kProgressOption) &&
                   argument.size() > flowrun::kProgressOption.size()) {
            progress.emplace(std::string(argument.substr(flowrun::kProgressOption.size())));
        } else {
            std::fprintf(stderr,
                         "mixsim: unknown option %s\n"
                         "Usage: mixsim [--flowrun=PATH] [--until=T] [--progress=FILE]\n",
                         argv[i]);
            return mixsim::kExitBadInput;
        }
    }
    const int status =
        simulate(flowrunProgram, horizon, progress ? progress->watch() : flowrun::ClockWatch());
    if (progress)
        progress->finish();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mixsim: internal error: %s\n", e.what());
        return mixsim::kExitInternalError;
    }
}
