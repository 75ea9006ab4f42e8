// flowrun: simulates the continuous net of "date.dat" in the current directory.
// Options: --solver=library|cli (default: $TOKARIUM_SOLVER, else the library), --lp-file
// (keep each linear program in "date.lp" with the library solver too), --until=T (end the
// run after the first phase that starts past the time T), --explain (the causes of the speeds
// below their maximum in "results.htm" and "why.rez"), --progress=FILE (keep the start time of
// the phase reached in FILE while the run goes on).
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "engines/continuous/engine.h"
#include "engines/continuous/horizon_option.h"
#include "engines/continuous/progress_option.h"
#include "engines/continuous/solver_choice.h"

int main(int argc, char** argv)
{
    std::string error;
    std::optional<flowrun::SolverKind> kind = flowrun::solverKindFromEnvironment(error);
    bool writeModelFile = false;
    bool explain = false;
    double horizon = std::numeric_limits<double>::infinity();
    std::optional<flowrun::ProgressFile> progress;
    for (int i = 1; i < argc && kind; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--solver=")) {
            kind = flowrun::solverKindNamed(argument.substr(9));
            if (!kind)
                error = "The option " + std::string(argument) + " names no solver; use library or cli.";
        } else if (argument == "--lp-file") {
            writeModelFile = true;
        } else if (argument == "--explain") {
            explain = true;
        } else if (argument.starts_with(flowrun::kHorizonOption)) {
            const std::optional<double> until = flowrun::parseHorizon(argument.substr(flowrun::kHorizonOption.size()));
            if (until)
                horizon = *until;
            else {
                error = "The option " + std::string(argument) + " needs a time >= 0.";
                kind.reset();
            }
        } else if (argument.starts_with(flowrun::kProgressOption) &&
                   argument.size() > flowrun::kProgressOption.size()) {
            progress.emplace(std::string(argument.substr(flowrun::kProgressOption.size())));
        } else {
            error = "Unknown option " + std::string(argument) + ".";
            kind.reset();
        }
    }
    if (!kind) {
        std::fprintf(stderr,
                     "flowrun: %s\nUsage: flowrun [--solver=library|cli] [--lp-file] [--until=T] [--explain] "
                     "[--progress=FILE]\n",
                     error.c_str());
        return flowrun::kRunFailed;
    }
    const int status = flowrun::runEngine(*flowrun::makeSolver(*kind, writeModelFile), horizon, explain,
                                          progress ? progress->watch() : flowrun::ClockWatch());
    if (progress)
        progress->finish();
    return status;
}
