// Filling the place holders of the verification messages.
#include "gui/check/check_messages.h"

#include <array>

namespace tokarium {

std::string fillMessage(std::string_view format, std::string_view first, std::string_view second) {
    // Plain substitution: the texts never pass through a printf format.
    const std::array<std::string_view, 2> values{first, second};
    std::string text;
    std::size_t next = 0;
    std::size_t position = 0;
    while (position < format.size()) {
        std::size_t found = format.find("%s", position);
        if (found == std::string_view::npos) {
            text.append(format.substr(position));
            break;
        }
        text.append(format.substr(position, found - position));
        if (next < values.size())
            text.append(values[next++]);
        position = found + 2;
    }
    return text;
}

} // namespace tokarium
