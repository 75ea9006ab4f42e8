// Binding the curves of a graph to their places and recording their samples while stepping.
#pragma once

#include "gui/model/graph.h"
#include "gui/model/net_document.h"

namespace tokarium {

// Clears every curve's samples and looks up the sheet with the curve's id and, in it, the place with
// the curve's index; either may stay unbound.
void bindCurves(Graph& graph, const NetDocument& document);

// Every curve bound to a place appends its sheet's clock, the place's working marking (before) and
// shown marking (after), the "0+" code -1 stored as 0.
void recordCurves(Graph& graph);

// bindCurves or recordCurves on every graph of the sheet.
void bindSheetCurves(NetSheet& sheet, const NetDocument& document);
void recordSheetCurves(NetSheet& sheet);

} // namespace tokarium
