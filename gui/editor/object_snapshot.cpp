// Object lists written and read through the .pn object writer and reader.
#include "gui/editor/object_snapshot.h"

#include <sstream>

#include "gui/xml/pn_objects.h"

namespace tokarium {

std::string writeObjectsText(const ObjectContainer& container, bool selectedOnly) {
    std::ostringstream stream(std::ios::out | std::ios::binary);
    XmlWriter writer(stream);
    writeObjects(container, writer, selectedOnly);
    return stream.str();
}

bool readObjectsText(std::string_view text, ObjectContainer& container) {
    std::istringstream stream(std::string(text), std::ios::in | std::ios::binary);
    XmlReader reader(stream);
    return reader.readDeclaration() && readObjects(container, reader);
}

} // namespace tokarium
