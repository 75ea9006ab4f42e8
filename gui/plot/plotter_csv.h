// The Plotter table as comma-separated values for spreadsheets and scripts.
#pragma once

#include <string>

#include "gui/plot/plotter_table.h"

namespace tokarium {

// A header row "time" and the nodes' names as shown (UTF-8, quoted when needed), then one row per recorded
// time with every node's value at that time; numbers in the C locale, shortest text that reads back
// to the same double. A node without a value yet has an empty cell. Line ends are CR LF.
std::string plotterCsv(const PlotterTable& table);

// Writes plotterCsv's text so that a failure leaves any previous file intact.
[[nodiscard]] bool savePlotterCsv(const PlotterTable& table, const std::string& path);

} // namespace tokarium
