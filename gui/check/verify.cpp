// Verification rules and the normalisation of the priority table that follows a success.
#include "gui/check/verify.h"

#include <cmath>

#include "gui/check/check_messages.h"
#include "gui/check/priority_rules.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/model/user_prompt.h"

namespace tokarium {

namespace {

bool isIsolated(const NetNode& node) {
    return node.inputArcs().empty() && node.outputArcs().empty();
}

void checkNodes(const NetSheet& sheet, KindMask kinds, std::string_view noneMessage, std::string_view isolatedMessage,
                std::vector<std::string>& messages) {
    if (sheet.count(kinds) == 0) {
        messages.emplace_back(noneMessage);
        return;
    }
    for (NetObject* object : sheet.objects(kinds)) {
        const auto* node = static_cast<const NetNode*>(object);
        if (isIsolated(*node))
            messages.push_back(formatMessage(isolatedMessage, node->defaultName()));
    }
}

void checkDiscreteWeights(const NetSheet& sheet, std::vector<std::string>& messages) {
    for (NetObject* object : sheet.objects(kArcKinds)) {
        const auto* arc = static_cast<const Arc*>(object);
        if (!arc->isLinked() || !arc->from()->isKindIn(kDiscreteFamily) || !arc->to()->isKindIn(kDiscreteFamily))
            continue;
        if (std::floor(arc->weight()) != arc->weight())
            messages.push_back(formatMessage(kMessageWeightNotInteger, verifiedArcName(*arc)));
    }
}

// A continuous transition may touch a discrete place only through arcs that give back what they take.
void checkContinuousTransitionsOnDiscretePlaces(const NetSheet& sheet, std::vector<std::string>& messages) {
    for (NetObject* object : sheet.objects(kArcKinds)) {
        const auto* arc = static_cast<const Arc*>(object);
        if (!arc->isLinked())
            continue;
        const NetNode* place = arc->from()->isPlace() ? arc->from() : arc->to();
        const NetNode* transition = arc->from()->isPlace() ? arc->to() : arc->from();
        if (place->kind() != ObjectKind::kDiscretePlace || transition->kind() != ObjectKind::kContinuousTransition)
            continue;
        double intoPlace = 0.0;
        for (const Arc* input : place->inputArcs())
            if (input->from() == transition)
                intoPlace += input->weight();
        double outOfPlace = 0.0;
        for (const Arc* output : place->outputArcs())
            if (output->to() == transition)
                outOfPlace += output->weight();
        if (intoPlace != outOfPlace)
            messages.push_back(formatMessage(kMessageUnequalArcs, transition->defaultName(), place->defaultName()));
    }
}

// The code of "0+" for a marking and of "inf" for a duration or speed.
constexpr double kSpecialValue = -1.0;

void checkPlaceValues(const NetSheet& sheet, std::vector<std::string>& messages) {
    for (NetObject* object : sheet.objects(kPlaceKinds)) {
        const auto* place = static_cast<const Place*>(object);
        const double marking = place->initialMarking();
        const std::string name = place->defaultName();
        const bool discrete = place->kind() == ObjectKind::kDiscretePlace;
        if (!std::isfinite(marking))
            messages.push_back(formatMessage(kMessageNotFinite, name));
        else if (marking < 0 && marking != kSpecialValue)
            messages.push_back(formatMessage(kMessageMarkingNegative, name));
        else if (discrete && std::floor(marking) != marking)
            messages.push_back(formatMessage(kMessageMarkingNotInteger, name));
    }
}

void checkTransitionValues(const NetSheet& sheet, std::vector<std::string>& messages) {
    for (NetObject* object : sheet.objects(kTransitionKinds)) {
        const auto* transition = static_cast<const Transition*>(object);
        const double value = transition->ft();
        const std::string name = transition->defaultName();
        if (!std::isfinite(value))
            messages.push_back(formatMessage(kMessageNotFinite, name));
        else if (value < 0 && value != kSpecialValue)
            messages.push_back(formatMessage(transition->kind() == ObjectKind::kDiscreteTransition
                                                 ? kMessageDurationNegative
                                                 : kMessageSpeedNegative,
                                             name));
    }
}

void checkArcValues(const NetSheet& sheet, std::vector<std::string>& messages) {
    for (NetObject* object : sheet.objects(kArcKinds)) {
        const auto* arc = static_cast<const Arc*>(object);
        if (!arc->isLinked())
            continue;
        if (!std::isfinite(arc->weight()))
            messages.push_back(formatMessage(kMessageNotFinite, verifiedArcName(*arc)));
        else if (arc->weight() < 0)
            messages.push_back(formatMessage(kMessageWeightNegative, verifiedArcName(*arc)));
    }
}

// Drops entries whose place vanished or stopped being in conflict, and second entries of a place;
// normalises the others; gives every place in conflict without an entry a new one.
void normalizePriorityTable(NetSheet& sheet) {
    PriorityTable& table = sheet.priorities();
    PriorityTable kept;
    kept.reserve(table.size());
    for (PriorityEntry& entry : table) {
        if (!normalizeEntry(entry, sheet) || findEntry(kept, *entry.place))
            continue;
        kept.push_back(std::move(entry));
    }
    table = std::move(kept);
    for (const Place* place : conflictPlaces(sheet))
        if (!findEntry(table, *place))
            table.push_back(createEntry(sheet, *place));
}

} // namespace

std::string verifiedArcName(const Arc& arc) {
    return arc.from()->defaultName() + " - " + arc.to()->defaultName();
}

bool verify(NetSheet& sheet, std::vector<std::string>& messages) {
    std::size_t messagesBefore = messages.size();
    checkNodes(sheet, kPlaceKinds, kMessageNoPlace, kMessageIsolatedPlace, messages);
    checkNodes(sheet, kTransitionKinds, kMessageNoTransition, kMessageIsolatedTransition, messages);
    checkDiscreteWeights(sheet, messages);
    checkContinuousTransitionsOnDiscretePlaces(sheet, messages);
    checkPlaceValues(sheet, messages);
    checkTransitionValues(sheet, messages);
    checkArcValues(sheet, messages);
    if (!std::isfinite(sheet.duration()))
        messages.emplace_back(kMessageSimulationDuration);
    if (messages.size() != messagesBefore)
        return false;
    normalizePriorityTable(sheet);
    return true;
}

} // namespace tokarium
