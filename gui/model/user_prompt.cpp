// Message texts with their argument.
#include "gui/model/user_prompt.h"

#include <array>

namespace tokarium {

std::string formatMessage(std::string_view message, std::string_view first, std::string_view second) {
    const std::array<std::string_view, 2> values{first, second};
    std::string text;
    std::size_t next = 0;
    std::size_t position = 0;
    while (position < message.size()) {
        const std::size_t found = message.find("%s", position);
        if (found == std::string_view::npos) {
            text.append(message.substr(position));
            break;
        }
        text.append(message.substr(position, found - position));
        if (next < values.size())
            text.append(values[next++]);
        position = found + 2;
    }
    return text;
}

} // namespace tokarium
