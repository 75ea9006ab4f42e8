// Graphs: their frame and, through the plotter's renderer, their content.
#include "gui/model/graph.h"

#include "gui/model/framed_box.h"
#include "gui/model/model_constants.h"

namespace tokarium {

Graph::Graph() : NetObject(ObjectKind::kGraph) {
    setRect({0, 0, kGraphWidth, kGraphHeight});
}

void Graph::draw(DrawingSurface& surface, const DrawContext& context) const {
    if (context.graphRenderer)
        context.graphRenderer->drawGraph(*this, surface, context);
    else
        drawFramedBox(surface, rect(), format());
    drawHandles(surface, context);
}

void Graph::copyContentFrom(const NetObject& source) {
    if (const auto* graph = dynamic_cast<const Graph*>(&source)) {
        m_title = graph->m_title;
        m_xLabel = graph->m_xLabel;
        m_yLabel = graph->m_yLabel;
        m_curves.clear();
        for (const GraphCurve& curve : graph->m_curves)
            m_curves.push_back({curve.sheetId, curve.placeIndex, curve.colour, nullptr, nullptr, {}, {}, {}});
    }
}

} // namespace tokarium
