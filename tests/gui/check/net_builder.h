// Small nets for the verification and conflict tests, built through the model's own operations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/model/arc.h"
#include "gui/model/net_sheet.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium::testing {

inline Place& addPlace(NetSheet& sheet, ObjectKind kind, std::int32_t index, std::string name = {}) {
    auto place = std::make_unique<Place>(kind);
    place->setIndex(index);
    place->setName(std::move(name));
    return static_cast<Place&>(sheet.add(std::move(place)));
}

inline Place& discretePlace(NetSheet& sheet, std::int32_t index) {
    return addPlace(sheet, ObjectKind::kDiscretePlace, index);
}

inline Place& continuousPlace(NetSheet& sheet, std::int32_t index) {
    return addPlace(sheet, ObjectKind::kContinuousPlace, index);
}

inline Transition& addTransition(NetSheet& sheet, ObjectKind kind, std::int32_t index, std::string name = {}) {
    auto transition = std::make_unique<Transition>(kind);
    transition->setIndex(index);
    transition->setName(std::move(name));
    return static_cast<Transition&>(sheet.add(std::move(transition)));
}

inline Transition& discreteTransition(NetSheet& sheet, std::int32_t index) {
    return addTransition(sheet, ObjectKind::kDiscreteTransition, index);
}

inline Transition& continuousTransition(NetSheet& sheet, std::int32_t index) {
    return addTransition(sheet, ObjectKind::kContinuousTransition, index);
}

inline Arc& addArc(NetSheet& sheet, NetNode& from, NetNode& to, double weight = 1.0,
                   ObjectKind kind = ObjectKind::kOrdinaryArc) {
    auto arc = std::make_unique<Arc>(kind);
    arc->setWeight(weight);
    arc->link(from, to);
    return static_cast<Arc&>(sheet.add(std::move(arc)));
}

} // namespace tokarium::testing
