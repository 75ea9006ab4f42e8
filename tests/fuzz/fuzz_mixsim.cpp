// Fuzzes mixsim from "data.txt" through the whole run, sub-nets simulated by the continuous engine
// in process, on nets of small size up to a short horizon.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/constants.h"
#include "engines/hybrid/driver.h"
#include "engines/hybrid/engine_speed_solver.h"
#include "tests/fuzz/engine_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* const errors = std::fopen("/dev/null", "w");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!tokarium::fuzz::hasSmallNumbers(text))
        return -1;
    tokarium::fuzz::writeInput(mixsim::kDataFileName, text);
    const std::unique_ptr<flowrun::LpSolver> lpSolver = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    mixsim::EngineSpeedSolver solver(*lpSolver);
    (void)mixsim::runMixsim(errors, solver, tokarium::fuzz::kLargestNumber);
    lpSolver->removeScratchFiles();
    return 0;
}
