// Writing the nets of a document as PNML place/transition nets.
#pragma once

#include <string>

#include "gui/model/net_document.h"

namespace tokarium {

// Every sheet becomes a net of the standard place/transition type on one page. Integer markings and
// weights go into the standard labels; each object's and each net's full description (kinds, speeds,
// durations, real values, formats, conflict settings, graphs, legends) goes into a toolspecific
// element of this program, so that importing the file gives the same nets.
std::string exportPnml(const NetDocument& document);

// Writes exportPnml's text to the file so that a failure leaves any previous file intact.
[[nodiscard]] bool exportPnmlFile(const NetDocument& document, const std::string& path);

} // namespace tokarium
