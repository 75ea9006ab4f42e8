// The .pn layout of the drawable objects and of an "objects" element.
#pragma once

#include "gui/model/net_object.h"
#include "gui/model/object_container.h"
#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

#include <memory>

namespace tokarium {

// Writes one object element: start tag, format children and the kind's own children.
void writeObject(const NetObject& object, XmlWriter& writer);

// When the current token is the start tag of an element of this object's kind (for transitions also
// the alternative name), reads the element into the object and returns true; otherwise false.
[[nodiscard]] bool readObject(NetObject& object, XmlReader& reader);

// When the current token starts an object element of any kind, a new object read from it; else none.
std::unique_ptr<NetObject> readAnyObject(XmlReader& reader);

// One "objects" element with every object of the kinds in container order (only the selected ones
// when asked).
void writeObjects(const ObjectContainer& container, XmlWriter& writer, bool selectedOnly, KindMask kinds = kAllKinds);

// Reads an "objects" element into the container: nodes with an index already used in their family
// are dropped, then arcs are resolved (unresolvable ones dropped). False when the current token is
// not "objects".
[[nodiscard]] bool readObjects(ObjectContainer& container, XmlReader& reader);

} // namespace tokarium
