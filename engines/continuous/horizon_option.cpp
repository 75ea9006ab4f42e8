// The option --until=T.
#include "engines/continuous/horizon_option.h"

#include <charconv>
#include <cmath>

namespace flowrun {

std::optional<double> parseHorizon(std::string_view value)
{
    double time = 0.0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), time);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(time) || time < 0.0)
        return std::nullopt;
    return time;
}

}  // namespace flowrun
