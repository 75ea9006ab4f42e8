// Reading the continuous engine's causes of its speeds ("why.rez") into a sheet's run.
#pragma once

#include <string_view>

#include "gui/model/net_sheet.h"

namespace tokarium {

inline constexpr std::string_view kSpeedCauseFile = "why.rez";
// The option that makes the continuous engine write them, with a section in its report.
inline constexpr std::string_view kExplainEngineOption = "--explain";

// Lines "ROW<TAB>TRANSITION<TAB>CAUSE" (the transition 1-based, in index order); the engine names
// nodes "{P2}" and "{T1}" by their position in index order, which become their display names here.
// A line that does not have this form is skipped.
void readSpeedCauses(std::string_view text, NetSheet& sheet);

} // namespace tokarium
