// Kind codes of the drawable objects and the masks that filter them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tokarium {

// One bit per kind, fixed for an object's life.
enum class ObjectKind : std::uint32_t {
    kOrdinaryArc = 1,
    kGeneralizedArc = 2,
    kDiscretePlace = 4,
    kContinuousPlace = 8,
    kDiscreteTransition = 16,
    kContinuousTransition = 32,
    kGraph = 64,
    kLegend = 128,
};

using KindMask = std::uint32_t;

constexpr KindMask kArcKinds = 3;
constexpr KindMask kPlaceKinds = 12;
constexpr KindMask kTransitionKinds = 48;
constexpr KindMask kNodeKinds = 60;
constexpr KindMask kDiscreteFamily = 20;
constexpr KindMask kContinuousFamily = 40;
constexpr KindMask kAllKinds = 0xFFFFFFFFu;

// Every kind in the order of the format templates and of reading "objects".
constexpr std::array<ObjectKind, 8> kKindsInTemplateOrder = {
    ObjectKind::kOrdinaryArc,         ObjectKind::kGeneralizedArc,        ObjectKind::kDiscretePlace,
    ObjectKind::kContinuousPlace,     ObjectKind::kDiscreteTransition,    ObjectKind::kContinuousTransition,
    ObjectKind::kGraph,               ObjectKind::kLegend,
};

constexpr KindMask maskOf(ObjectKind kind) {
    return static_cast<KindMask>(kind);
}

constexpr bool isKindIn(ObjectKind kind, KindMask mask) {
    return (maskOf(kind) & mask) != 0;
}

// Places for a place kind, transitions for a transition kind: the set within which indices are unique.
constexpr KindMask indexFamilyOf(ObjectKind kind) {
    return isKindIn(kind, kPlaceKinds) ? kPlaceKinds : isKindIn(kind, kTransitionKinds) ? kTransitionKinds : 0;
}

// Discrete or continuous family of a node kind (0 for other kinds).
constexpr KindMask timingFamilyOf(ObjectKind kind) {
    return isKindIn(kind, kDiscreteFamily) ? kDiscreteFamily : isKindIn(kind, kContinuousFamily) ? kContinuousFamily : 0;
}

// XML element written for the kind ("place_d", "arc_o", ...).
std::string_view elementNameOf(ObjectKind kind);

// Element also accepted on reading ("transition_td", "transition_vd"), empty for other kinds.
std::string_view alternateElementNameOf(ObjectKind kind);

} // namespace tokarium
