// Named constants of the hybrid simulator mixsim.
#pragma once

namespace mixsim {

// Files in the current directory.
inline constexpr const char* kDataFileName = "data.txt";
inline constexpr const char* kReportFileName = "results_hybrid.htm";

// A remainder this close to the divisor counts as one more whole quotient (modulo2).
inline constexpr double kQuotientTolerance = 1e-05;
// Two IB-state values closer than this are taken as equal (verif_ib1).
inline constexpr double kStateTolerance = 1e-09;

// Marking code of 0+ (an empty place being fed) and value code of an infinite speed.
inline constexpr double kZeroPlus = -1.0;

// Largest count of places or transitions accepted from "data.txt".
inline constexpr long kMaxNodes = 100000;

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitOutputFailed = 2;
inline constexpr int kExitInternalError = 3;

}  // namespace mixsim
