// Finding the objects a verification message is about, so that the user can be shown them.
#pragma once

#include <string>
#include <vector>

#include "gui/model/net_sheet.h"

namespace tokarium {

// The place, transition or arc a verification message names (both the transition and the place of a
// missing arc); none for a message that names no object or names one the sheet no longer has.
std::vector<NetObject*> messageSubjects(const NetSheet& sheet, const std::string& message);

} // namespace tokarium
