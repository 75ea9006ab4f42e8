// The option --until=T shared by both engines: the run ends at the first
// phase or event past the time T (the duration the user asked for).
#pragma once

#include <optional>
#include <string_view>

namespace flowrun {

inline constexpr std::string_view kHorizonOption = "--until=";

// The time T of "--until=T": a finite number >= 0; nothing when the text is not one.
[[nodiscard]] std::optional<double> parseHorizon(std::string_view value);

}  // namespace flowrun
