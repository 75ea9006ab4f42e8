// The .pn layout of a sheet: settings, format templates, duration, priorities and objects.
#pragma once

#include "gui/model/net_sheet.h"
#include "gui/model/priority_table.h"
#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

namespace tokarium {

void writePriorities(const PriorityTable& table, XmlWriter& writer);
// Appends one entry per "priority" child; false when the current token is not "priorities".
[[nodiscard]] bool readPriorities(PriorityTable& table, XmlReader& reader);

// One "sheet" element, with the objects of the kinds.
void writeSheet(const NetSheet& sheet, XmlWriter& writer, KindMask objectKinds = kAllKinds);
// Reads a "sheet" element into the sheet; missing parts keep the sheet's values, the name and id
// are taken as they are. False when the current token is not "sheet".
[[nodiscard]] bool readSheet(NetSheet& sheet, XmlReader& reader);

} // namespace tokarium
