// The one-line summary of a priority entry shown by the conflicts dialog.
#pragma once

#include <string>

#include "gui/model/priority_table.h"

namespace tokarium {

// The priority classes joined by " < ": negative priorities from -1 downwards, then the others from 0
// upwards. A class of one is its member; a larger class is "[" + members joined by ", " + "]", where a
// member is "T" + index, preceded by its ratio ("%.12lg") when the ratio is not exactly 1.
// Example: [2T1, T2] < T4.
std::string entryText(const PriorityEntry& entry);

} // namespace tokarium
