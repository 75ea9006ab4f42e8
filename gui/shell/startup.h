// Which document the program opens when it starts.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tokarium {

// The file named on the command line when there is one; otherwise the first recent file that exists;
// nothing means a new document.
std::optional<std::string> startupDocument(const std::optional<std::string>& commandLineFile,
                                           const std::vector<std::string>& recentFiles,
                                           const std::function<bool(const std::string&)>& exists);

} // namespace tokarium
