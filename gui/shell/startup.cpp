// The start-up choice of the first document.
#include "gui/shell/startup.h"

namespace tokarium {

std::optional<std::string> startupDocument(const std::optional<std::string>& commandLineFile,
                                           const std::vector<std::string>& recentFiles,
                                           const std::function<bool(const std::string&)>& exists) {
    if (commandLineFile)
        return commandLineFile;
    for (const std::string& path : recentFiles)
        if (exists(path))
            return path;
    return std::nullopt;
}

} // namespace tokarium
