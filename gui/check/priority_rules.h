// Keeping a sheet's conflict settings consistent with its net, and the edits of the conflicts dialog.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "gui/model/net_sheet.h"
#include "gui/model/priority_table.h"

namespace tokarium {

// A place in conflict feeds more than one output arc.
bool isInConflict(const Place& place);

// The places in conflict of the sheet, in container order (the rows of the conflicts dialog).
std::vector<const Place*> conflictPlaces(const NetSheet& sheet);

// Brings the entry into normal form against the sheet: looks its place up by index and stores the
// reference, keeps exactly one element per output transition in ascending transition index, gives
// continuous transitions a priority of at least 1 and discrete ones at most -1, ratio 0 to a class of
// one and a positive ratio to every member of a larger class. False when the place is missing or is
// not in conflict (the entry should then be dropped).
[[nodiscard]] bool normalizeEntry(PriorityEntry& entry, const NetSheet& sheet);

// A new entry for the place: every output transition with its default priority and ratio.
PriorityEntry createEntry(const NetSheet& sheet, const Place& place);

// The first entry whose place reference is that place, or none. References are refreshed by
// normalisation, so this is meaningful after a successful verification.
PriorityEntry* findEntry(PriorityTable& table, const Place& place);
const PriorityEntry* findEntry(const PriorityTable& table, const Place& place);

// "Priority:" of the conflicts dialog losing the focus: stores the typed integer (0 when it is not one)
// as the element's priority, then normalises the entry.
void applyPriorityText(PriorityEntry& entry, std::size_t element, std::string_view text, const NetSheet& sheet);

// "Sharing:" losing the focus: stores the typed real (0 when it is not one) as the element's ratio, then
// normalises the entry.
void applyRatioText(PriorityEntry& entry, std::size_t element, std::string_view text, const NetSheet& sheet);

} // namespace tokarium
