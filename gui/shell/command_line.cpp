// Reading the program's arguments.
#include "gui/shell/command_line.h"

namespace tokarium {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--screenshot") {
            if (i + 1 >= arguments.size()) {
                line.error = "--screenshot needs the name of a PNG file";
                return line;
            }
            line.screenshot = arguments[++i];
        } else if (argument == "--start") {
            line.start = true;
        } else if (argument == "--keep-runs") {
            line.keepRuns = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            line.error = "unknown option " + argument;
            return line;
        } else if (line.document) {
            line.error = "only one document can be named";
            return line;
        } else {
            line.document = argument;
        }
    }
    if (line.start && !line.screenshot)
        line.error = "--start is only used with --screenshot";
    return line;
}

} // namespace tokarium
