// Changing the kind of an object within its pair, keeping its connections.
#pragma once

#include <optional>

#include "gui/model/object_container.h"

namespace tokarium {

// The other kind of the object's pair: "Ordinary"/"Generalized" arcs, discrete/continuous places,
// constant duration/constant maximal speed transitions; none for graphs and legends.
std::optional<ObjectKind> otherKindOf(ObjectKind kind);

// Replaces the object by one of the kind made from it (see copyObjectAs), joined by the same arcs (a
// node) or to the same nodes (an arc), and returns it. The kind must belong to the object's pair.
NetObject& changeKind(ObjectContainer& container, NetObject& object, ObjectKind kind);

} // namespace tokarium
