// The names the menus give the object kinds.
#pragma once

#include <QString>

#include "gui/model/object_kind.h"

namespace tokarium {

// "Ordinary", "Generalized", "Discrete", "Continuous", "Constant Duration", "Constant Maximal Speed",
// "Graphs", "Legend": the items of the Insert menu.
QString insertKindName(ObjectKind kind);

} // namespace tokarium
