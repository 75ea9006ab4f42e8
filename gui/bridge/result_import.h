// Reading the engines' result files into a sheet's SimulationRun.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "gui/model/simulation_run.h"

namespace tokarium {

// Each reader fills the run's matrices from the file's text and returns false, with `problem` set,
// when a needed line is missing or a line has the wrong length. placeCount and transitionCount are
// those of the exported net.
[[nodiscard]] bool readContinuousPlaceResults(std::string_view text, std::size_t placeCount, SimulationRun& run,
                                              std::string& problem);
[[nodiscard]] bool readContinuousTransitionResults(std::string_view text, std::size_t transitionCount,
                                                   SimulationRun& run, std::string& problem);
[[nodiscard]] bool readHybridPlaceResults(std::string_view text, std::size_t placeCount, SimulationRun& run,
                                          std::string& problem);
// Needs the hybrid place results already read.
[[nodiscard]] bool readHybridTransitionResults(std::string_view text, std::size_t transitionCount,
                                               SimulationRun& run, std::string& problem);

// The file of the folder whose name equals `name` without regard to letter case; the exact spelling
// wins when several match.
std::optional<std::filesystem::path> findFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

// The whole content of the file found as above, or none with `problem` set.
std::optional<std::string> readResultFile(const std::filesystem::path& folder, std::string_view name,
                                          std::string& problem);

} // namespace tokarium
