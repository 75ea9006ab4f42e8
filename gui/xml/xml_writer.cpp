// XmlWriter: element and attribute output.
#include "gui/xml/xml_writer.h"

#include "gui/xml/constants.h"
#include "gui/xml/xml_text.h"

namespace tokarium {

void XmlWriter::open(std::ostream& stream) {
    m_stream = &stream;
    m_indentation.clear();
    *m_stream << xml::kDeclaration << xml::kLineEnd;
}

void XmlWriter::setInteger(XmlAttributes& attributes, std::string_view name, std::int32_t value) {
    attributes.set(name, XmlValue(value));
}

void XmlWriter::setReal(XmlAttributes& attributes, std::string_view name, double value) {
    attributes.set(name, XmlValue(value));
}

void XmlWriter::setBoolean(XmlAttributes& attributes, std::string_view name, bool value) {
    attributes.set(name, XmlValue(std::int32_t{value ? 1 : 0}));
}

void XmlWriter::setText(XmlAttributes& attributes, std::string_view name, std::string_view value) {
    attributes.set(name, XmlValue(value));
}

void XmlWriter::startTag(std::string_view name, XmlAttributes& attributes) {
    *m_stream << m_indentation << '<' << name;
    attributes.forEach([this](const XmlAttributes::Entry& entry) {
        *m_stream << ' ' << entry.name << "=\"" << xmlEscape(entry.value.toText()) << '"';
    });
    attributes.clear();
}

void XmlWriter::openElement(std::string_view name, XmlAttributes& attributes) {
    startTag(name, attributes);
    *m_stream << '>' << xml::kLineEnd;
    m_indentation.push_back('\t');
}

void XmlWriter::openElement(std::string_view name) {
    XmlAttributes none;
    openElement(name, none);
}

void XmlWriter::closeElement(std::string_view name) {
    if (!m_indentation.empty())
        m_indentation.pop_back();
    *m_stream << m_indentation << "</" << name << '>' << xml::kLineEnd;
}

void XmlWriter::emptyElement(std::string_view name, XmlAttributes& attributes) {
    startTag(name, attributes);
    *m_stream << "/>" << xml::kLineEnd;
}

void XmlWriter::valueElement(std::string_view name, std::string_view text) {
    *m_stream << m_indentation << '<' << name << '>' << text << "</" << name << '>' << xml::kLineEnd;
}

void XmlWriter::integerElement(std::string_view name, std::int32_t value) {
    valueElement(name, XmlValue(value).toText());
}

void XmlWriter::realElement(std::string_view name, double value) {
    valueElement(name, XmlValue(value).toText());
}

void XmlWriter::textElement(std::string_view name, std::string_view text) {
    valueElement(name, xmlEscape(text));
}

bool XmlWriter::good() const {
    return m_stream && m_stream->good();
}

} // namespace tokarium
