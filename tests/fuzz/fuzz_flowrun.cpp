// Fuzzes flowrun from "date.dat" through the whole run: reading, levels, phases, linear programs
// (the lp_solve library) and the result files, on nets of small size up to a short horizon; odd-sized
// inputs with the causes of the speeds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engines/continuous/constants.h"
#include "engines/continuous/engine.h"
#include "engines/continuous/solver_choice.h"
#include "tests/fuzz/engine_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!tokarium::fuzz::hasSmallNumbers(text))
        return -1;
    tokarium::fuzz::writeInput(flowrun::kInputFile, text);
    const std::unique_ptr<flowrun::LpSolver> solver = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    // Every other input also explains its speeds, so that the causes meet every kind of net too.
    (void)flowrun::runEngine(*solver, tokarium::fuzz::kLargestNumber, size % 2 == 1);
    return 0;
}
