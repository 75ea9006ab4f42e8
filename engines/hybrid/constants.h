// Named constants of the hybrid simulator mixsim.
#pragma once

namespace mixsim {

// Files in the current directory.
inline constexpr const char* kDataFileName = "data.txt";
inline constexpr const char* kReportFileName = "results_hybrid.htm";
inline constexpr const char* kShortReportFileName = "short_results_hybrid.htm";
inline constexpr const char* kPlaceResultsFileName = "Pos.dat";
inline constexpr const char* kTransitionResultsFileName = "Tran.dat";

// The continuous simulator run as a program (mixsim --flowrun=PATH): its input and results.
inline constexpr const char* kFlowrunInputFileName = "date.dat";
inline constexpr const char* kFlowrunSpeedsFileName = "T.rez";
inline constexpr const char* kFlowrunMarkingsFileName = "P.rez";
// A flowrun run that takes longer than this is stopped and counts as failed.
inline constexpr int kFlowrunTimeoutSeconds = 120;

// A remainder this close to the divisor counts as one more whole quotient (modulo2).
inline constexpr double kQuotientTolerance = 1e-05;
// Two IB-state values closer than this are taken as equal (verif_ib1).
inline constexpr double kStateTolerance = 1e-09;

// Two event times closer than this (relative to the time) are one event time.
inline constexpr double kTimeTolerance = 1e-9;
// A continuous marking this close (relative) to a whole number is taken as
// that number, so that a flow reaching a whole threshold reaches it exactly.
inline constexpr double kMarkingResolution = 1e-9;
// A balance smaller than this in magnitude is 0 (flowrun's speeds carry four decimals).
inline constexpr double kBalanceTolerance = 1e-4;

// Bounds of a run: states in all, consecutive steps without time passing,
// passes of the start-up phase, zero-time rounds at one event time, and
// re-allocations of a shared discrete place on one priority level.
inline constexpr int kMaxStates = 2000;
inline constexpr int kMaxZeroTimeSteps = 1000;
inline constexpr int kMaxStartupPasses = 1000;
inline constexpr int kMaxZeroTimeRounds = 1000;
inline constexpr int kMaxAllocationRounds = 50;
inline constexpr int kMaxLevelPasses = 1000;
// Largest enabling degree of a discrete transition: one timer per degree.
inline constexpr double kMaxEnablingDegree = 1000;

// Marking code of 0+ (an empty place being fed) and value code of an infinite speed.
inline constexpr double kZeroPlus = -1.0;
inline constexpr double kInfiniteSpeed = -1.0;

// Largest count of places or transitions accepted from "data.txt".
inline constexpr long kMaxNodes = 100000;

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitOutputFailed = 2;
inline constexpr int kExitInternalError = 3;
// The run stopped early (a bound was reached or the speeds could not be
// computed); the results hold the states before the stop.
inline constexpr int kExitStopped = 4;

}  // namespace mixsim
