// Running a program with its standard input and output redirected to files, and waiting.
#pragma once

#include <string>
#include <vector>

namespace flowrun {

struct ProcessOutcome {
    bool started = false;
    std::string message;  // why it could not be started
};

// Starts the program (no shell) with stdin read from inputPath and stdout and stderr written
// to outputPath, both in the current directory, and waits for it to end.
ProcessOutcome runRedirected(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& inputPath, const std::string& outputPath);

// The program found in the PATH folders; when PATH is unset or empty, the fallback path.
// Empty when it is found nowhere.
std::string findProgram(const std::string& name, const std::string& fallback);

}  // namespace flowrun
