// Reading place/transition nets from PNML files into nets of a document.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/model/net_document.h"

namespace tokarium {

struct PnmlImportResult {
    // One sheet per importable net, in file order, named after the net (not yet unique in a document).
    std::vector<std::unique_ptr<NetSheet>> sheets;
    // Nets refused because of their type, one message each.
    std::vector<std::string> messages;
    // Set when the file is malformed ("line N: ..." naming the element's id); there are no sheets then.
    std::string error;
};

// Pages are flattened, reference nodes resolved, missing graphics laid out on a grid, missing
// inscriptions taken as 1 and missing markings as 0. This program's toolspecific data, when present,
// gives each object and the net what the standard labels cannot hold.
PnmlImportResult importPnml(std::string_view bytes);

// Reads the file and appends its nets to the document with unique names and ids. False, with the
// reason in error, when the file cannot be read, is malformed or holds no importable net; the
// document is then unchanged. Refused nets are reported in messages either way.
[[nodiscard]] bool importPnmlFile(const std::string& path, NetDocument& document, std::vector<std::string>& messages,
                                  std::string& error);

} // namespace tokarium
