// The plain values the property dialogs edit.
#include "gui/editor/dialog_values.h"

namespace tokarium {
namespace {

NodeValues nodeValues(const NetNode& node) {
    return {node.index(), node.name(), node.format()};
}

bool indexFree(const NetSheet& sheet, const NetNode& node, std::int32_t index) {
    const NetNode* holder = sheet.findByIndex(indexFamilyOf(node.kind()), index);
    return holder == nullptr || holder == &node;
}

void storeNodeValues(NetNode& node, const NodeValues& values) {
    node.setName(values.name);
    node.setFormat(values.format);
}

} // namespace

PlaceValues placeValues(const Place& place) {
    return {nodeValues(place), place.initialMarking()};
}

TransitionValues transitionValues(const Transition& transition) {
    return {nodeValues(transition), transition.ft()};
}

ArcValues arcValues(const Arc& arc) {
    return {arc.format(), arc.weight()};
}

LegendValues legendValues(const Legend& legend) {
    return {legend.text(), legend.format(), legend.font()};
}

GraphValues graphValues(const Graph& graph) {
    return {graph.title(), graph.xLabel(), graph.yLabel(), graph.format(), graph.curves()};
}

bool applyPlaceValues(NetSheet& sheet, Place& place, const PlaceValues& values) {
    if (!indexFree(sheet, place, values.node.index))
        return false;
    storeNodeValues(place, values.node);
    place.setInitialMarking(values.initialMarking);
    if (!sheet.setIndex(kPlaceKinds, place, values.node.index))
        return false;
    place.reset();
    return true;
}

bool applyTransitionValues(NetSheet& sheet, Transition& transition, const TransitionValues& values) {
    if (!indexFree(sheet, transition, values.node.index))
        return false;
    storeNodeValues(transition, values.node);
    transition.setFt(values.ft);
    if (!sheet.setIndex(kTransitionKinds, transition, values.node.index))
        return false;
    transition.reset();
    return true;
}

void applyArcValues(Arc& arc, const ArcValues& values) {
    arc.setFormat(values.format);
    if (arc.kind() == ObjectKind::kGeneralizedArc)
        arc.setWeight(values.weight < 0.0 ? 0.0 : values.weight);
}

void applyLegendValues(Legend& legend, const LegendValues& values) {
    legend.setText(values.text);
    legend.setFormat(values.format);
    if (values.font)
        legend.setFont(*values.font);
}

void applyGraphValues(Graph& graph, const GraphValues& values) {
    graph.setTitle(values.title);
    graph.setXLabel(values.xLabel);
    graph.setYLabel(values.yLabel);
    graph.setFormat(values.format);
    graph.curves() = values.curves;
}

} // namespace tokarium
