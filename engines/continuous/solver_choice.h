// Which solver a run uses: the lp_solve library in process (the default) or its program.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engines/continuous/lp_solver.h"

namespace flowrun {

enum class SolverKind { kLibrary, kCommandLine };

inline constexpr const char* kSolverVariable = "TOKARIUM_SOLVER";

// "library" or "cli"; nothing for any other name.
std::optional<SolverKind> solverKindNamed(std::string_view name);

// The kind TOKARIUM_SOLVER names, the library when it is unset or empty. A value that
// names no solver leaves the message in `error` and gives nothing.
std::optional<SolverKind> solverKindFromEnvironment(std::string& error);

// writeModelFile: the library solver also writes each program to "date.lp" (the program
// solver always does).
std::unique_ptr<LpSolver> makeSolver(SolverKind kind, bool writeModelFile = false);

}  // namespace flowrun
