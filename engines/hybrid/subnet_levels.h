// Priority levels of the sub-nets, from the conflicts at discrete places
// shared by their continuous transitions.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace mixsim {

// The transitions of one sub-net in one conflict: their positions in the
// conflict's priority list.
struct LevelEntry {
    std::size_t conflict = 0;  // index into the priority lists
    std::vector<std::size_t> positions;
};

// Each sub-net's level is the largest priority of its transitions in the
// conflicts. In a conflict where a sub-net ranks lower than its level M (its
// largest priority there is p < M), the priorities from p up grow by M - p:
// the sub-net rises to its level and those above it in that conflict rise
// with it, while those below stay. Shifting repeats until nothing changes;
// every conflict keeps its order, so levels that rank several sub-nets of
// one conflict rank them as that conflict does. Returns the levels, or
// nothing when they have not settled after `maxPasses` passes (conflicts that
// rank the same sub-nets in opposite orders lift each other for ever).
[[nodiscard]] std::optional<std::vector<double>> subnetLevels(
    std::vector<std::vector<double>> priorities, const std::vector<std::vector<LevelEntry>>& subnets,
    int maxPasses);

}  // namespace mixsim
