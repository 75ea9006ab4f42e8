// Text conversions of the "Stop Conditions" and "Conflicts Resolution" fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tokarium {

// "Simulation duration:" as shown on opening ("%.12lg").
std::string durationText(double duration);

// "Simulation duration:" as stored on OK: a real, "," accepted as decimal separator, anything else 0.
// No further check: a duration of 0 or less is accepted.
double durationFromText(std::string_view text);

// "Priority:" as stored when the field loses the focus: an optional sign and digits, anything else 0.
std::int32_t priorityFromText(std::string_view text);

// "Sharing:" as stored when the field loses the focus: a real, "," accepted, anything else 0.
double ratioFromText(std::string_view text);

// "Sharing:" as shown: the ratio with "%.12lg", or nothing when it is 0 (the transition shares no class).
std::string ratioText(double ratio);

} // namespace tokarium
