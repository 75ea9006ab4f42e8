// The run of mixsim in its current directory, from "data.txt" to the report.
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/initial_state.h"
#include "engines/hybrid/speed_solver.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace mixsim {

// Everything a run works on: the net and the simulation state.
struct EngineRun {
    HybridNet net;
    SimulationState state;
};

struct EngineRunResult {
    std::optional<EngineRun> run;
    std::string error;  // set when `run` is empty
};

// Reads the text of "data.txt" and builds the net and the initial state.
// Nothing is written to disk.
[[nodiscard]] EngineRunResult startRun(std::string_view dataText);

// The whole program: reads "data.txt" from the current directory, simulates
// the net (the solver gives the speeds of its sub-nets) and writes the result
// files and both reports there. Bad input is reported on `errors` before any
// file is written. Returns the exit status.
// With a horizon the run ends after the first event time past it; a watch is told each event time.
[[nodiscard]] int runMixsim(std::FILE* errors, SpeedSolver& solver,
                            double horizon = std::numeric_limits<double>::infinity(),
                            flowrun::ClockWatch watch = {});

}  // namespace mixsim
