// PNML writer: standard labels for what they can hold, this program's toolspecific data for the rest.
#include "gui/xml/pnml_export.h"

#include <cmath>
#include <sstream>

#include "gui/xml/file_replace.h"
#include "gui/xml/pn_objects.h"
#include "gui/xml/pn_sheet.h"
#include "gui/xml/pnml_names.h"
#include "gui/xml/xml_writer.h"

namespace tokarium {
namespace {

// Standard labels hold integers up to this size; larger or fractional values stay in the tool data.
constexpr double kLargestLabelCount = 1.0e15;

std::optional<std::string> countText(double value, double minimum) {
    if (value < minimum || value > kLargestLabelCount || value != std::floor(value))
        return std::nullopt;
    return std::to_string(static_cast<long long>(value));
}

class PnmlWriter {
public:
    explicit PnmlWriter(std::ostream& stream) : m_writer(stream) {}

    void writeDocument(const NetDocument& document) {
        XmlAttributes attributes;
        XmlWriter::setText(attributes, "xmlns", pnml::kNamespace);
        m_writer.openElement("pnml", attributes);
        for (std::size_t i = 0; i < document.sheetCount(); ++i)
            writeNet(document.sheet(i), "net" + std::to_string(i + 1));
        m_writer.closeElement("pnml");
    }

private:
    void label(std::string_view name, std::string_view text) {
        m_writer.openElement(name);
        m_writer.textElement("text", text);
        m_writer.closeElement(name);
    }

    void openToolData() {
        XmlAttributes attributes;
        XmlWriter::setText(attributes, "tool", pnml::kToolName);
        XmlWriter::setText(attributes, "version", pnml::kToolVersion);
        m_writer.openElement("toolspecific", attributes);
    }

    void position(Point point) {
        XmlAttributes attributes;
        XmlWriter::setInteger(attributes, "x", point.x);
        XmlWriter::setInteger(attributes, "y", point.y);
        m_writer.emptyElement("position", attributes);
    }

    void writeNet(const NetSheet& sheet, const std::string& id) {
        XmlAttributes attributes;
        XmlWriter::setText(attributes, "id", id);
        XmlWriter::setText(attributes, "type", pnml::kPtNetType);
        m_writer.openElement("net", attributes);
        label("name", sheet.name());
        openToolData();
        writeSheet(sheet, m_writer, maskOf(ObjectKind::kGraph) | maskOf(ObjectKind::kLegend));
        m_writer.closeElement("toolspecific");
        XmlAttributes pageAttributes;
        XmlWriter::setText(pageAttributes, "id", id + "-page");
        m_writer.openElement("page", pageAttributes);
        for (NetObject* object : sheet.objects(kNodeKinds, false))
            writeNode(static_cast<const NetNode&>(*object), id);
        int arcNumber = 0;
        for (NetObject* object : sheet.objects(kArcKinds, false))
            writeArc(static_cast<const Arc&>(*object), id + "-a" + std::to_string(++arcNumber), id);
        m_writer.closeElement("page");
        m_writer.closeElement("net");
    }

    static std::string nodeId(const NetNode& node, const std::string& netId) {
        return netId + (node.isPlace() ? "-p" : "-t") + std::to_string(node.index());
    }

    void writeNode(const NetNode& node, const std::string& netId) {
        XmlAttributes attributes;
        XmlWriter::setText(attributes, "id", nodeId(node, netId));
        const std::string_view element = node.isPlace() ? "place" : "transition";
        m_writer.openElement(element, attributes);
        label("name", node.displayName());
        m_writer.openElement("graphics");
        position(node.rect().centre());
        m_writer.closeElement("graphics");
        if (node.isPlace())
            if (const std::optional<std::string> marking = countText(static_cast<const Place&>(node).initialMarking(), 0.0))
                label("initialMarking", *marking);
        openToolData();
        writeObject(node, m_writer);
        m_writer.closeElement("toolspecific");
        m_writer.closeElement(element);
    }

    void writeArc(const Arc& arc, const std::string& id, const std::string& netId) {
        if (!arc.isLinked())
            return;
        XmlAttributes attributes;
        XmlWriter::setText(attributes, "id", id);
        XmlWriter::setText(attributes, "source", nodeId(*arc.from(), netId));
        XmlWriter::setText(attributes, "target", nodeId(*arc.to(), netId));
        m_writer.openElement("arc", attributes);
        if (!arc.route().empty()) {
            m_writer.openElement("graphics");
            for (Point point : arc.route())
                position(point);
            m_writer.closeElement("graphics");
        }
        if (const std::optional<std::string> weight = countText(arc.weight(), 1.0); weight && arc.weight() != 1.0)
            label("inscription", *weight);
        openToolData();
        writeObject(arc, m_writer);
        m_writer.closeElement("toolspecific");
        m_writer.closeElement("arc");
    }

    XmlWriter m_writer;
};

} // namespace

std::string exportPnml(const NetDocument& document) {
    std::ostringstream stream;
    PnmlWriter(stream).writeDocument(document);
    return stream.str();
}

bool exportPnmlFile(const NetDocument& document, const std::string& path) {
    return replaceFile(path, exportPnml(document));
}

} // namespace tokarium
