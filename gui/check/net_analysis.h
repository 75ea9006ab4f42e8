// Structural analysis of a net: invariants, conserved sums, coverage, siphons and traps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/check/siphons.h"
#include "gui/model/net_sheet.h"

namespace tokarium {

// The Farkas search gives up beyond this many candidate rows at one step.
inline constexpr std::size_t kInvariantRowLimit = 20000;

struct NetAnalysis {
    // Places and transitions in ascending index order; invariants have one entry per place (P) or
    // per transition (T) in these orders.
    std::vector<const Place*> places;
    std::vector<const Transition*> transitions;
    std::vector<std::vector<std::int64_t>> pInvariants;
    std::vector<std::vector<std::int64_t>> tInvariants;
    // Why a search gave no result (weights that are not short decimals, too many candidates, overflow).
    std::string pProblem;
    std::string tProblem;
    // Places in no P-invariant; the net is covered (hence bounded) when this is empty and pProblem is.
    std::vector<const Place*> uncovered;
    // Siphons and traps are searched only up to kMaxSiphonPlaces places.
    bool siphonsSearched = false;
    std::vector<PlaceSet> siphons;
    std::vector<PlaceSet> traps;
};

NetAnalysis analyseSheet(const NetSheet& sheet);

// "2*P1 + P3": the invariant's non-zero entries with the nodes' display names.
std::string invariantText(const std::vector<std::int64_t>& invariant, const std::vector<const NetNode*>& nodes);
// The conserved sum of a P-invariant with the initial marking: "2*P1 + P3 = 4" ("0+" counts as 0).
std::string conservedSumText(const NetAnalysis& analysis, const std::vector<std::int64_t>& invariant);
// "{P1, P2}".
std::string placeSetText(const NetAnalysis& analysis, PlaceSet set);

struct AnalysisLine {
    std::string text;
    // The nodes the line stands for (an invariant, a siphon or a trap); none for titles and verdicts.
    std::vector<const NetNode*> nodes;
};

// The whole analysis as lines, as the batch mode prints it and the Analysis window lists it: each
// title is followed by one indented line per invariant, siphon or trap.
std::vector<AnalysisLine> analysisLines(const NetAnalysis& analysis);

} // namespace tokarium
