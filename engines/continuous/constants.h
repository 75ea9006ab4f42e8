// Named constants of the continuous simulator: file names, tolerances and safety bounds.
#pragma once

#include <cstddef>

namespace flowrun {

// Real numbers of the engine are single precision, as the stored results expect.
using Real = float;

inline constexpr const char* kInputFile = "date.dat";
inline constexpr const char* kLongReportFile = "results.htm";
inline constexpr const char* kBriefReportFile = "short_results.htm";
inline constexpr const char* kLpModelFile = "date.lp";
inline constexpr const char* kLpReportFile = "date.out";
inline constexpr const char* kResultExtension = ".rez";
inline constexpr const char* kTemporarySuffix = ".tmp";

inline constexpr const char* kSolverProgram = "lp_solve";
inline constexpr const char* kSolverFallbackPath = "/usr/bin/lp_solve";
// -S3 prints "Actual values of the variables:" followed by one name-value line per variable.
inline constexpr const char* kSolverDetailOption = "-S3";
inline constexpr const char* kSolverVariablesHeader = "Actual values of the variables:";
inline constexpr const char* kSolverConstraintsHeader = "Actual values of the constraints:";
// Relative allowance of a balance row when a program is tried again after the rounding of
// the solver's six-digit report made it infeasible (twice the largest relative rounding).
inline constexpr double kLpRowSlack = 1.0e-5;
// The same allowance for the library solver, whose known speeds carry only the rounding of
// the engine's single-precision numbers; also how far a known speed may pass its bound.
inline constexpr double kLpRealSlack = 1.0e-6;

// Codes shared with the GUI and the hybrid engine.
inline constexpr Real kZeroPlus = -1.0f;
inline constexpr Real kInfiniteSpeed = -1.0f;
inline constexpr Real kInfiniteDuration = -1.0f;

inline constexpr Real kBalanceTolerance = 0.00001f;
inline constexpr Real kAnnulTolerance = 0.00001f;
inline constexpr Real kTinyMarking = 0.0001f;
inline constexpr Real kResultFraction = 0.0001f;
inline constexpr Real kSharingCapTolerance = 0.0001f;

inline constexpr std::size_t kTitleLength = 254;
inline constexpr std::size_t kTokenLength = 31;

// Variable names carry four digits, so at most 9999 transitions.
inline constexpr int kMaxTransitions = 9999;
inline constexpr int kMaxPlaces = 9999;
// Bound on places x transitions, so that a damaged count cannot exhaust memory.
inline constexpr long long kMaxMatrixCells = 4000000;
inline constexpr std::size_t kMaxStates = 10000;

// Size of the step trace in "results.htm"; the closing sections are always written.
inline constexpr std::size_t kMaxTraceBytes = std::size_t{128} << 20;

inline constexpr int kMaxLevelPasses = 1000;
// Levels beyond this only come from priorities that contradict each other.
inline constexpr float kMaxLevelValue = 1.0e6f;
inline constexpr int kMaxFiringCycles = 10000;
inline constexpr int kMaxGroupSweeps = 100;
inline constexpr int kMaxSpeedPassages = 10000;

}  // namespace flowrun
