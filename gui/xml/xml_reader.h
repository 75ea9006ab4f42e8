// XmlReader: a pull reader over a byte stream, one token at a time.
#pragma once

#include "gui/xml/constants.h"
#include "gui/xml/xml_attributes.h"

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tokarium {

// Knows start tags, end tags, empty-element tags, double-quoted attributes, text and processing
// instructions. A failed read (end of input or a syntax error) counts as the end of every element,
// so every reading loop built on isEnd stops on truncated or broken input. The reader also notes
// damage: a syntax error, an end tag that does not close the open element, input that ends inside
// an element, or a number field that does not hold a finite number. Damage changes no read: whoever
// reads a whole document asks for it at the end.
class XmlReader {
public:
    XmlReader() = default;
    explicit XmlReader(std::istream& stream) { open(stream); }

    void open(std::istream& stream);

    // The first token must be the processing instruction "xml"; then reads the next token (the root).
    [[nodiscard]] bool readDeclaration();
    // Reads one token; false at the end of input or on a syntax error.
    [[nodiscard]] bool next();
    // True once damage was noted; damageLine() is then the line (from 1) where it was found.
    bool damaged() const { return m_damageLine != 0; }
    int damageLine() const { return m_damageLine; }
    // True when the current token's element name is name (ignoring case); the attributes move out.
    [[nodiscard]] bool isStart(std::string_view name, XmlAttributes* attributes = nullptr);
    // Reads the next token; true when that fails or when it closes name (ignoring case).
    [[nodiscard]] bool isEnd(std::string_view name);
    // Skips the current element with everything inside it.
    void skip();
    // Reads the current element if it is name: its attributes, and the text that precedes its end tag.
    [[nodiscard]] bool readElement(std::string_view name, XmlAttributes* attributes, std::string* text);
    // readElement, then the text converted; a text that does not convert to a finite number is damage
    // and leaves out unchanged. True when the element was there.
    [[nodiscard]] bool readIntegerElement(std::string_view name, std::int32_t& out);
    [[nodiscard]] bool readRealElement(std::string_view name, double& out);
    [[nodiscard]] bool readTextElement(std::string_view name, std::string& out);

    const std::string& elementName() const { return m_elementName; }
    const std::string& closingName() const { return m_closingName; }
    const std::string& text() const { return m_text; }
    const std::string& instructionName() const { return m_instructionName; }
    const XmlAttributes& attributes() const { return m_attributes; }

    // Number attributes of a document: the default when missing; a value that does not convert to a
    // finite number is damage and gives the default.
    std::int32_t integerAttribute(const XmlAttributes& attributes, std::string_view name, std::int32_t fallback);
    double realAttribute(const XmlAttributes& attributes, std::string_view name, double fallback);
    bool booleanAttribute(const XmlAttributes& attributes, std::string_view name, bool fallback);

    // Attribute getters: the default when the attribute is missing or does not convert.
    static std::int32_t getInteger(const XmlAttributes& attributes, std::string_view name, std::int32_t fallback);
    static double getReal(const XmlAttributes& attributes, std::string_view name, double fallback);
    static bool getBoolean(const XmlAttributes& attributes, std::string_view name, bool fallback);
    static std::string getText(const XmlAttributes& attributes, std::string_view name, std::string fallback);

private:
    static constexpr int kEnd = -1;

    int get();
    void unget(int c);
    [[nodiscard]] bool readToken();
    void noteDamage();
    std::string readWord(int first);
    [[nodiscard]] bool readQuoted(std::string& out);
    [[nodiscard]] bool readText(int first);

    std::istream* m_stream = nullptr;
    std::array<char, xml::kReaderBufferSize> m_buffer{};
    std::size_t m_position = 0;
    std::size_t m_length = 0;
    int m_pushedBack = kEnd;
    bool m_afterText = false;
    int m_line = 1;
    bool m_atEnd = false;
    int m_damageLine = 0;
    std::vector<std::string> m_openElements;

    std::string m_elementName;
    std::string m_closingName;
    std::string m_text;
    std::string m_instructionName;
    XmlAttributes m_attributes;
};

} // namespace tokarium
