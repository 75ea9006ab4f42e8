// Running a program of the working folder as a child process and waiting for it.
#pragma once

#include <string>

namespace mixsim {

struct ChildRun {
    bool ran = false;  // the program started and ended by itself
    int status = -1;   // its exit status when `ran`
    std::string error;  // why it did not run or did not end, when !ran
};

// Runs `program` (a path, no arguments, no shell) with the current directory
// unchanged and its standard output and error discarded, and waits for it at
// most `timeoutSeconds`; a child still running then is killed.
[[nodiscard]] ChildRun runChild(const char* program, int timeoutSeconds);

}  // namespace mixsim
