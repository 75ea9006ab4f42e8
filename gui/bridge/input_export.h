// The engine input files "date.dat" (continuous) and "data.txt" (hybrid) written from a sheet.
#pragma once

#include <filesystem>
#include <string>

#include "gui/model/net_sheet.h"

namespace tokarium {

// The file contents: one value per line, CR LF line ends. Places and transitions are taken in
// ascending index order; the hybrid file lists the discrete places and transitions by their position
// in that order (the engines number nodes by position), which equals the index when indices have no gaps.
std::string continuousInputText(const NetSheet& sheet);
std::string hybridInputText(const NetSheet& sheet);

// Write the file, replacing any previous one only once the new one is complete; false when it
// cannot be written.
[[nodiscard]] bool WriteContinuousInput(const NetSheet& sheet, const std::filesystem::path& path);
[[nodiscard]] bool WriteHybridInput(const NetSheet& sheet, const std::filesystem::path& path);

} // namespace tokarium
