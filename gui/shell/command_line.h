// The program's command line: an optional document and options.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tokarium {

struct CommandLine {
    std::optional<std::string> document;
    // "--screenshot FILE.png": render the main window to the file after start-up, then end.
    std::optional<std::string> screenshot;
    // "--start" (with --screenshot): carry out "Start" on the document first, so graphs show a run.
    bool start = false;
    // "--keep-runs": the working folders of the engine runs stay on the disk.
    bool keepRuns = false;
    // Set when the arguments cannot be understood; the program reports it and ends.
    std::string error;
};

// Arguments without the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

} // namespace tokarium
