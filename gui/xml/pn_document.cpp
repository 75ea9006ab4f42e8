// Reading and writing the root element of a .pn document.
#include "gui/xml/pn_document.h"

#include "gui/xml/constants.h"
#include "gui/xml/pn_sheet.h"

#include <algorithm>
#include <memory>

namespace tokarium {

void writeDocument(const NetDocument& document, XmlWriter& writer, const std::vector<ViewPlacement>& views) {
    XmlAttributes attributes;
    XmlWriter::setText(attributes, "version", xml::kDocumentVersion);
    writer.openElement("tokarium", attributes);
    for (const auto& sheet : document.sheets())
        writeSheet(*sheet, writer);
    for (const ViewPlacement& view : views) {
        XmlWriter::setInteger(attributes, "id", view.sheetId);
        XmlWriter::setInteger(attributes, "left", view.rect.left);
        XmlWriter::setInteger(attributes, "top", view.rect.top);
        XmlWriter::setInteger(attributes, "right", view.rect.right);
        XmlWriter::setInteger(attributes, "bottom", view.rect.bottom);
        writer.emptyElement("view", attributes);
    }
    writer.closeElement("tokarium");
}

DocumentReadStatus readDocument(NetDocument& document, XmlReader& reader,
                                const std::function<bool()>& continueWithoutVersion,
                                std::vector<SheetWindow>& windows) {
    XmlAttributes attributes;
    if (!reader.readDeclaration() || !reader.isStart("tokarium", &attributes))
        return DocumentReadStatus::kIncorrectFormat;
    if (XmlReader::getText(attributes, "version", "").empty() && !(continueWithoutVersion && continueWithoutVersion()))
        return DocumentReadStatus::kVersionRefused;

    const std::size_t firstWindow = windows.size();
    const std::size_t firstSheet = document.sheetCount();
    bool emptyRoot = !reader.closingName().empty();
    while (!emptyRoot && !reader.isEnd("tokarium")) {
        auto sheet = std::make_unique<NetSheet>();
        if (readSheet(*sheet, reader)) {
            document.addSheet(std::move(sheet));
        } else if (reader.readElement("view", &attributes, nullptr)) {
            NetSheet* shown = document.findSheetById(XmlReader::getInteger(attributes, "id", 0));
            bool alreadyOpen = std::any_of(windows.begin() + static_cast<std::ptrdiff_t>(firstWindow), windows.end(),
                                           [shown](const SheetWindow& window) { return window.sheet == shown; });
            if (shown && !alreadyOpen) {
                Rect rect;
                rect.left = XmlReader::getInteger(attributes, "left", 0);
                rect.top = XmlReader::getInteger(attributes, "top", 0);
                rect.right = XmlReader::getInteger(attributes, "right", 0);
                rect.bottom = XmlReader::getInteger(attributes, "bottom", 0);
                windows.push_back(SheetWindow{shown, rect});
            }
        } else {
            reader.skip();
        }
    }
    if (document.sheetCount() == firstSheet)
        return DocumentReadStatus::kNoSheet;
    if (windows.size() == firstWindow)
        windows.push_back(SheetWindow{&document.sheet(firstSheet), std::nullopt});
    return DocumentReadStatus::kLoaded;
}

} // namespace tokarium
