// Running a program as a child process and waiting for it: no shell, optional working folder,
// redirections, time limit and cancellation.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tokarium {

struct ChildRequest {
    std::filesystem::path program;       // run as given (no PATH lookup); argv[0] is its file name
    std::vector<std::string> arguments;  // after argv[0]
    std::filesystem::path folder;        // the child's current directory; empty keeps the caller's
    std::filesystem::path input;         // standard input; empty reads /dev/null
    std::filesystem::path output;        // standard output, created or emptied; empty discards it
    // Standard error: also into `output` (or discarded with it) when true, else the caller's.
    bool errorsToOutput = true;
    // Standard error collected into the outcome's `errors` instead (overrides errorsToOutput).
    bool captureErrors = false;
    // The child leads a process group of its own, so that stopping it also stops what it started.
    bool ownProcessGroup = false;
    std::chrono::milliseconds timeLimit{0};  // 0: no limit
    // Asked between two looks at the running child; false stops it and the run fails as cancelled.
    std::function<bool()> keepWaiting;
};

struct ChildOutcome {
    bool finished = false;  // the program ran and ended on its own
    int exitStatus = -1;    // its exit status, or -1 when a signal ended it
    std::string problem;    // why it did not start or did not finish; empty when finished
    std::string errors;     // what it wrote to its standard error, when captured (the first kept bytes)
};

// Most bytes of standard error an outcome keeps.
inline constexpr std::size_t kMaxCapturedErrors = 4096;

// Starts the program and waits for it. A program that cannot be started (missing, not executable,
// a folder or redirection that cannot be opened) gives "cannot start PROGRAM: REASON". One still
// running after the time limit, or when keepWaiting says so, is killed and waited for.
[[nodiscard]] ChildOutcome runChild(const ChildRequest& request);

} // namespace tokarium
