// The plain values the property dialogs edit, read from an object and written back to it on OK.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/net_sheet.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

// Identity and format of a place or transition.
struct NodeValues {
    std::int32_t index = 1;
    std::string name;
    ObjectFormat format;
    friend bool operator==(const NodeValues&, const NodeValues&) = default;
};

struct PlaceValues {
    NodeValues node;
    double initialMarking = 0.0; // -1 is "0+"
    friend bool operator==(const PlaceValues&, const PlaceValues&) = default;
};

struct TransitionValues {
    NodeValues node;
    double ft = 1.0; // -1 is "inf"
    friend bool operator==(const TransitionValues&, const TransitionValues&) = default;
};

struct ArcValues {
    ObjectFormat format;
    double weight = 1.0;
    friend bool operator==(const ArcValues&, const ArcValues&) = default;
};

struct LegendValues {
    std::string text;
    ObjectFormat format;
    std::optional<Font> font; // none: the legend keeps its font
    friend bool operator==(const LegendValues&, const LegendValues&) = default;
};

// The saved fields of a graph; the curves keep their run-time data unless they were changed.
struct GraphValues {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    ObjectFormat format;
    std::vector<GraphCurve> curves;
};

PlaceValues placeValues(const Place& place);
TransitionValues transitionValues(const Transition& transition);
ArcValues arcValues(const Arc& arc);
LegendValues legendValues(const Legend& legend);
GraphValues graphValues(const Graph& graph);

// Stores the values and Resets the node, unless another node of its family holds the index: then
// nothing changes and the result is false.
[[nodiscard]] bool applyPlaceValues(NetSheet& sheet, Place& place, const PlaceValues& values);
[[nodiscard]] bool applyTransitionValues(NetSheet& sheet, Transition& transition, const TransitionValues& values);
// The weight is taken only by a generalized arc, a negative one as 0.
void applyArcValues(Arc& arc, const ArcValues& values);
void applyLegendValues(Legend& legend, const LegendValues& values);
void applyGraphValues(Graph& graph, const GraphValues& values);

} // namespace tokarium
