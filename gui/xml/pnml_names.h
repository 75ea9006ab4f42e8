// Names shared by the PNML reader and writer.
#pragma once

#include <string_view>

namespace tokarium::pnml {

inline constexpr std::string_view kNamespace = "http://www.pnml.org/version-2009/grammar/pnml";
inline constexpr std::string_view kPtNetType = "http://www.pnml.org/version-2009/grammar/ptnet";
// Written by other tools for place/transition nets too.
inline constexpr std::string_view kCoreModelType = "http://www.pnml.org/version-2009/grammar/pnmlcoremodel";
// The "tool" of this program's toolspecific elements, which carry what the standard labels cannot.
inline constexpr std::string_view kToolName = "Tokarium";
inline constexpr std::string_view kToolVersion = "1.0";

} // namespace tokarium::pnml
