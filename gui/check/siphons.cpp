// Siphons are the traps of the reversed net, so one search serves both.
#include "gui/check/siphons.h"

#include <algorithm>
#include <bit>

namespace tokarium {
namespace {

// A set such that every transition whose `into` places meet it has a `from` place in it too.
bool isClosed(PlaceSet set, const std::vector<TransitionPlaces>& transitions, bool siphon) {
    for (const TransitionPlaces& transition : transitions) {
        const PlaceSet into = siphon ? transition.outputs : transition.inputs;
        const PlaceSet from = siphon ? transition.inputs : transition.outputs;
        if ((into & set) != 0 && (from & set) == 0)
            return false;
    }
    return true;
}

std::vector<PlaceSet> minimalClosedSets(const std::vector<TransitionPlaces>& transitions, std::size_t placeCount,
                                        bool siphon) {
    std::vector<PlaceSet> found;
    if (placeCount == 0 || placeCount > kMaxSiphonPlaces)
        return found;
    std::vector<PlaceSet> sets(PlaceSet{1} << placeCount);
    for (PlaceSet set = 0; set < sets.size(); ++set)
        sets[set] = set;
    std::stable_sort(sets.begin(), sets.end(),
                     [](PlaceSet a, PlaceSet b) { return std::popcount(a) < std::popcount(b); });
    for (PlaceSet set : sets) {
        if (set == 0)
            continue;
        const bool holdsFound =
            std::any_of(found.begin(), found.end(), [set](PlaceSet minimal) { return (set & minimal) == minimal; });
        if (!holdsFound && isClosed(set, transitions, siphon))
            found.push_back(set);
    }
    return found;
}

} // namespace

std::vector<PlaceSet> minimalSiphons(const std::vector<TransitionPlaces>& transitions, std::size_t placeCount) {
    return minimalClosedSets(transitions, placeCount, true);
}

std::vector<PlaceSet> minimalTraps(const std::vector<TransitionPlaces>& transitions, std::size_t placeCount) {
    return minimalClosedSets(transitions, placeCount, false);
}

} // namespace tokarium
