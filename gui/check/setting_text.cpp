// Text conversions of the simulation settings dialogs.
#include "gui/check/setting_text.h"

#include "gui/model/number_text.h"

namespace tokarium {

std::string durationText(double duration) {
    return formatReal(duration);
}

double durationFromText(std::string_view text) {
    return realOrZero(text);
}

std::int32_t priorityFromText(std::string_view text) {
    return integerOrZero(text);
}

double ratioFromText(std::string_view text) {
    return realOrZero(text);
}

std::string ratioText(double ratio) {
    return ratio == 0.0 ? std::string() : formatReal(ratio);
}

} // namespace tokarium
