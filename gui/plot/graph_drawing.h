// Drawing the content of a Graph: frame, axes, ticks, grid, marking curves and texts.
#pragma once

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

// The renderer the views give to graphs through their DrawContext.
class GraphDrawer : public GraphRenderer {
public:
    void drawGraph(const Graph& graph, DrawingSurface& surface, const DrawContext& context) const override;
};

} // namespace tokarium
