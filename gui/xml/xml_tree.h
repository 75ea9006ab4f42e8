// A small XML tree parser for exchange files: whole-document parsing with line numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tokarium {

// One element: its local name (any "prefix:" removed), attributes, children and the text directly
// inside it. Texts are Latin-1: character references and UTF-8 above 255 become '?'.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;
    std::string text;
    int line = 0;
    // The element's bytes in the parsed input, start tag to end tag.
    std::size_t begin = 0;
    std::size_t end = 0;

    // The attribute's value, or null.
    const std::string* attribute(std::string_view attributeName) const;
    // The first child of that name, or null.
    const XmlElement* child(std::string_view childName) const;
};

struct XmlTreeResult {
    bool ok = false;
    XmlElement root;
    std::string error; // "line N: what is wrong"
};

// Parses a whole document: declaration, comments, processing instructions, a DOCTYPE without an
// internal subset, CDATA sections, the five named entities and character references. The input is
// UTF-8 unless the declaration names ISO-8859-1 (or Latin-1). Nesting deeper than 256 is refused.
XmlTreeResult parseXmlTree(std::string_view input);

} // namespace tokarium
