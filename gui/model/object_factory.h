// Creating objects of a kind with their defaults, and copying objects.
#pragma once

#include <memory>

#include "gui/model/net_object.h"

namespace tokarium {

// A new object of the kind with the kind's defaults; its rectangle has the default size at (0, 0).
std::unique_ptr<NetObject> createObject(ObjectKind kind);

// A copy of the source of the same kind (all saved fields; an arc keeps its route and saved ends but
// is not linked: up/down are taken from its links when it has them).
std::unique_ptr<NetObject> copyObject(const NetObject& source);

// A new object of the kind made from the source: it keeps the source's colours only when both are of
// the same discrete/continuous family, and takes the rest of what applies (see NetObject::copyFrom).
std::unique_ptr<NetObject> copyObjectAs(const NetObject& source, ObjectKind kind);

} // namespace tokarium
