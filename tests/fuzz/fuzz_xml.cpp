// Fuzzes the XML library: the pull reader over any bytes, every element walked like the document
// loaders do, and the names, attributes and texts read written back and read again unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

using namespace tokarium;

namespace {

constexpr int kMaxDepth = 16;

struct Element {
    std::string name;
    std::string text;
    XmlAttributes attributes;
};

// Collects the elements met at any depth, in document order.
void walk(XmlReader& reader, const std::string& name, int depth, std::vector<Element>& seen) {
    while (!reader.isEnd(name)) {
        if (reader.elementName().empty() || !reader.closingName().empty() || depth >= kMaxDepth) {
            reader.skip();
            continue;
        }
        std::string child = reader.elementName();
        XmlAttributes attributes;
        if (reader.isStart(child, &attributes)) {
            seen.push_back({child, reader.text(), attributes});
            walk(reader, child, depth + 1, seen);
        }
    }
}

std::vector<Element> readAll(const std::string& bytes) {
    std::vector<Element> seen;
    std::istringstream stream(bytes);
    XmlReader reader(stream);
    if (reader.readDeclaration() && !reader.elementName().empty()) {
        std::string root = reader.elementName();
        if (reader.isStart(root))
            walk(reader, root, 0, seen);
    }
    return seen;
}

// The attributes as name and text pairs, sorted: they are looked up by name, and the written order
// follows the table's size, which may differ between the element read and the one written.
std::vector<std::pair<std::string, std::string>> pairs(const XmlAttributes& attributes) {
    std::vector<std::pair<std::string, std::string>> list;
    attributes.forEach([&](const XmlAttributes::Entry& entry) { list.emplace_back(entry.name, entry.value.toText()); });
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<Element> seen = readAll(bytes);

    std::istringstream stream(bytes);
    XmlReader tokens(stream);
    while (tokens.next()) {
    }

    // Every attribute value and text survives the writer and the reader.
    std::ostringstream written(std::ios::out | std::ios::binary);
    XmlWriter writer(written);
    writer.openElement("root");
    for (const Element& element : seen) {
        XmlAttributes attributes = element.attributes;
        writer.emptyElement("a", attributes);
        writer.textElement("t", element.text);
    }
    writer.closeElement("root");
    std::istringstream again(written.str());
    XmlReader reader(again);
    if (!reader.readDeclaration() || !reader.isStart("root"))
        __builtin_trap();
    for (const Element& element : seen) {
        XmlAttributes attributes;
        std::string text;
        if (reader.isEnd("root") || !reader.readElement("a", &attributes, nullptr) || pairs(attributes) != pairs(element.attributes))
            __builtin_trap();
        if (reader.isEnd("root") || !reader.readTextElement("t", text) || text != element.text)
            __builtin_trap();
    }
    return 0;
}
