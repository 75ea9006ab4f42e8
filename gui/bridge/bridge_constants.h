// Folder, program and file names of the engines, texts and bounds of the simulation bridge.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

namespace tokarium {

inline constexpr std::string_view kContinuousFolder = "ContinuousPNs";
inline constexpr std::string_view kHybridFolder = "HybridPNs";
inline constexpr std::string_view kContinuousProgram = "flowrun";
inline constexpr std::string_view kHybridProgram = "mixsim";
inline constexpr std::string_view kContinuousInput = "date.dat";
inline constexpr std::string_view kHybridInput = "data.txt";
// Result files as the engines write them; they are looked up without regard to letter case.
inline constexpr std::string_view kContinuousPlaceResults = "P.rez";
inline constexpr std::string_view kContinuousTransitionResults = "T.rez";
inline constexpr std::string_view kHybridPlaceResults = "Pos.dat";
inline constexpr std::string_view kHybridTransitionResults = "Tran.dat";
inline constexpr std::string_view kLongReport = "results.htm";
inline constexpr std::string_view kShortReport = "short_results.htm";
inline constexpr std::string_view kHybridLongReport = "results_hybrid.htm";
inline constexpr std::string_view kHybridShortReport = "short_results_hybrid.htm";
// Where an engine keeps the clock it has reached while a wait watches it.
inline constexpr std::string_view kProgressFile = "progress";

// Line end of the engine input files.
inline constexpr std::string_view kInputLineEnd = "\r\n";
// The continuous engine reads at most 254 characters of the title line, its line end included; a
// longer name is cut so that the rest of it cannot be read as numbers.
inline constexpr std::size_t kMaxInputTitleLength = 200;

inline constexpr std::string_view kEndOfSimulationMessage = "End of simulation.";

// An engine still running after this long is stopped and its run fails.
inline constexpr std::chrono::milliseconds kEngineTimeLimit{std::chrono::minutes(10)};
// Bound of the steps of one run, so that "Start" ends even on a periodic walk of tiny time increments.
inline constexpr std::int32_t kMaxStepsPerRun = 1000000;
// States kept for going back over a run; a longer run keeps its first ones only.
inline constexpr std::size_t kMaxRecordedStates = 100000;

} // namespace tokarium
