// Recursive-descent XML parser building an element tree.
#include "gui/xml/xml_tree.h"

#include <cctype>
#include <cstdint>

namespace tokarium {

const std::string* XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName)
            return &value;
    return nullptr;
}

const XmlElement* XmlElement::child(std::string_view childName) const {
    for (const XmlElement& element : children)
        if (element.name == childName)
            return &element;
    return nullptr;
}

namespace {

constexpr int kMaxDepth = 256;

bool isNameByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) || c == '_' || c == ':' || c == '-' || c == '.' || byte >= 0x80;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class TreeParser {
public:
    explicit TreeParser(std::string_view input) : m_input(input) {}

    XmlTreeResult parse() {
        XmlTreeResult result;
        if (!skipProlog() || !expect('<', "the document has no element")) {
            result.error = m_error;
            return result;
        }
        if (!parseElement(result.root, 0) || !skipMisc()) {
            result.error = m_error;
            return result;
        }
        if (m_position < m_input.size()) {
            result.error = where() + "text after the end of the document";
            return result;
        }
        result.ok = true;
        return result;
    }

private:
    // Positions only grow, so lines are counted once.
    int currentLine() {
        for (; m_lineCounted < m_position && m_lineCounted < m_input.size(); ++m_lineCounted)
            m_line += m_input[m_lineCounted] == '\n' ? 1 : 0;
        return m_line;
    }

    std::string where() { return "line " + std::to_string(currentLine()) + ": "; }

    bool fail(const std::string& what) {
        if (m_error.empty())
            m_error = where() + what;
        return false;
    }

    bool startsWith(std::string_view text) const { return m_input.substr(m_position).starts_with(text); }

    bool expect(char c, const std::string& what) {
        if (m_position < m_input.size() && m_input[m_position] == c) {
            ++m_position;
            return true;
        }
        return fail(what);
    }

    void skipSpaces() {
        while (m_position < m_input.size() && isSpace(m_input[m_position]))
            ++m_position;
    }

    bool skipPast(std::string_view terminator, const std::string& what) {
        const std::size_t found = m_input.find(terminator, m_position);
        if (found == std::string_view::npos) {
            m_position = m_input.size();
            return fail(what);
        }
        m_position = found + terminator.size();
        return true;
    }

    // Comments, processing instructions and spaces.
    bool skipMisc() {
        for (;;) {
            skipSpaces();
            if (startsWith("<!--")) {
                if (!skipPast("-->", "unterminated comment"))
                    return false;
            } else if (startsWith("<?")) {
                if (!skipPast("?>", "unterminated processing instruction"))
                    return false;
            } else {
                return true;
            }
        }
    }

    bool skipProlog() {
        if (m_input.starts_with("\xEF\xBB\xBF"))
            m_position = 3;
        if (startsWith("<?xml")) {
            const std::size_t end = m_input.find("?>", m_position);
            if (end == std::string_view::npos)
                return fail("unterminated XML declaration");
            std::string declaration(m_input.substr(m_position, end - m_position));
            for (char& c : declaration)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            m_latin1Input = declaration.find("iso-8859-1") != std::string::npos ||
                            declaration.find("latin1") != std::string::npos ||
                            declaration.find("latin-1") != std::string::npos;
            m_position = end + 2;
        }
        if (!skipMisc())
            return false;
        if (startsWith("<!DOCTYPE")) {
            const std::size_t end = m_input.find('>', m_position);
            const std::size_t bracket = m_input.find('[', m_position);
            if (bracket != std::string_view::npos && bracket < end)
                return fail("a DOCTYPE with an internal subset is not supported");
            if (!skipPast(">", "unterminated DOCTYPE"))
                return false;
        }
        return skipMisc();
    }

    std::string readName() {
        const std::size_t start = m_position;
        while (m_position < m_input.size() && isNameByte(m_input[m_position]))
            ++m_position;
        return std::string(m_input.substr(start, m_position - start));
    }

    static std::string localName(const std::string& name) {
        const std::size_t colon = name.rfind(':');
        return colon == std::string::npos ? name : name.substr(colon + 1);
    }

    void appendCodePoint(std::string& out, std::uint32_t code) { out += code < 256 ? static_cast<char>(code) : '?'; }

    // Raw bytes to Latin-1: UTF-8 sequences decoded unless the input is Latin-1 already.
    void appendRaw(std::string& out, std::string_view raw) {
        if (m_latin1Input) {
            out += raw;
            return;
        }
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const auto byte = static_cast<unsigned char>(raw[i]);
            if (byte < 0x80) {
                out += static_cast<char>(byte);
                continue;
            }
            int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
            std::uint32_t code = byte & (0x3F >> extra);
            if (extra == 0) {
                out += '?';
                continue;
            }
            for (; extra > 0 && i + 1 < raw.size(); --extra)
                code = (code << 6) | (static_cast<unsigned char>(raw[++i]) & 0x3F);
            appendCodePoint(out, code);
        }
    }

    // Decodes text up to (not including) the stop byte, entities resolved.
    bool readCharacters(std::string& out, char stop) {
        std::size_t runStart = m_position;
        while (m_position < m_input.size() && m_input[m_position] != stop) {
            const char c = m_input[m_position];
            if (c == '<' && stop != '<')
                return fail("'<' inside an attribute value");
            if (c != '&') {
                ++m_position;
                continue;
            }
            appendRaw(out, m_input.substr(runStart, m_position - runStart));
            const std::size_t semicolon = m_input.find(';', m_position);
            if (semicolon == std::string_view::npos || semicolon - m_position > 12)
                return fail("bad entity reference");
            const std::string_view entity = m_input.substr(m_position + 1, semicolon - m_position - 1);
            if (!appendEntity(out, entity))
                return fail("unknown entity &" + std::string(entity) + ";");
            m_position = semicolon + 1;
            runStart = m_position;
        }
        appendRaw(out, m_input.substr(runStart, m_position - runStart));
        return true;
    }

    bool appendEntity(std::string& out, std::string_view entity) {
        static constexpr std::pair<std::string_view, char> kNamed[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [name, value] : kNamed)
            if (entity == name) {
                out += value;
                return true;
            }
        if (entity.size() < 2 || entity[0] != '#')
            return false;
        const bool hex = entity[1] == 'x' || entity[1] == 'X';
        const std::string_view digits = entity.substr(hex ? 2 : 1);
        if (digits.empty())
            return false;
        std::uint32_t code = 0;
        for (char d : digits) {
            const int value = std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(d))
                                  ? std::tolower(static_cast<unsigned char>(d)) - 'a' + 10
                                  : -1;
            if (value < 0 || code > 0x10FFFF)
                return false;
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
        }
        appendCodePoint(out, code);
        return true;
    }

    bool parseAttributes(XmlElement& element) {
        for (;;) {
            skipSpaces();
            if (m_position >= m_input.size())
                return fail("unterminated start tag <" + element.name + ">");
            const char c = m_input[m_position];
            if (c == '>' || c == '/')
                return true;
            std::string name = readName();
            if (name.empty())
                return fail("bad attribute in <" + element.name + ">");
            skipSpaces();
            if (!expect('=', "attribute " + name + " has no value"))
                return false;
            skipSpaces();
            if (m_position >= m_input.size() || (m_input[m_position] != '"' && m_input[m_position] != '\''))
                return fail("attribute " + name + " has no quoted value");
            const char quote = m_input[m_position++];
            std::string value;
            if (!readCharacters(value, quote) || !expect(quote, "unterminated attribute value"))
                return false;
            element.attributes.emplace_back(localNameOfAttribute(name), std::move(value));
        }
    }

    // "xmlns:x" stays as it is; other prefixed attributes lose their prefix.
    static std::string localNameOfAttribute(const std::string& name) {
        return name.starts_with("xmlns") ? name : localName(name);
    }

    // The '<' of the start tag has been consumed.
    bool parseElement(XmlElement& element, int depth) {
        if (depth > kMaxDepth)
            return fail("elements nested too deeply");
        element.begin = m_position - 1;
        element.line = currentLine();
        const std::string qualified = readName();
        if (qualified.empty())
            return fail("bad element name");
        element.name = localName(qualified);
        if (!parseAttributes(element))
            return false;
        if (m_input[m_position] == '/') {
            ++m_position;
            if (!expect('>', "bad empty-element tag <" + element.name + ">"))
                return false;
            element.end = m_position;
            return true;
        }
        ++m_position; // '>'
        for (;;) {
            if (!readCharacters(element.text, '<'))
                return false;
            if (m_position >= m_input.size())
                return fail("element <" + element.name + "> is not closed");
            if (startsWith("</")) {
                m_position += 2;
                const std::string closing = readName();
                skipSpaces();
                if (closing != qualified)
                    return fail("</" + closing + "> closes <" + qualified + ">");
                if (!expect('>', "bad end tag </" + closing + ">"))
                    return false;
                element.end = m_position;
                return true;
            }
            if (startsWith("<!--")) {
                if (!skipPast("-->", "unterminated comment"))
                    return false;
            } else if (startsWith("<![CDATA[")) {
                const std::size_t start = m_position + 9;
                if (!skipPast("]]>", "unterminated CDATA section"))
                    return false;
                appendRaw(element.text, m_input.substr(start, m_position - 3 - start));
            } else if (startsWith("<?")) {
                if (!skipPast("?>", "unterminated processing instruction"))
                    return false;
            } else {
                ++m_position;
                element.children.emplace_back();
                if (!parseElement(element.children.back(), depth + 1))
                    return false;
            }
        }
    }

    std::string_view m_input;
    std::size_t m_position = 0;
    std::size_t m_lineCounted = 0;
    int m_line = 1;
    bool m_latin1Input = false;
    std::string m_error;
};

} // namespace

XmlTreeResult parseXmlTree(std::string_view input) {
    return TreeParser(input).parse();
}

} // namespace tokarium
