// Minimal siphons and traps of small nets by enumerating place sets by size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tokarium {

// Nets with more places than this are not searched: the enumeration doubles with every place.
inline constexpr std::size_t kMaxSiphonPlaces = 20;

using PlaceSet = std::uint32_t; // bit i: place i

// Input and output places of one transition.
struct TransitionPlaces {
    PlaceSet inputs = 0;
    PlaceSet outputs = 0;
};

// Minimal non-empty siphons (every transition putting tokens into the set also takes from it), in
// increasing size; empty when there are more than kMaxSiphonPlaces places.
std::vector<PlaceSet> minimalSiphons(const std::vector<TransitionPlaces>& transitions, std::size_t placeCount);
// Minimal non-empty traps (every transition taking from the set also puts tokens into it).
std::vector<PlaceSet> minimalTraps(const std::vector<TransitionPlaces>& transitions, std::size_t placeCount);

} // namespace tokarium
