// Texts shown to the user by verification and by the "Verify..." command.
#pragma once

#include <string_view>

namespace tokarium {

inline constexpr std::string_view kMessageNoPlace = "No defined place.";
inline constexpr std::string_view kMessageIsolatedPlace = "Place %s without input and output arc.";
inline constexpr std::string_view kMessageNoTransition = "No defined transition.";
inline constexpr std::string_view kMessageIsolatedTransition = "Transition %s without input and output arc.";
inline constexpr std::string_view kMessageWeightNotInteger = "The weight of arc %s is not an integer.";
inline constexpr std::string_view kMessageUnequalArcs = "No arc between transition %s and place %s.";
inline constexpr std::string_view kMessageNotFinite = "The value of %s is not a finite number.";
inline constexpr std::string_view kMessageWeightNegative = "The weight of arc %s is negative.";
inline constexpr std::string_view kMessageMarkingNegative = "The marking of place %s is negative.";
inline constexpr std::string_view kMessageMarkingNotInteger = "The marking of place %s is not a whole number of tokens.";
inline constexpr std::string_view kMessageDurationNegative = "The duration of transition %s is negative.";
inline constexpr std::string_view kMessageSpeedNegative = "The maximal speed of transition %s is negative.";
inline constexpr std::string_view kMessageSimulationDuration = "The simulation duration is not a finite number.";

// Information box of the "Verify..." command when verification succeeds.
inline constexpr std::string_view kMessageValidNet = "Valid PN.";

// Title of the dialog that lists the messages of a failed verification.
inline constexpr std::string_view kMessagesDialogTitle = "Messages";

} // namespace tokarium
