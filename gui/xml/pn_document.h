// The .pn layout of a whole document: the root, its sheets and the windows open on them.
#pragma once

#include "gui/model/geometry.h"
#include "gui/model/net_document.h"
#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tokarium {

// A window open on a sheet, as saved: the sheet's id and the window's rectangle inside the main
// window's client area (all zero for a maximised window).
struct ViewPlacement {
    std::int32_t sheetId = 0;
    Rect rect;
};

// A window to open after loading: on the sheet, at the rectangle (maximised when it is empty), or
// with the platform's default placement when there is no rectangle.
struct SheetWindow {
    NetSheet* sheet = nullptr;
    std::optional<Rect> rect;
};

enum class DocumentReadStatus {
    kLoaded,
    kIncorrectFormat, // no XML declaration, a root other than "tokarium", or a damaged file
    kVersionRefused,  // the version was missing and the user chose not to go on
    kNoSheet,         // nothing in the file could be read as a sheet
};

// Writes the root element; the writer has already written the declaration. The views are those of
// the windows open on the document, in the order the application lists them.
void writeDocument(const NetDocument& document, XmlWriter& writer, const std::vector<ViewPlacement>& views);

// Reads the declaration and the root into the document, appending every sheet read. When the
// root's "version" is missing or empty, continueWithoutVersion decides whether to go on. The windows
// to open are appended to windows: one per "view" naming an existing sheet (the first per sheet),
// or one on the first sheet when no view did.
[[nodiscard]] DocumentReadStatus readDocument(NetDocument& document, XmlReader& reader,
                                              const std::function<bool()>& continueWithoutVersion,
                                              std::vector<SheetWindow>& windows);

} // namespace tokarium
