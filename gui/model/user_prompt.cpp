// Message texts with their argument.
#include "gui/model/user_prompt.h"

namespace tokarium {

std::string formatMessage(std::string_view message, std::string_view argument) {
    std::string text(message);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace tokarium
