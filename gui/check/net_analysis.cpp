// Building the incidence matrix of a sheet and describing what its invariants say.
#include "gui/check/net_analysis.h"

#include <cmath>
#include <functional>

#include "gui/check/invariants.h"
#include "gui/model/number_text.h"

namespace tokarium {
namespace {

// Real weights are scaled by a power of ten up to this exponent to make the matrix integral.
constexpr int kMaxDecimals = 6;
constexpr double kIntegralTolerance = 1e-9;

bool isIntegral(double value) {
    return std::fabs(value - std::round(value)) <= kIntegralTolerance * std::max(1.0, std::fabs(value));
}

template <typename Node>
std::size_t positionOf(const std::vector<const Node*>& nodes, const NetNode* node) {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i] == node)
            return i;
    return nodes.size();
}

// C[p][t] = weight(t -> p) - weight(p -> t), scaled to integers; false when no scale up to 10^6 does.
bool buildIncidence(const NetSheet& sheet, const NetAnalysis& analysis, IntegerMatrix& matrix) {
    double scale = 1.0;
    for (int decimals = 0;; ++decimals) {
        bool integral = true;
        for (NetObject* object : sheet.objects(kArcKinds, false))
            integral = integral && isIntegral(static_cast<const Arc&>(*object).weight() * scale);
        if (integral)
            break;
        if (decimals == kMaxDecimals)
            return false;
        scale *= 10.0;
    }
    matrix.assign(analysis.places.size(), std::vector<std::int64_t>(analysis.transitions.size(), 0));
    for (NetObject* object : sheet.objects(kArcKinds, false)) {
        const auto& arc = static_cast<const Arc&>(*object);
        if (!arc.isLinked())
            continue;
        const auto weight = static_cast<std::int64_t>(std::llround(arc.weight() * scale));
        const bool intoPlace = arc.to()->isPlace();
        const std::size_t place = positionOf(analysis.places, intoPlace ? arc.to() : arc.from());
        const std::size_t transition = positionOf(analysis.transitions, intoPlace ? arc.from() : arc.to());
        if (place < analysis.places.size() && transition < analysis.transitions.size())
            matrix[place][transition] += intoPlace ? weight : -weight;
    }
    return true;
}

std::vector<TransitionPlaces> placeSetsOf(const NetAnalysis& analysis) {
    std::vector<TransitionPlaces> sets(analysis.transitions.size());
    for (std::size_t t = 0; t < analysis.transitions.size(); ++t) {
        for (const Arc* arc : analysis.transitions[t]->inputArcs())
            sets[t].inputs |= PlaceSet{1} << positionOf(analysis.places, arc->from());
        for (const Arc* arc : analysis.transitions[t]->outputArcs())
            sets[t].outputs |= PlaceSet{1} << positionOf(analysis.places, arc->to());
    }
    return sets;
}

template <typename Node>
std::vector<const NetNode*> asNodes(const std::vector<const Node*>& nodes) {
    return {nodes.begin(), nodes.end()};
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

template <typename Node>
std::vector<const NetNode*> membersOf(const std::vector<std::int64_t>& invariant, const std::vector<const Node*>& nodes) {
    std::vector<const NetNode*> members;
    for (std::size_t i = 0; i < invariant.size() && i < nodes.size(); ++i)
        if (invariant[i] != 0)
            members.push_back(nodes[i]);
    return members;
}

std::vector<const NetNode*> membersOf(PlaceSet set, const std::vector<const Place*>& places) {
    std::vector<const NetNode*> members;
    for (std::size_t p = 0; p < places.size(); ++p)
        if ((set >> p) & 1u)
            members.push_back(places[p]);
    return members;
}

std::string countText(std::size_t count) {
    return count == 0 ? "none" : std::to_string(count);
}

template <typename Node>
void addInvariantLines(std::vector<AnalysisLine>& lines, std::string_view title,
                       const std::vector<std::vector<std::int64_t>>& invariants, const std::string& problem,
                       const std::vector<const Node*>& nodes,
                       const std::function<std::string(const std::vector<std::int64_t>&)>& describe) {
    if (!problem.empty()) {
        lines.push_back({std::string(title) + ": not found, " + problem, {}});
        return;
    }
    lines.push_back({std::string(title) + ": " + countText(invariants.size()), {}});
    for (const auto& invariant : invariants)
        lines.push_back({"  " + describe(invariant), membersOf(invariant, nodes)});
}

} // namespace

NetAnalysis analyseSheet(const NetSheet& sheet) {
    NetAnalysis analysis;
    for (NetObject* object : sheet.sortedByIndex(kPlaceKinds))
        analysis.places.push_back(static_cast<const Place*>(object));
    for (NetObject* object : sheet.sortedByIndex(kTransitionKinds))
        analysis.transitions.push_back(static_cast<const Transition*>(object));

    IntegerMatrix matrix;
    if (!buildIncidence(sheet, analysis, matrix)) {
        analysis.pProblem = analysis.tProblem = "arc weights need more than 6 decimals";
    } else {
        InvariantSearch places = minimalInvariants(matrix, kInvariantRowLimit);
        analysis.pInvariants = std::move(places.invariants);
        analysis.pProblem = std::move(places.problem);
        InvariantSearch transitions =
            minimalInvariants(transposed(matrix, analysis.transitions.size()), kInvariantRowLimit);
        analysis.tInvariants = std::move(transitions.invariants);
        analysis.tProblem = std::move(transitions.problem);
    }
    for (std::size_t p = 0; p < analysis.places.size(); ++p) {
        bool covered = false;
        for (const auto& invariant : analysis.pInvariants)
            covered = covered || invariant[p] > 0;
        if (!covered)
            analysis.uncovered.push_back(analysis.places[p]);
    }
    if (analysis.places.size() <= kMaxSiphonPlaces) {
        analysis.siphonsSearched = true;
        const std::vector<TransitionPlaces> sets = placeSetsOf(analysis);
        analysis.siphons = minimalSiphons(sets, analysis.places.size());
        analysis.traps = minimalTraps(sets, analysis.places.size());
    }
    return analysis;
}

std::string invariantText(const std::vector<std::int64_t>& invariant, const std::vector<const NetNode*>& nodes) {
    std::vector<std::string> terms;
    for (std::size_t i = 0; i < invariant.size() && i < nodes.size(); ++i)
        if (invariant[i] != 0)
            terms.push_back((invariant[i] == 1 ? std::string() : std::to_string(invariant[i]) + "*") +
                            nodes[i]->displayName());
    return joined(terms, " + ");
}

std::string conservedSumText(const NetAnalysis& analysis, const std::vector<std::int64_t>& invariant) {
    double sum = 0.0;
    for (std::size_t p = 0; p < invariant.size() && p < analysis.places.size(); ++p)
        sum += static_cast<double>(invariant[p]) * std::max(0.0, analysis.places[p]->initialMarking());
    return invariantText(invariant, asNodes(analysis.places)) + " = " + formatReal(sum);
}

std::string placeSetText(const NetAnalysis& analysis, PlaceSet set) {
    std::vector<std::string> names;
    for (std::size_t p = 0; p < analysis.places.size(); ++p)
        if ((set >> p) & 1u)
            names.push_back(analysis.places[p]->displayName());
    return "{" + joined(names, ", ") + "}";
}

std::vector<AnalysisLine> analysisLines(const NetAnalysis& analysis) {
    std::vector<AnalysisLine> lines;
    lines.push_back({std::to_string(analysis.places.size()) + " places, " +
                         std::to_string(analysis.transitions.size()) + " transitions",
                     {}});
    addInvariantLines(lines, "P-invariants (minimal, semi-positive)", analysis.pInvariants, analysis.pProblem,
                      analysis.places,
                      [&analysis](const auto& invariant) { return conservedSumText(analysis, invariant); });
    if (analysis.pProblem.empty()) {
        std::vector<std::string> names;
        for (const Place* place : analysis.uncovered)
            names.push_back(place->displayName());
        lines.push_back({names.empty() ? "Covered by P-invariants: yes, so the net is bounded"
                                       : "Covered by P-invariants: no, " + joined(names, ", ") +
                                             (names.size() == 1 ? " is" : " are") + " in no P-invariant",
                         {analysis.uncovered.begin(), analysis.uncovered.end()}});
    }
    addInvariantLines(lines, "T-invariants (minimal, semi-positive)", analysis.tInvariants, analysis.tProblem,
                      analysis.transitions,
                      [&analysis](const auto& invariant) { return invariantText(invariant, asNodes(analysis.transitions)); });
    if (!analysis.siphonsSearched) {
        lines.push_back({"Minimal siphons and traps: not searched, the net has more than " +
                             std::to_string(kMaxSiphonPlaces) + " places",
                         {}});
        return lines;
    }
    for (const auto& [title, sets] : {std::pair{"Minimal siphons", &analysis.siphons},
                                      std::pair{"Minimal traps", &analysis.traps}}) {
        lines.push_back({std::string(title) + ": " + countText(sets->size()), {}});
        for (PlaceSet set : *sets)
            lines.push_back({"  " + placeSetText(analysis, set), membersOf(set, analysis.places)});
    }
    return lines;
}

} // namespace tokarium
