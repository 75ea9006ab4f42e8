// Reading the tight constraints of a phase's speeds off the state the sheet shows.
#include "gui/check/speed_explanation.h"

#include <cmath>

#include "gui/check/priority_rules.h"
#include "gui/model/model_constants.h"
#include "gui/model/number_text.h"

namespace tokarium {
namespace {

// Speeds and balances closer than this (relative to the larger value) are equal.
constexpr double kTolerance = 1e-9;

bool isEmpty(const Place& place) {
    return place.shownMarking() == kInfinitesimalMarking || std::fabs(place.shownMarking()) <= kTolerance;
}

double speedOf(const NetNode& node) {
    return node.isTransition() && node.isContinuous() ? static_cast<const Transition&>(node).shownValue() : 0.0;
}

bool runsBelowMaximum(const Transition& transition) {
    const double maximum = transition.ft();
    return maximum == kInfiniteValue || transition.shownValue() < maximum * (1.0 - kTolerance) - kTolerance;
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// "fed by T1 at 2 and T4 at 0.5 (T4 is limited too)" or "and nothing feeds it".
std::string feedText(const Place& place) {
    std::vector<std::string> feeders;
    std::vector<std::string> limited;
    for (const Arc* arc : place.inputArcs()) {
        const double rate = arc->weight() * speedOf(*arc->from());
        if (rate <= kTolerance)
            continue;
        feeders.push_back(arc->from()->displayName() + " at " + formatReal(rate));
        if (runsBelowMaximum(static_cast<const Transition&>(*arc->from())))
            limited.push_back(arc->from()->displayName());
    }
    if (feeders.empty())
        return "nothing feeds it";
    std::string text = "fed by " + joined(feeders, " and ");
    if (!limited.empty())
        text += " (" + joined(limited, ", ") + (limited.size() == 1 ? " is" : " are") + " limited too)";
    return text;
}

// How the conflict at the place between the transition and the others drawing from it was settled.
std::string conflictText(const NetSheet& sheet, const Place& place, const Transition& transition) {
    std::vector<const NetNode*> others;
    for (const Arc* arc : place.outputArcs())
        if (arc->to() != &transition && speedOf(*arc->to()) > kTolerance)
            others.push_back(arc->to());
    if (others.empty())
        return {};
    const PriorityEntry* entry = findEntry(sheet.priorities(), place);
    if (!entry) {
        for (const PriorityEntry& candidate : sheet.priorities())
            if (candidate.placeIndex == place.index())
                entry = &candidate;
    }
    std::vector<std::string> names;
    for (const NetNode* other : others)
        names.push_back(other->displayName());
    const std::string drawers = joined(names, ", ") + (names.size() == 1 ? " draws" : " draw") + " from it too";
    if (!entry)
        return "; " + drawers;
    const auto settingOf = [entry](const NetNode& node) -> std::pair<int, double> {
        for (std::size_t i = 0; i < entry->elementCount(); ++i)
            if (entry->transitionIndices[i] == node.index())
                return {entry->priorities[i], entry->ratios[i]};
        return {0, 0.0};
    };
    const auto [priority, ratio] = settingOf(transition);
    std::vector<std::string> before;
    std::vector<std::string> sharing{transition.displayName() + " " + formatReal(ratio)};
    for (const NetNode* other : others) {
        const auto [otherPriority, otherRatio] = settingOf(*other);
        if (otherPriority != priority && std::abs(otherPriority) < std::abs(priority))
            before.push_back(other->displayName() + " (priority " + std::to_string(otherPriority) + ")");
        else if (otherPriority == priority)
            sharing.push_back(other->displayName() + " " + formatReal(otherRatio));
    }
    if (!before.empty())
        return "; the conflict at " + place.displayName() + " is settled by priority: " + joined(before, ", ") +
               " before " + transition.displayName() + " (priority " + std::to_string(priority) + ")";
    if (sharing.size() > 1)
        return "; " + place.displayName() + " is shared in the ratios " + joined(sharing, " : ");
    return "; " + drawers;
}

// The continuous engine's own cause for the phase whose speeds the sheet shows.
std::string engineCause(const NetSheet& sheet, const Transition& transition) {
    const SimulationRun& run = sheet.simulationRun();
    if (run.speedRow < 0)
        return {};
    std::size_t position = 0;
    for (NetObject* object : sheet.sortedByIndex(kTransitionKinds)) {
        if (object == &transition)
            break;
        ++position;
    }
    const auto row = static_cast<std::size_t>(run.speedRow);
    for (const EngineSpeedCause& cause : run.speedCauses)
        if (cause.row == row && cause.transition == position)
            return cause.text;
    return {};
}

} // namespace

std::string speedCause(const NetSheet& sheet, const Transition& transition) {
    if (!transition.isContinuous() || !runsBelowMaximum(transition))
        return {};
    if (sheet.simulationRun().engine == EngineKind::kContinuous && sheet.simulationRun().speedCausesKnown)
        return engineCause(sheet, transition);
    std::vector<std::string> causes;
    for (const Arc* arc : transition.inputArcs()) {
        const auto& place = static_cast<const Place&>(*arc->from());
        if (!place.isContinuous()) {
            if (place.shownMarking() < arc->weight())
                causes.push_back("the discrete place " + place.displayName() + " holds " +
                                 markingText(place.shownMarking()) + " of the " + formatReal(arc->weight()) +
                                 " tokens it needs");
            continue;
        }
        if (!isEmpty(place))
            continue;
        causes.push_back(place.displayName() + " is empty, " + feedText(place) + conflictText(sheet, place, transition));
    }
    if (causes.empty())
        return "no input place is empty: the linear program of its group set this speed with its neighbours'";
    return joined(causes, "; and ");
}

namespace {

// Per limited transition: its name, speed and cause, without the time.
std::vector<std::pair<std::string, std::string>> limitedTransitions(const NetSheet& sheet) {
    std::vector<std::pair<std::string, std::string>> limited;
    for (NetObject* object : sheet.sortedByIndex(maskOf(ObjectKind::kContinuousTransition))) {
        const auto& transition = static_cast<const Transition&>(*object);
        const std::string cause = speedCause(sheet, transition);
        if (!cause.empty())
            limited.emplace_back(transition.displayName(), " runs at " + formatReal(transition.shownValue()) +
                                                               " instead of " + transitionValueText(transition.ft()) +
                                                               ": " + cause);
    }
    return limited;
}

} // namespace

std::vector<std::string> speedExplanations(const NetSheet& sheet, double time) {
    std::vector<std::string> lines;
    for (const auto& [name, text] : limitedTransitions(sheet))
        lines.push_back(name + " at time " + formatReal(time) + text);
    return lines;
}

void ExplanationLog::record(const NetSheet& sheet) {
    std::vector<std::string> causes;
    for (const auto& [name, text] : limitedTransitions(sheet))
        causes.push_back(name + text);
    if (causes == m_previousCauses)
        return;
    const std::vector<std::string> lines = speedExplanations(sheet, sheet.simulationRun().clock);
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    m_previousCauses = std::move(causes);
}

} // namespace tokarium
