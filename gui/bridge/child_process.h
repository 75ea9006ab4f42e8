// Running an engine program in its working folder and waiting for it.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tokarium {

struct ProgramRun {
    bool finished = false; // the program ran and ended on its own
    int exitStatus = -1;   // exit status, or -1 when it was killed by a signal
    std::string problem;   // why the program did not run or finish
};

// Starts the program with its own file name as argv[0] followed by `arguments`, in `folder` as its current
// directory (the caller's current directory is left alone), with no input and its standard output
// discarded, and waits for it. A program still running after timeLimit is stopped together with the
// programs it started. While it runs, keepWaiting (when given) is called between two looks at it; when
// it returns false the program is stopped the same way and the run fails as cancelled.
ProgramRun runProgram(const std::filesystem::path& folder, const std::filesystem::path& program,
                      std::chrono::milliseconds timeLimit, const std::function<bool()>& keepWaiting = {},
                      const std::vector<std::string>& arguments = {});

} // namespace tokarium
