// Normalisation of priority entries and the edits of the conflicts dialog.
#include "gui/check/priority_rules.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "gui/check/setting_text.h"

namespace tokarium {

namespace {

// The transition of that index that the place feeds through one of its output arcs, or none.
const NetNode* fedTransition(const Place& place, std::int32_t transitionIndex) {
    for (const Arc* arc : place.outputArcs()) {
        const NetNode* to = arc->to();
        if (to && to->isTransition() && to->index() == transitionIndex)
            return to;
    }
    return nullptr;
}

bool holdsTransition(const PriorityEntry& entry, std::int32_t transitionIndex) {
    const auto& indices = entry.transitionIndices;
    return std::find(indices.begin(), indices.end(), transitionIndex) != indices.end();
}

// Keeps the three lists the same length so that every element is complete.
void trimToCompleteElements(PriorityEntry& entry) {
    std::size_t complete = std::min({entry.transitionIndices.size(), entry.priorities.size(), entry.ratios.size()});
    entry.transitionIndices.resize(complete);
    entry.priorities.resize(complete);
    entry.ratios.resize(complete);
}

// Drops elements naming no transition the place feeds, and repeated elements (the first one stays).
// Built afresh, and looked up among the place's own arcs, so that a long list read from a file stays cheap.
void removeStaleElements(PriorityEntry& entry, const Place& place) {
    PriorityEntry kept;
    kept.placeIndex = entry.placeIndex;
    kept.place = entry.place;
    for (std::size_t i = 0; i < entry.elementCount(); ++i) {
        std::int32_t index = entry.transitionIndices[i];
        if (fedTransition(place, index) && !holdsTransition(kept, index))
            kept.addElement(index, entry.priorities[i], entry.ratios[i]);
    }
    entry = std::move(kept);
}

void addMissingElements(PriorityEntry& entry, const Place& place) {
    for (const Arc* arc : place.outputArcs()) {
        const NetNode* to = arc->to();
        if (to && to->isTransition() && !holdsTransition(entry, to->index()))
            entry.addElement(to->index(), 0, 0.0);
    }
}

// Stable exchange sort by ascending transition index, moving the three lists together.
void sortElements(PriorityEntry& entry) {
    std::size_t count = entry.elementCount();
    for (std::size_t pass = 0; pass + 1 < count; ++pass)
        for (std::size_t i = 0; i + 1 < count - pass; ++i)
            if (entry.transitionIndices[i] > entry.transitionIndices[i + 1])
                entry.swapElements(i, i + 1);
}

// Continuous transitions take priorities from 1 upwards, discrete ones from -1 downwards.
std::int32_t normalPriority(std::int32_t priority, bool continuous) {
    if (priority == 0)
        return continuous ? 1 : -1;
    if (continuous && priority < 0)
        return priority == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                                     : -priority;
    if (!continuous && priority > 0)
        return -priority;
    return priority;
}

void normalizePriorities(PriorityEntry& entry, const Place& place) {
    for (std::size_t i = 0; i < entry.elementCount(); ++i) {
        const NetNode* transition = fedTransition(place, entry.transitionIndices[i]);
        entry.priorities[i] = normalPriority(entry.priorities[i], transition && transition->isContinuous());
    }
}

// A class of one shares nothing (ratio 0); members of a larger class need a positive ratio.
void normalizeRatios(PriorityEntry& entry) {
    std::size_t count = entry.elementCount();
    for (std::size_t i = 0; i < count; ++i) {
        std::int32_t priority = entry.priorities[i];
        auto classSize = std::count(entry.priorities.begin(), entry.priorities.end(), priority);
        for (std::size_t j = i; j < count; ++j) {
            if (entry.priorities[j] != priority)
                continue;
            if (classSize == 1)
                entry.ratios[j] = 0.0;
            else if (!(entry.ratios[j] > 0.0))
                entry.ratios[j] = 1.0;
        }
    }
}

} // namespace

bool isInConflict(const Place& place) {
    return place.outputArcs().size() > 1;
}

std::vector<const Place*> conflictPlaces(const NetSheet& sheet) {
    std::vector<const Place*> places;
    for (NetObject* object : sheet.objects(kPlaceKinds)) {
        const auto* place = static_cast<const Place*>(object);
        if (isInConflict(*place))
            places.push_back(place);
    }
    return places;
}

bool normalizeEntry(PriorityEntry& entry, const NetSheet& sheet) {
    entry.place = sheet.findPlace(entry.placeIndex);
    if (!entry.place || !isInConflict(*entry.place))
        return false;
    trimToCompleteElements(entry);
    removeStaleElements(entry, *entry.place);
    addMissingElements(entry, *entry.place);
    sortElements(entry);
    normalizePriorities(entry, *entry.place);
    normalizeRatios(entry);
    return true;
}

PriorityEntry createEntry(const NetSheet& sheet, const Place& place) {
    PriorityEntry entry;
    entry.placeIndex = place.index();
    (void)normalizeEntry(entry, sheet);
    return entry;
}

PriorityEntry* findEntry(PriorityTable& table, const Place& place) {
    auto found = std::find_if(table.begin(), table.end(), [&](const PriorityEntry& e) { return e.place == &place; });
    return found == table.end() ? nullptr : &*found;
}

const PriorityEntry* findEntry(const PriorityTable& table, const Place& place) {
    auto found = std::find_if(table.begin(), table.end(), [&](const PriorityEntry& e) { return e.place == &place; });
    return found == table.end() ? nullptr : &*found;
}

void applyPriorityText(PriorityEntry& entry, std::size_t element, std::string_view text, const NetSheet& sheet) {
    if (element >= entry.priorities.size())
        return;
    entry.priorities[element] = priorityFromText(text);
    (void)normalizeEntry(entry, sheet);
}

void applyRatioText(PriorityEntry& entry, std::size_t element, std::string_view text, const NetSheet& sheet) {
    if (element >= entry.ratios.size())
        return;
    entry.ratios[element] = ratioFromText(text);
    (void)normalizeEntry(entry, sheet);
}

} // namespace tokarium
