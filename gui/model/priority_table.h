// Conflict settings of a sheet: per place in conflict, the priority and sharing ratio of each output transition.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tokarium {

class Place;

struct PriorityEntry {
    std::int32_t placeIndex = 0;
    const Place* place = nullptr; // looked up by index during normalisation; not owned
    // Parallel lists, one element per output transition of the place.
    std::vector<std::int32_t> transitionIndices;
    std::vector<std::int32_t> priorities;
    std::vector<double> ratios;

    std::size_t elementCount() const { return transitionIndices.size(); }
    void addElement(std::int32_t transitionIndex, std::int32_t priority, double ratio) {
        transitionIndices.push_back(transitionIndex);
        priorities.push_back(priority);
        ratios.push_back(ratio);
    }
    void removeElement(std::size_t position) {
        transitionIndices.erase(transitionIndices.begin() + static_cast<std::ptrdiff_t>(position));
        priorities.erase(priorities.begin() + static_cast<std::ptrdiff_t>(position));
        ratios.erase(ratios.begin() + static_cast<std::ptrdiff_t>(position));
    }
    void swapElements(std::size_t a, std::size_t b) {
        std::swap(transitionIndices[a], transitionIndices[b]);
        std::swap(priorities[a], priorities[b]);
        std::swap(ratios[a], ratios[b]);
    }
};

// Entries in order of creation or reading.
using PriorityTable = std::vector<PriorityEntry>;

} // namespace tokarium
