#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_text.h"
#include "gui/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tokarium;

TEST(XmlWriter, WritesIndentedElementsWithCrLf) {
    std::ostringstream out;
    XmlWriter writer(out);
    XmlAttributes attributes;
    XmlWriter::setText(attributes, "name", "PN 1");
    XmlWriter::setInteger(attributes, "id", 41);
    writer.openElement("sheet", attributes);
    EXPECT_TRUE(attributes.empty());
    XmlWriter::setReal(attributes, "duration", 100.0);
    writer.emptyElement("simulator", attributes);
    writer.integerElement("zoom", 150);
    writer.realElement("mi", 0.1);
    writer.textElement("text", "x<y");
    XmlWriter::setBoolean(attributes, "show", true);
    writer.openElement("grid", attributes);
    writer.closeElement("grid");
    writer.closeElement("sheet");
    EXPECT_TRUE(writer.good());
    EXPECT_EQ(out.str(),
              "<?xml version=\"1.0\"?>\r\n"
              "<sheet name=\"PN 1\" id=\"41\">\r\n"
              "\t<simulator duration=\"100\"/>\r\n"
              "\t<zoom>150</zoom>\r\n"
              "\t<mi>0.1</mi>\r\n"
              "\t<text>x&#60;y</text>\r\n"
              "\t<grid show=\"1\">\r\n"
              "\t</grid>\r\n"
              "</sheet>\r\n");
}

TEST(XmlWriter, EscapesEverythingButDigitsLettersSpaceAndSigns) {
    EXPECT_EQ(xmlEscape("P 1-2"), "P 1-2");
    EXPECT_EQ(xmlEscape("+1.5e3"), "+1.5e3");
    EXPECT_EQ(xmlEscape("x<y"), "x&#60;y");
    EXPECT_EQ(xmlEscape("\"&\n_"), "&#34;&#38;&#10;&#95;");
    EXPECT_EQ(xmlEscape("\xE9"), "&#233;");
    EXPECT_EQ(xmlEscape(std::string(1, '\0')), "&#0;");
}

TEST(XmlWriter, UnescapeUndoesEscapes) {
    EXPECT_EQ(xmlUnescape("x&#60;y"), "x<y");
    EXPECT_EQ(xmlUnescape("&#233;t&#233;"), "\xE9t\xE9");
    EXPECT_EQ(xmlUnescape("a&#65"), "aA");
    EXPECT_EQ(xmlUnescape("a&#zz;b"), std::string("a\0b", 3));
    EXPECT_EQ(xmlUnescape("a & b &c"), "a & b &c");
    EXPECT_EQ(xmlUnescape("&"), "&");
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(xmlUnescape(xmlEscape(all)), all);
}

TEST(XmlWriter, TextElementReadsBackUnchanged) {
    const std::string texts[] = {"P 1-2", "x<y", "line one\r\nline \"two\" & <three>", "\xE9l\xE8ve", ""};
    for (const std::string& text : texts) {
        std::stringstream buffer;
        XmlWriter writer(buffer);
        writer.textElement("text", text);
        XmlReader reader(buffer);
        ASSERT_TRUE(reader.readDeclaration());
        std::string read = "unchanged";
        ASSERT_TRUE(reader.readTextElement("text", read));
        EXPECT_EQ(read, text);
    }
}

TEST(XmlWriter, AttributeValuesReadBackUnchanged) {
    std::stringstream buffer;
    XmlWriter writer(buffer);
    XmlAttributes attributes;
    XmlWriter::setText(attributes, "name", "a \"b\" <c> & d/e=f?");
    XmlWriter::setReal(attributes, "ratio", 0.25);
    writer.emptyElement("item", attributes);
    XmlReader reader(buffer);
    ASSERT_TRUE(reader.readDeclaration());
    XmlAttributes read;
    ASSERT_TRUE(reader.isStart("item", &read));
    EXPECT_EQ(XmlReader::getText(read, "name", ""), "a \"b\" <c> & d/e=f?");
    EXPECT_DOUBLE_EQ(XmlReader::getReal(read, "ratio", 0), 0.25);
}
