// Object lists as "objects" XML texts: the undo snapshots and the private clipboard.
#pragma once

#include <string>
#include <string_view>

#include "gui/model/object_container.h"

namespace tokarium {

// The declaration and one "objects" element with every object (only the selected ones when asked).
std::string writeObjectsText(const ObjectContainer& container, bool selectedOnly);

// Reads such a text through the .pn object reader into the container (duplicate indices and
// unresolvable arcs dropped). False when the text holds no "objects" element.
[[nodiscard]] bool readObjectsText(std::string_view text, ObjectContainer& container);

} // namespace tokarium
