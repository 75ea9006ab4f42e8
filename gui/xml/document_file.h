// Document files: Open, Save and Duplicate PN over the .pn format.
#pragma once

#include "gui/model/net_document.h"
#include "gui/model/user_prompt.h"
#include "gui/xml/pn_document.h"

#include <string>
#include <vector>

namespace tokarium {

// File / Open: reads the file into the document (its previous sheets are dropped). Tells the user
// "Can't open file" or "Incorrect file format", and asks whether to go on when the version is missing.
// On success the path is set and the document is not modified; the windows to open are returned in
// windows. On any failure the document holds no sheet.
[[nodiscard]] bool openDocument(NetDocument& document, const std::string& path, UserPrompt& prompt,
                                std::vector<SheetWindow>& windows);

// File / Save to path, with the views of the windows open on the document. The previous file stays
// intact when anything fails; then the document stays modified and false is returned. The document's
// path is not changed (Save As does that on success).
[[nodiscard]] bool saveDocument(NetDocument& document, const std::string& path,
                                const std::vector<ViewPlacement>& views);

// PN / Duplicate PN: a new sheet (New PN) that receives a copy of the source sheet's settings,
// templates, priorities and objects through the XML writer and reader, then the default name made
// unique and a new id.
NetSheet& duplicateSheet(NetDocument& document, const NetSheet& source);

} // namespace tokarium
