// Creating objects with their kind's defaults and copying them.
#include "gui/model/object_factory.h"

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

std::unique_ptr<NetObject> createObject(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::kOrdinaryArc:
    case ObjectKind::kGeneralizedArc: return std::make_unique<Arc>(kind);
    case ObjectKind::kDiscretePlace:
    case ObjectKind::kContinuousPlace: return std::make_unique<Place>(kind);
    case ObjectKind::kDiscreteTransition:
    case ObjectKind::kContinuousTransition: return std::make_unique<Transition>(kind);
    case ObjectKind::kGraph: return std::make_unique<Graph>();
    case ObjectKind::kLegend: return std::make_unique<Legend>();
    }
    return nullptr;
}

std::unique_ptr<NetObject> copyObject(const NetObject& source) {
    return copyObjectAs(source, source.kind());
}

std::unique_ptr<NetObject> copyObjectAs(const NetObject& source, ObjectKind kind) {
    std::unique_ptr<NetObject> copy = createObject(kind);
    copy->copyFrom(source);
    return copy;
}

} // namespace tokarium
