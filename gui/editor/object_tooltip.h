// The tool tip a sheet window shows over a place or a transition.
#pragma once

#include <QString>

#include "gui/model/net_object.h"

namespace tokarium {

// Name, kind and shown values, one per line: "P1 Tank", "Place Discrete", "Marking: 3"; or
// "T2", "Transition Constant Maximal Speed", "Speed value: 2", "Instantaneous speed: 1.5".
// Empty for the other kinds.
QString objectToolTip(const NetObject& object);

} // namespace tokarium
