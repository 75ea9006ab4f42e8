// Curve binding and recording.
#include "gui/plot/graph_curves.h"

#include "gui/model/place.h"

namespace tokarium {
namespace {

double plotted(double marking) {
    return marking == -1.0 ? 0.0 : marking;
}

} // namespace

void bindCurves(Graph& graph, const NetDocument& document) {
    for (GraphCurve& curve : graph.curves()) {
        curve.times.clear();
        curve.beforeValues.clear();
        curve.afterValues.clear();
        curve.boundSheet = document.findSheetById(curve.sheetId);
        curve.boundPlace = curve.boundSheet ? curve.boundSheet->findPlace(curve.placeIndex) : nullptr;
    }
}

void recordCurves(Graph& graph) {
    for (GraphCurve& curve : graph.curves()) {
        if (!curve.boundSheet || !curve.boundPlace)
            continue;
        curve.times.push_back(curve.boundSheet->simulationRun().clock);
        curve.beforeValues.push_back(plotted(curve.boundPlace->workingMarking()));
        curve.afterValues.push_back(plotted(curve.boundPlace->shownMarking()));
    }
}

void bindSheetCurves(NetSheet& sheet, const NetDocument& document) {
    for (NetObject* object : sheet.objects(maskOf(ObjectKind::kGraph)))
        bindCurves(static_cast<Graph&>(*object), document);
}

void recordSheetCurves(NetSheet& sheet) {
    for (NetObject* object : sheet.objects(maskOf(ObjectKind::kGraph)))
        recordCurves(static_cast<Graph&>(*object));
}

} // namespace tokarium
