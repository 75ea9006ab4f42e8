// PNML place/transition nets into sheets: flattening, references, labels, tool data and layout.
#include "gui/xml/pnml_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "gui/model/object_factory.h"
#include "gui/xml/pn_objects.h"
#include "gui/xml/pn_sheet.h"
#include "gui/xml/pnml_names.h"
#include "gui/xml/xml_tree.h"

namespace tokarium {
namespace {

// References may point to references; a longer chain is taken as a cycle.
constexpr int kMaxReferenceChain = 1000;
// Positions beyond this are refused rather than wrapped into the model's integer coordinates.
constexpr double kMaxCoordinate = 1.0e6;
// Grid of the automatic layout and the margin kept from the page's top-left corner.
constexpr std::int32_t kLayoutCell = 100;
constexpr std::int32_t kLayoutMargin = 60;
// Largest marking or weight taken from a file.
constexpr long long kMaxCount = 1'000'000'000'000LL;
// Files larger than this are refused before parsing.
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// The trimmed text of the label's "text" child, or none when the label is missing.
std::optional<std::string> labelText(const XmlElement& element, std::string_view label) {
    const XmlElement* found = element.child(label);
    if (!found)
        return std::nullopt;
    const XmlElement* text = found->child("text");
    return trimmed(text ? text->text : std::string());
}

// The first element inside this program's toolspecific child of the element, or null.
const XmlElement* toolData(const XmlElement& element) {
    for (const XmlElement& child : element.children) {
        const std::string* tool = child.attribute("tool");
        if (child.name == "toolspecific" && tool && *tool == pnml::kToolName && !child.children.empty())
            return &child.children.front();
    }
    return nullptr;
}

// A reader positioned on the element's start tag, over the element's own bytes.
class ToolDataReader {
public:
    ToolDataReader(std::string_view input, const XmlElement& element)
        : m_stream(std::string(input.substr(element.begin, element.end - element.begin))), m_reader(m_stream) {
        m_ready = m_reader.next();
    }
    XmlReader& reader() { return m_reader; }
    bool ready() const { return m_ready; }

private:
    std::istringstream m_stream;
    XmlReader m_reader;
    bool m_ready = false;
};

struct NodeEntry {
    const XmlElement* element = nullptr;
    bool isPlace = false;
    NetNode* node = nullptr;
};

struct ReferenceEntry {
    const XmlElement* element = nullptr;
    bool isPlace = false;
    std::string target;
};

// A failure naming the element; thrown inside one net's import and caught at its end.
struct ImportFailure {
    std::string message;
};

[[noreturn]] void failAt(const XmlElement& element, const std::string& what) {
    const std::string* id = element.attribute("id");
    throw ImportFailure{"line " + std::to_string(element.line) + ": " + element.name +
                        (id ? " \"" + *id + "\"" : std::string()) + ": " + what};
}

long long parseCount(const XmlElement& element, const std::string& text, std::string_view what, long long minimum) {
    long long value = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < minimum || value > kMaxCount)
        failAt(element, std::string(what) + " \"" + text + "\" is not " +
                            (minimum > 0 ? "a positive integer" : "a non-negative integer"));
    return value;
}

double parseCoordinate(const XmlElement& element, const XmlElement& position, std::string_view name) {
    const std::string* text = position.attribute(name);
    if (!text)
        failAt(element, "a position has no " + std::string(name));
    const std::string value = trimmed(*text);
    char* stop = nullptr;
    const double number = std::strtod(value.c_str(), &stop);
    if (value.empty() || *stop != '\0' || !std::isfinite(number) || std::fabs(number) > kMaxCoordinate)
        failAt(element, "the position " + std::string(name) + "=\"" + *text + "\" is not a usable number");
    return number;
}

std::optional<Point> nodePosition(const XmlElement& element) {
    const XmlElement* graphics = element.child("graphics");
    const XmlElement* position = graphics ? graphics->child("position") : nullptr;
    if (!position)
        return std::nullopt;
    return Point{static_cast<std::int32_t>(std::lround(parseCoordinate(element, *position, "x"))),
                 static_cast<std::int32_t>(std::lround(parseCoordinate(element, *position, "y")))};
}

// The bend points of an arc: the positions of its graphics, in order.
std::vector<Point> arcBends(const XmlElement& arc) {
    std::vector<Point> bends;
    const XmlElement* graphics = arc.child("graphics");
    if (!graphics)
        return bends;
    for (const XmlElement& child : graphics->children) {
        if (child.name == "position")
            bends.push_back({static_cast<std::int32_t>(std::lround(parseCoordinate(arc, child, "x"))),
                             static_cast<std::int32_t>(std::lround(parseCoordinate(arc, child, "y")))});
    }
    return bends;
}

Point midpoint(Point a, Point b) {
    return {a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2};
}

// A polyline from `from` through the bends to `to` as a route: every bend a pass-through point, and
// between two of them a control point halfway, so that each piece of the curve is the straight line.
std::vector<Point> polylineRoute(Point from, const std::vector<Point>& bends, Point to) {
    std::vector<Point> route;
    Point previous = from;
    for (Point bend : bends) {
        route.push_back(midpoint(previous, bend));
        route.push_back(bend);
        previous = bend;
    }
    route.push_back(midpoint(previous, to));
    return route;
}

class NetImporter {
public:
    NetImporter(std::string_view input, const XmlElement& net, NetSheet& sheet)
        : m_input(input), m_net(net), m_sheet(sheet) {}

    void run() {
        collect(m_net);
        std::vector<std::unique_ptr<NetObject>> extras = readSheetData();
        for (NodeEntry& entry : m_nodes)
            addNode(entry);
        for (NodeEntry& entry : m_nodes)
            nameNode(entry);
        for (const XmlElement* arc : m_arcs)
            addArc(*arc);
        for (std::unique_ptr<Arc>& arc : m_newArcs)
            m_sheet.add(std::move(arc));
        m_sheet.resolveArcs();
        layOutUnplaced();
        for (std::unique_ptr<NetObject>& extra : extras)
            m_sheet.add(std::move(extra));
        keepOnPage();
        m_sheet.resetAll();
    }

private:
    void remember(const XmlElement& element) {
        const std::string* id = element.attribute("id");
        if (!id || id->empty())
            failAt(element, "the element has no id");
        if (!m_ids.emplace(*id, &element).second)
            failAt(element, "the id is used twice");
    }

    void collect(const XmlElement& container) {
        for (const XmlElement& child : container.children) {
            if (child.name == "page") {
                remember(child);
                collect(child);
            } else if (child.name == "place" || child.name == "transition") {
                remember(child);
                m_nodeByid[*child.attribute("id")] = m_nodes.size();
                m_nodes.push_back({&child, child.name == "place", nullptr});
            } else if (child.name == "referencePlace" || child.name == "referenceTransition") {
                remember(child);
                const std::string* ref = child.attribute("ref");
                if (!ref)
                    failAt(child, "the reference has no ref");
                m_references[*child.attribute("id")] = {&child, child.name == "referencePlace", *ref};
            } else if (child.name == "arc") {
                remember(child);
                m_arcs.push_back(&child);
            }
        }
    }

    // Settings, conflict settings, graphs and legends kept by this program; returns the graphs and
    // legends, which go on top of the nodes.
    std::vector<std::unique_ptr<NetObject>> readSheetData() {
        std::vector<std::unique_ptr<NetObject>> extras;
        const XmlElement* data = toolData(m_net);
        if (!data || data->name != "sheet")
            return extras;
        ToolDataReader tool(m_input, *data);
        if (!tool.ready() || !readSheet(m_sheet, tool.reader()))
            return extras;
        m_sheet.removeMatching(kNodeKinds | kArcKinds, false);
        while (!m_sheet.empty())
            extras.push_back(m_sheet.take(m_sheet.at(0)));
        return extras;
    }

    // This program's own object for the element, when its data is there and of the right family.
    std::unique_ptr<NetObject> toolObject(const XmlElement& element, KindMask family) {
        const XmlElement* data = toolData(element);
        if (!data)
            return nullptr;
        ToolDataReader tool(m_input, *data);
        std::unique_ptr<NetObject> object = tool.ready() ? readAnyObject(tool.reader()) : nullptr;
        return object && object->isKindIn(family) ? std::move(object) : nullptr;
    }

    void addNode(NodeEntry& entry) {
        const XmlElement& element = *entry.element;
        const KindMask family = entry.isPlace ? kPlaceKinds : kTransitionKinds;
        std::unique_ptr<NetObject> object = toolObject(element, family);
        const bool fromTool = object != nullptr;
        if (!object)
            object = copyObject(m_sheet.templates().of(entry.isPlace ? ObjectKind::kDiscretePlace
                                                                     : ObjectKind::kDiscreteTransition));
        auto& node = static_cast<NetNode&>(*object);
        if (entry.isPlace) {
            const std::optional<std::string> marking = labelText(element, "initialMarking");
            if (marking)
                static_cast<Place&>(node).setInitialMarking(
                    static_cast<double>(parseCount(element, *marking, "the initial marking", 0)));
            else if (!fromTool)
                static_cast<Place&>(node).setInitialMarking(0.0);
        }
        if (const std::optional<Point> centre = nodePosition(element)) {
            if (node.rect().centre().x != centre->x || node.rect().centre().y != centre->y)
                node.centreOn(*centre);
        } else if (!fromTool) {
            m_unplaced.push_back(&node);
        }
        if (!fromTool || !m_sheet.setIndex(family, node, node.index()))
            node.setIndex(m_sheet.nextFreeIndex(family, 0));
        entry.node = &static_cast<NetNode&>(m_sheet.add(std::move(object)));
    }

    // Indices are final now, so a name equal to the automatic one is left automatic.
    void nameNode(NodeEntry& entry) {
        const std::optional<std::string> name = labelText(*entry.element, "name");
        if (!name)
            return;
        entry.node->setName(*name == entry.node->defaultName() ? std::string() : *name);
    }

    NetNode& resolve(const XmlElement& arc, const std::string& id) {
        std::string current = id;
        for (int step = 0; step < kMaxReferenceChain; ++step) {
            if (const auto node = m_nodeByid.find(current); node != m_nodeByid.end())
                return *m_nodes[node->second].node;
            const auto reference = m_references.find(current);
            if (reference == m_references.end())
                failAt(arc, "\"" + id + "\" is not a place, a transition or a reference to one");
            const ReferenceEntry& entry = reference->second;
            if (const auto target = m_nodeByid.find(entry.target);
                target != m_nodeByid.end() && m_nodes[target->second].isPlace != entry.isPlace)
                failAt(*entry.element, "the reference points to a node of the other kind");
            current = entry.target;
        }
        failAt(arc, "the references from \"" + id + "\" form a cycle");
    }

    void addArc(const XmlElement& element) {
        NetNode& from = resolve(element, element.attribute("source") ? *element.attribute("source") : std::string());
        NetNode& to = resolve(element, element.attribute("target") ? *element.attribute("target") : std::string());
        if (from.isPlace() == to.isPlace())
            failAt(element, "the arc joins two " + std::string(from.isPlace() ? "places" : "transitions"));
        std::unique_ptr<NetObject> object = toolObject(element, kArcKinds);
        // Without this program's data the arc keeps the bends another tool gave it, when both ends
        // stand where the file put them.
        const std::vector<Point> bends = object ? std::vector<Point>() : arcBends(element);
        const bool placedEnds = std::find(m_unplaced.begin(), m_unplaced.end(), &from) == m_unplaced.end() &&
                                std::find(m_unplaced.begin(), m_unplaced.end(), &to) == m_unplaced.end();
        const std::optional<std::string> inscription = labelText(element, "inscription");
        double weight = object ? static_cast<Arc&>(*object).weight() : 1.0;
        if (inscription)
            weight = static_cast<double>(parseCount(element, *inscription, "the inscription", 1));
        const auto key = std::make_pair(&from, &to);
        if (const auto same = m_arcByEnds.find(key); same != m_arcByEnds.end()) {
            // Two arcs in the same direction act as one arc carrying both weights.
            weight += m_newArcs[same->second]->weight();
            object = std::move(m_newArcs[same->second]);
        }
        const ObjectKind kind = object && (weight == 1.0 || object->kind() == ObjectKind::kGeneralizedArc)
                                    ? object->kind()
                                    : weight == 1.0 ? ObjectKind::kOrdinaryArc : ObjectKind::kGeneralizedArc;
        std::unique_ptr<NetObject> arcObject =
            object ? (object->kind() == kind ? std::move(object) : copyObjectAs(*object, kind))
                   : copyObject(m_sheet.templates().of(kind));
        auto arc = std::unique_ptr<Arc>(static_cast<Arc*>(arcObject.release()));
        arc->setWeight(weight);
        arc->setUp(from.reference());
        arc->setDown(to.reference());
        if (const auto same = m_arcByEnds.find(key); same != m_arcByEnds.end()) {
            m_newArcs[same->second] = std::move(arc);
        } else {
            if (!bends.empty() && placedEnds)
                arc->setRoute(polylineRoute(from.rect().centre(), bends, to.rect().centre()));
            m_arcByEnds[key] = m_newArcs.size();
            m_newArcs.push_back(std::move(arc));
        }
    }

    // Nodes without graphics go on a square grid below the placed ones.
    void layOutUnplaced() {
        if (m_unplaced.empty())
            return;
        std::int32_t top = kLayoutMargin;
        for (const NodeEntry& entry : m_nodes)
            if (std::find(m_unplaced.begin(), m_unplaced.end(), entry.node) == m_unplaced.end())
                top = std::max(top, entry.node->rect().bottom + kLayoutCell);
        const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(m_unplaced.size()))));
        for (std::size_t i = 0; i < m_unplaced.size(); ++i) {
            const auto column = static_cast<std::int32_t>(i % columns);
            const auto row = static_cast<std::int32_t>(i / columns);
            m_unplaced[i]->centreOn({kLayoutMargin + column * kLayoutCell, top + row * kLayoutCell});
        }
    }

    // Coordinates above or left of the page are shifted onto it.
    void keepOnPage() {
        const Rect bounds = m_sheet.boundsOf(kNodeKinds | kArcKinds, false);
        if (bounds.isEmpty())
            return;
        const std::int32_t dx = bounds.left < 0 ? kLayoutMargin - bounds.left : 0;
        const std::int32_t dy = bounds.top < 0 ? kLayoutMargin - bounds.top : 0;
        if (dx == 0 && dy == 0)
            return;
        for (NetObject* object : m_sheet.objects(kAllKinds, false))
            object->offset(dx, dy);
    }

    std::string_view m_input;
    const XmlElement& m_net;
    NetSheet& m_sheet;
    std::map<std::string, const XmlElement*> m_ids;
    std::vector<NodeEntry> m_nodes;
    std::map<std::string, std::size_t> m_nodeByid;
    std::map<std::string, ReferenceEntry> m_references;
    std::vector<const XmlElement*> m_arcs;
    std::vector<std::unique_ptr<Arc>> m_newArcs;
    std::map<std::pair<NetNode*, NetNode*>, std::size_t> m_arcByEnds;
    std::vector<NetNode*> m_unplaced;
};

bool isPlaceTransitionType(const std::string& type) {
    return type == pnml::kPtNetType || type == pnml::kCoreModelType;
}

std::string netName(const XmlElement& net) {
    const std::optional<std::string> name = labelText(net, "name");
    if (name && !name->empty())
        return *name;
    const std::string* id = net.attribute("id");
    return id ? *id : std::string();
}

} // namespace

PnmlImportResult importPnml(std::string_view bytes) {
    PnmlImportResult result;
    const XmlTreeResult tree = parseXmlTree(bytes);
    if (!tree.ok) {
        result.error = tree.error;
        return result;
    }
    if (tree.root.name != "pnml") {
        result.error = "line " + std::to_string(tree.root.line) + ": the root element is <" + tree.root.name +
                       ">, not <pnml>";
        return result;
    }
    try {
        for (const XmlElement& net : tree.root.children) {
            if (net.name != "net")
                continue;
            const std::string* type = net.attribute("type");
            if (!type || !isPlaceTransitionType(*type)) {
                result.messages.push_back("The net \"" + netName(net) + "\" has the type " +
                                          (type ? *type : std::string("(none)")) +
                                          " and is not imported: only place/transition nets are.");
                continue;
            }
            auto sheet = std::make_unique<NetSheet>();
            NetImporter(bytes, net, *sheet).run();
            sheet->setName(netName(net));
            result.sheets.push_back(std::move(sheet));
        }
    } catch (const ImportFailure& failure) {
        result.sheets.clear();
        result.error = failure.message;
    }
    return result;
}

bool importPnmlFile(const std::string& path, NetDocument& document, std::vector<std::string>& messages,
                    std::string& error) {
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    std::ifstream file(path, std::ios::binary);
    if (sizeError || !file) {
        error = "Can't open file " + path;
        return false;
    }
    if (size > kMaxFileBytes) {
        error = path + " is too large to import";
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) {
        error = "Can't read file " + path;
        return false;
    }
    PnmlImportResult result = importPnml(bytes);
    messages.insert(messages.end(), result.messages.begin(), result.messages.end());
    if (!result.error.empty()) {
        error = path + ", " + result.error;
        return false;
    }
    if (result.sheets.empty()) {
        error = path + " holds no place/transition net to import";
        return false;
    }
    for (std::unique_ptr<NetSheet>& sheet : result.sheets) {
        const std::string wanted = sheet->name();
        NetSheet& added = document.addSheet(std::move(sheet));
        document.assignUniqueName(added, wanted);
        document.assignUniqueId(added);
    }
    return true;
}

} // namespace tokarium
