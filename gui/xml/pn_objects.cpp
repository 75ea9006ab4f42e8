// Reading and writing the object elements of a .pn document.
#include "gui/xml/pn_objects.h"

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

namespace {

void writeFormatChildren(const NetObject& object, XmlWriter& writer) {
    XmlAttributes attributes;
    const Rect& rect = object.rect();
    if (!rect.isEmpty()) {
        XmlWriter::setInteger(attributes, "left", rect.left);
        XmlWriter::setInteger(attributes, "top", rect.top);
        XmlWriter::setInteger(attributes, "right", rect.right);
        XmlWriter::setInteger(attributes, "bottom", rect.bottom);
        writer.emptyElement("rect", attributes);
    }
    const ObjectFormat& format = object.format();
    XmlWriter::setInteger(attributes, "back", format.back);
    XmlWriter::setInteger(attributes, "fore", format.fore);
    XmlWriter::setInteger(attributes, "line", format.line);
    writer.emptyElement("color", attributes);
    if (format.width != 1)
        XmlWriter::setInteger(attributes, "width", format.width);
    if (format.style != 0)
        XmlWriter::setInteger(attributes, "style", format.style);
    XmlWriter::setInteger(attributes, "display", format.display);
    writer.emptyElement("format", attributes);
}

// Reads "rect", "color" or "format" when the current token is one of them; missing attributes keep values.
bool readFormatChild(NetObject& object, XmlReader& reader) {
    XmlAttributes attributes;
    if (reader.readElement("rect", &attributes, nullptr)) {
        Rect rect = object.rect();
        rect.left = reader.integerAttribute(attributes, "left", rect.left);
        rect.top = reader.integerAttribute(attributes, "top", rect.top);
        rect.right = reader.integerAttribute(attributes, "right", rect.right);
        rect.bottom = reader.integerAttribute(attributes, "bottom", rect.bottom);
        object.setRect(rect);
        return true;
    }
    ObjectFormat& format = object.format();
    if (reader.readElement("color", &attributes, nullptr)) {
        format.back = reader.integerAttribute(attributes, "back", format.back);
        format.fore = reader.integerAttribute(attributes, "fore", format.fore);
        format.line = reader.integerAttribute(attributes, "line", format.line);
        return true;
    }
    if (reader.readElement("format", &attributes, nullptr)) {
        format.width = reader.integerAttribute(attributes, "width", format.width);
        format.style = reader.integerAttribute(attributes, "style", format.style);
        format.display = reader.integerAttribute(attributes, "display", format.display);
        return true;
    }
    return false;
}

void writeNode(const NetNode& node, XmlWriter& writer, std::string_view valueName, double value) {
    XmlAttributes attributes;
    if (node.index() != 0)
        XmlWriter::setInteger(attributes, "id", node.index());
    if (!node.name().empty())
        XmlWriter::setText(attributes, "name", node.name());
    writer.openElement(node.typeName(), attributes);
    writeFormatChildren(node, writer);
    writer.realElement(valueName, value);
    writer.closeElement(node.typeName());
}

void writeArc(const Arc& arc, XmlWriter& writer) {
    XmlAttributes attributes;
    if (arc.isLinked()) {
        XmlWriter::setInteger(attributes, "up", arc.from()->reference());
        XmlWriter::setInteger(attributes, "down", arc.to()->reference());
    }
    writer.openElement(arc.typeName(), attributes);
    for (const Point& point : arc.route()) {
        XmlWriter::setInteger(attributes, "x", point.x);
        XmlWriter::setInteger(attributes, "y", point.y);
        writer.emptyElement("point", attributes);
    }
    writeFormatChildren(arc, writer);
    writer.realElement("p", arc.weight());
    writer.closeElement(arc.typeName());
}

void writeGraph(const Graph& graph, XmlWriter& writer) {
    writer.openElement(graph.typeName());
    writer.textElement("title", graph.title());
    writer.textElement("xlabel", graph.xLabel());
    writer.textElement("ylabel", graph.yLabel());
    writeFormatChildren(graph, writer);
    XmlAttributes attributes;
    for (const GraphCurve& curve : graph.curves()) {
        XmlWriter::setInteger(attributes, "rdp", curve.sheetId);
        XmlWriter::setInteger(attributes, "place", curve.placeIndex);
        XmlWriter::setInteger(attributes, "color", curve.colour);
        writer.emptyElement("curve", attributes);
    }
    writer.closeElement(graph.typeName());
}

void writeLegend(const Legend& legend, XmlWriter& writer) {
    writer.openElement(legend.typeName());
    writeFormatChildren(legend, writer);
    XmlAttributes attributes;
    XmlWriter::setText(attributes, "name", legend.font().face);
    XmlWriter::setInteger(attributes, "size", legend.font().size);
    XmlWriter::setInteger(attributes, "style", legend.font().style);
    writer.emptyElement("font", attributes);
    writer.textElement("text", legend.text());
    writer.closeElement(legend.typeName());
}

// The kind's own children; true when the current token was one of them.
bool readKindChild(NetObject& object, XmlReader& reader) {
    XmlAttributes attributes;
    switch (object.kind()) {
    case ObjectKind::kDiscretePlace:
    case ObjectKind::kContinuousPlace: {
        auto& place = static_cast<Place&>(object);
        double marking = place.initialMarking();
        if (!reader.readRealElement("mi", marking))
            return false;
        place.setInitialMarking(marking);
        return true;
    }
    case ObjectKind::kDiscreteTransition:
    case ObjectKind::kContinuousTransition: {
        auto& transition = static_cast<Transition&>(object);
        double ft = transition.ft();
        if (!reader.readRealElement("ft", ft))
            return false;
        transition.setFt(ft);
        return true;
    }
    case ObjectKind::kOrdinaryArc:
    case ObjectKind::kGeneralizedArc: {
        auto& arc = static_cast<Arc&>(object);
        double weight = arc.weight();
        if (reader.readRealElement("p", weight)) {
            arc.setWeight(weight);
            return true;
        }
        if (!reader.readElement("point", &attributes, nullptr))
            return false;
        arc.route().push_back(
            Point{reader.integerAttribute(attributes, "x", 0), reader.integerAttribute(attributes, "y", 0)});
        return true;
    }
    case ObjectKind::kGraph: {
        auto& graph = static_cast<Graph&>(object);
        std::string text;
        if (reader.readTextElement("title", text)) {
            graph.setTitle(std::move(text));
            return true;
        }
        if (reader.readTextElement("xlabel", text)) {
            graph.setXLabel(std::move(text));
            return true;
        }
        if (reader.readTextElement("ylabel", text)) {
            graph.setYLabel(std::move(text));
            return true;
        }
        if (!reader.readElement("curve", &attributes, nullptr))
            return false;
        GraphCurve curve;
        curve.sheetId = reader.integerAttribute(attributes, "rdp", curve.sheetId);
        curve.placeIndex = reader.integerAttribute(attributes, "place", curve.placeIndex);
        curve.colour = reader.integerAttribute(attributes, "color", curve.colour);
        graph.curves().push_back(std::move(curve));
        return true;
    }
    case ObjectKind::kLegend: {
        auto& legend = static_cast<Legend&>(object);
        if (reader.readElement("font", &attributes, nullptr)) {
            Font font = legend.font();
            font.face = XmlReader::getText(attributes, "name", font.face);
            font.size = reader.integerAttribute(attributes, "size", font.size);
            font.style = reader.integerAttribute(attributes, "style", font.style);
            legend.setFont(std::move(font));
            return true;
        }
        std::string text;
        if (!reader.readTextElement("text", text))
            return false;
        legend.setText(std::move(text));
        return true;
    }
    }
    return false;
}

bool startsElementOf(ObjectKind kind, XmlReader& reader, XmlAttributes& attributes) {
    if (reader.isStart(elementNameOf(kind), &attributes))
        return true;
    std::string_view alternate = alternateElementNameOf(kind);
    return !alternate.empty() && reader.isStart(alternate, &attributes);
}

// Reads the element whose start tag is the current token, given its attributes.
void readObjectElement(NetObject& object, XmlReader& reader, const XmlAttributes& attributes) {
    if (auto* node = dynamic_cast<NetNode*>(&object)) {
        node->setIndex(reader.integerAttribute(attributes, "id", node->index()));
        node->setName(XmlReader::getText(attributes, "name", node->name()));
    } else if (auto* arc = dynamic_cast<Arc*>(&object)) {
        arc->setUp(reader.integerAttribute(attributes, "up", arc->up()));
        arc->setDown(reader.integerAttribute(attributes, "down", arc->down()));
    }
    // An empty-element tag has no children; its closing name is already set.
    bool emptyElement = !reader.closingName().empty();
    std::string closing = reader.elementName();
    if (!emptyElement) {
        while (!reader.isEnd(closing)) {
            if (!readFormatChild(object, reader) && !readKindChild(object, reader))
                reader.skip();
        }
    }
    object.reset();
}

} // namespace

void writeObject(const NetObject& object, XmlWriter& writer) {
    switch (object.kind()) {
    case ObjectKind::kDiscretePlace:
    case ObjectKind::kContinuousPlace: {
        const auto& place = static_cast<const Place&>(object);
        writeNode(place, writer, "mi", place.initialMarking());
        break;
    }
    case ObjectKind::kDiscreteTransition:
    case ObjectKind::kContinuousTransition: {
        const auto& transition = static_cast<const Transition&>(object);
        writeNode(transition, writer, "ft", transition.ft());
        break;
    }
    case ObjectKind::kOrdinaryArc:
    case ObjectKind::kGeneralizedArc:
        writeArc(static_cast<const Arc&>(object), writer);
        break;
    case ObjectKind::kGraph:
        writeGraph(static_cast<const Graph&>(object), writer);
        break;
    case ObjectKind::kLegend:
        writeLegend(static_cast<const Legend&>(object), writer);
        break;
    }
}

bool readObject(NetObject& object, XmlReader& reader) {
    XmlAttributes attributes;
    if (!startsElementOf(object.kind(), reader, attributes))
        return false;
    readObjectElement(object, reader, attributes);
    return true;
}

std::unique_ptr<NetObject> readAnyObject(XmlReader& reader) {
    XmlAttributes attributes;
    for (ObjectKind kind : kKindsInTemplateOrder) {
        if (startsElementOf(kind, reader, attributes)) {
            std::unique_ptr<NetObject> object = createObject(kind);
            readObjectElement(*object, reader, attributes);
            return object;
        }
    }
    return nullptr;
}

void writeObjects(const ObjectContainer& container, XmlWriter& writer, bool selectedOnly, KindMask kinds) {
    writer.openElement("objects");
    for (NetObject* object : container.objects(kinds, selectedOnly))
        writeObject(*object, writer);
    writer.closeElement("objects");
}

bool readObjects(ObjectContainer& container, XmlReader& reader) {
    if (!reader.isStart("objects"))
        return false;
    if (reader.closingName().empty()) {
        while (!reader.isEnd("objects")) {
            if (std::unique_ptr<NetObject> object = readAnyObject(reader))
                (void)container.addUnlessIndexUsed(std::move(object));
            else
                reader.skip();
        }
    }
    container.resolveArcs();
    return true;
}

} // namespace tokarium
