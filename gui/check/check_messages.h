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

// Information box of the "Verify..." command when verification succeeds.
inline constexpr std::string_view kMessageValidNet = "Valid PN.";

// Title of the dialog that lists the messages of a failed verification.
inline constexpr std::string_view kMessagesDialogTitle = "Messages";

} // namespace tokarium
