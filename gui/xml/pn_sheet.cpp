// Reading and writing the sheet element of a .pn document.
#include "gui/xml/pn_sheet.h"

#include "gui/model/legend.h"
#include "gui/model/object_factory.h"
#include "gui/xml/pn_objects.h"

namespace tokarium {

namespace {

void writeSettings(const NetSheet& sheet, XmlWriter& writer) {
    XmlAttributes attributes;
    const PageSettings& page = sheet.page();
    XmlWriter::setInteger(attributes, "paper", page.paperCode);
    XmlWriter::setInteger(attributes, "width", page.width);
    XmlWriter::setInteger(attributes, "height", page.height);
    XmlWriter::setInteger(attributes, "orientation", page.orientation);
    writer.emptyElement("paper", attributes);
    const Font& font = sheet.font();
    XmlWriter::setText(attributes, "name", font.face);
    XmlWriter::setInteger(attributes, "size", font.size);
    XmlWriter::setInteger(attributes, "style", font.style);
    writer.emptyElement("font", attributes);
    const GridSettings& grid = sheet.grid();
    XmlWriter::setInteger(attributes, "size", grid.step);
    XmlWriter::setBoolean(attributes, "show", grid.shown);
    XmlWriter::setBoolean(attributes, "align", grid.align);
    writer.emptyElement("grid", attributes);
    if (sheet.zoom() != kDefaultZoom)
        writer.integerElement("zoom", sheet.zoom());
}

// Reads "paper", "font", "grid" or "zoom" when the current token is one of them.
bool readSetting(NetSheet& sheet, XmlReader& reader) {
    XmlAttributes attributes;
    if (reader.readElement("paper", &attributes, nullptr)) {
        PageSettings& page = sheet.page();
        page.paperCode = reader.integerAttribute(attributes, "paper", page.paperCode);
        page.width = reader.integerAttribute(attributes, "width", page.width);
        page.height = reader.integerAttribute(attributes, "height", page.height);
        page.orientation = reader.integerAttribute(attributes, "orientation", page.orientation);
        return true;
    }
    if (reader.readElement("font", &attributes, nullptr)) {
        Font& font = sheet.font();
        font.face = XmlReader::getText(attributes, "name", font.face);
        font.size = reader.integerAttribute(attributes, "size", font.size);
        font.style = reader.integerAttribute(attributes, "style", font.style);
        return true;
    }
    if (reader.readElement("grid", &attributes, nullptr)) {
        GridSettings& grid = sheet.grid();
        grid.step = reader.integerAttribute(attributes, "size", grid.step);
        grid.shown = reader.booleanAttribute(attributes, "show", grid.shown);
        grid.align = reader.booleanAttribute(attributes, "align", grid.align);
        return true;
    }
    std::int32_t zoom = sheet.zoom();
    if (reader.readIntegerElement("zoom", zoom)) {
        sheet.setZoom(zoom);
        return true;
    }
    return false;
}

void writeTemplates(const FormatTemplates& templates, XmlWriter& writer) {
    for (std::size_t i = 0; i < FormatTemplates::size(); ++i) {
        const NetObject& prototype = templates.at(i);
        if (prototype.kind() == ObjectKind::kLegend) {
            // The legend template keeps only its format and font; its text is never saved.
            std::unique_ptr<NetObject> copy = copyObject(prototype);
            static_cast<Legend&>(*copy).setText({});
            writeObject(*copy, writer);
        } else {
            writeObject(prototype, writer);
        }
    }
}

bool readTemplate(FormatTemplates& templates, XmlReader& reader) {
    for (std::size_t i = 0; i < FormatTemplates::size(); ++i)
        if (readObject(templates.at(i), reader))
            return true;
    return false;
}

bool readSimulator(NetSheet& sheet, XmlReader& reader) {
    XmlAttributes attributes;
    if (!reader.readElement("simulator", &attributes, nullptr))
        return false;
    sheet.setDuration(reader.realAttribute(attributes, "duration", sheet.duration()));
    return true;
}

bool readPriorityEntry(PriorityEntry& entry, XmlReader& reader) {
    XmlAttributes attributes;
    if (!reader.isStart("priority", &attributes))
        return false;
    entry.placeIndex = reader.integerAttribute(attributes, "place", entry.placeIndex);
    if (!reader.closingName().empty())
        return true;
    while (!reader.isEnd("priority")) {
        if (reader.readElement("transition", &attributes, nullptr))
            entry.addElement(reader.integerAttribute(attributes, "id", 0), reader.integerAttribute(attributes, "priority", 0),
                             reader.realAttribute(attributes, "ratio", 0.0));
        else
            reader.skip();
    }
    return true;
}

} // namespace

void writePriorities(const PriorityTable& table, XmlWriter& writer) {
    writer.openElement("priorities");
    XmlAttributes attributes;
    for (const PriorityEntry& entry : table) {
        XmlWriter::setInteger(attributes, "place", entry.placeIndex);
        writer.openElement("priority", attributes);
        for (std::size_t i = 0; i < entry.elementCount(); ++i) {
            XmlWriter::setInteger(attributes, "id", entry.transitionIndices[i]);
            XmlWriter::setInteger(attributes, "priority", entry.priorities[i]);
            XmlWriter::setReal(attributes, "ratio", entry.ratios[i]);
            writer.emptyElement("transition", attributes);
        }
        writer.closeElement("priority");
    }
    writer.closeElement("priorities");
}

bool readPriorities(PriorityTable& table, XmlReader& reader) {
    if (!reader.isStart("priorities"))
        return false;
    if (!reader.closingName().empty())
        return true;
    while (!reader.isEnd("priorities")) {
        PriorityEntry entry;
        if (readPriorityEntry(entry, reader))
            table.push_back(std::move(entry));
        else
            reader.skip();
    }
    return true;
}

void writeSheet(const NetSheet& sheet, XmlWriter& writer, KindMask objectKinds) {
    XmlAttributes attributes;
    XmlWriter::setText(attributes, "name", sheet.name());
    XmlWriter::setInteger(attributes, "id", sheet.id());
    writer.openElement("sheet", attributes);
    writeSettings(sheet, writer);
    writeTemplates(sheet.templates(), writer);
    XmlWriter::setReal(attributes, "duration", sheet.duration());
    writer.emptyElement("simulator", attributes);
    writePriorities(sheet.priorities(), writer);
    writeObjects(sheet, writer, false, objectKinds);
    writer.closeElement("sheet");
}

bool readSheet(NetSheet& sheet, XmlReader& reader) {
    XmlAttributes attributes;
    if (!reader.isStart("sheet", &attributes))
        return false;
    sheet.setName(XmlReader::getText(attributes, "name", sheet.name()));
    sheet.setId(reader.integerAttribute(attributes, "id", sheet.id()));
    if (!reader.closingName().empty())
        return true;
    while (!reader.isEnd("sheet")) {
        if (readSetting(sheet, reader) || readTemplate(sheet.templates(), reader) || readSimulator(sheet, reader) ||
            readPriorities(sheet.priorities(), reader) || readObjects(sheet, reader))
            continue;
        reader.skip();
    }
    return true;
}

} // namespace tokarium
