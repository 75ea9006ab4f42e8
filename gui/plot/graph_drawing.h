// Drawing the content of a Graph: frame, axes, ticks, grid, marking curves and texts.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gui/model/graph.h"

namespace tokarium {

// The ranges a graph plots: times 0..xmax, values 0..yTop (ymax × 1.05, or 10 when every value is 0).
struct GraphRanges {
    double xmax = 0.0;
    double ymax = 0.0;
    double yTop = 0.0;
};
GraphRanges graphRanges(const Graph& graph);

// Tick values from start to end for about n intervals: the step is range / n cut to one significant
// digit; the ticks are the start and the multiples of the step above it up to the end. None when n < 1.
std::vector<double> niceTicks(double start, double end, int n);

// The name a legend gives the curve: the place's automatic name, followed by its typed name when it has
// one ("P3 Tank"); "P<index>" while the curve is not bound to a place.
std::string curveLabel(const GraphCurve& curve);

// What a graph shows at a point of its plot area: the time there and each curve's value at that time
// (curves with no sample yet are left out). None outside the plot area or before any time was recorded.
struct GraphReading {
    double time = 0.0;
    std::vector<std::pair<std::string, double>> values; // curve label, value
};
std::optional<GraphReading> readGraphAt(const Graph& graph, Point point, DrawingSurface& measure, const Font& font);

// The renderer the views give to graphs through their DrawContext.
class GraphDrawer : public GraphRenderer {
public:
    void drawGraph(const Graph& graph, DrawingSurface& surface, const DrawContext& context) const override;
    // "t = 2.5", then one line per curve with a value: "P1 Tank: 4".
    std::string describeAt(const Graph& graph, Point point, DrawingSurface& measure, const Font& font) const override;
};

} // namespace tokarium
