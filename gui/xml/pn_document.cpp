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

    // Sheets and views are collected first and enter the document only when the whole file was read
    // without damage: part of a document must never pass for all of it.
    std::vector<std::unique_ptr<NetSheet>> sheets;
    std::vector<ViewPlacement> views;
    bool emptyRoot = !reader.closingName().empty();
    while (!emptyRoot && !reader.isEnd("tokarium")) {
        auto sheet = std::make_unique<NetSheet>();
        if (readSheet(*sheet, reader)) {
            sheets.push_back(std::move(sheet));
        } else if (reader.readElement("view", &attributes, nullptr)) {
            ViewPlacement view;
            view.sheetId = reader.integerAttribute(attributes, "id", 0);
            view.rect.left = reader.integerAttribute(attributes, "left", 0);
            view.rect.top = reader.integerAttribute(attributes, "top", 0);
            view.rect.right = reader.integerAttribute(attributes, "right", 0);
            view.rect.bottom = reader.integerAttribute(attributes, "bottom", 0);
            views.push_back(view);
        } else {
            reader.skip();
        }
    }
    if (reader.damaged())
        return DocumentReadStatus::kIncorrectFormat;
    if (sheets.empty())
        return DocumentReadStatus::kNoSheet;

    const std::size_t firstWindow = windows.size();
    const std::size_t firstSheet = document.sheetCount();
    for (auto& sheet : sheets)
        document.addSheet(std::move(sheet));
    for (const ViewPlacement& view : views) {
        NetSheet* shown = document.findSheetById(view.sheetId);
        bool alreadyOpen = std::any_of(windows.begin() + static_cast<std::ptrdiff_t>(firstWindow), windows.end(),
                                       [shown](const SheetWindow& window) { return window.sheet == shown; });
        if (shown && !alreadyOpen)
            windows.push_back(SheetWindow{shown, view.rect});
    }
    if (windows.size() == firstWindow)
        windows.push_back(SheetWindow{&document.sheet(firstSheet), std::nullopt});
    return DocumentReadStatus::kLoaded;
}

} // namespace tokarium
