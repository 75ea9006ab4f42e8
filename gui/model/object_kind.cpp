// Element names of the object kinds.
#include "gui/model/object_kind.h"

namespace tokarium {

std::string_view elementNameOf(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::kOrdinaryArc: return "arc_o";
    case ObjectKind::kGeneralizedArc: return "arc_g";
    case ObjectKind::kDiscretePlace: return "place_d";
    case ObjectKind::kContinuousPlace: return "place_c";
    case ObjectKind::kDiscreteTransition: return "transition_d";
    case ObjectKind::kContinuousTransition: return "transition_c";
    case ObjectKind::kGraph: return "graphic";
    case ObjectKind::kLegend: return "legend";
    }
    return {};
}

std::string_view alternateElementNameOf(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::kDiscreteTransition: return "transition_td";
    case ObjectKind::kContinuousTransition: return "transition_vd";
    default: return {};
    }
}

} // namespace tokarium
