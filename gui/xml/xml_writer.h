// XmlWriter: one element per line, tab indentation, CR LF line ends, escaped values.
#pragma once

#include "gui/xml/xml_attributes.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace tokarium {

class XmlWriter {
public:
    XmlWriter() = default;
    explicit XmlWriter(std::ostream& stream) { open(stream); }

    // Writes the declaration "<?xml version="1.0"?>" and a line end.
    void open(std::ostream& stream);

    static void setInteger(XmlAttributes& attributes, std::string_view name, std::int32_t value);
    static void setReal(XmlAttributes& attributes, std::string_view name, double value);
    static void setBoolean(XmlAttributes& attributes, std::string_view name, bool value);
    static void setText(XmlAttributes& attributes, std::string_view name, std::string_view value);

    // Element writers; each one writes the attributes in the map's iteration order and empties the map.
    void openElement(std::string_view name, XmlAttributes& attributes);
    void openElement(std::string_view name);
    void closeElement(std::string_view name);
    void emptyElement(std::string_view name, XmlAttributes& attributes);
    void integerElement(std::string_view name, std::int32_t value);
    void realElement(std::string_view name, double value);
    void textElement(std::string_view name, std::string_view text);

    // False once the stream has failed.
    [[nodiscard]] bool good() const;

private:
    void startTag(std::string_view name, XmlAttributes& attributes);
    void valueElement(std::string_view name, std::string_view text);

    std::ostream* m_stream = nullptr;
    std::string m_indentation;
};

} // namespace tokarium
