#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_text.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tokarium;

namespace {

struct Source {
    explicit Source(std::string text) : stream(std::move(text)), reader(stream) {}
    std::istringstream stream;
    XmlReader reader;
};

} // namespace

TEST(XmlReader, DeclarationMustBeTheXmlInstruction) {
    EXPECT_TRUE(Source("<?xml version=\"1.0\"?>\r\n<tokarium>").reader.readDeclaration());
    EXPECT_TRUE(Source("<?XmL version=\"1.0\"?><tokarium>").reader.readDeclaration());
    EXPECT_FALSE(Source("<tokarium version=\"1\">").reader.readDeclaration());
    EXPECT_FALSE(Source("<?other?><tokarium>").reader.readDeclaration());
    EXPECT_FALSE(Source("hello<tokarium>").reader.readDeclaration());
    EXPECT_FALSE(Source("").reader.readDeclaration());
    // The declaration alone: no root token follows.
    EXPECT_FALSE(Source("<?xml version=\"1.0\"?>").reader.readDeclaration());
    Source source("<?xml version=\"1.0\"?><root a=\"1\"/>");
    ASSERT_TRUE(source.reader.readDeclaration());
    EXPECT_EQ(source.reader.elementName(), "root");
}

TEST(XmlReader, TokensOfEveryKind) {
    Source source("<?xml version=\"1.0\"?>\n<a x = \"1\" y=\"&#60;\">  some text \t</a><b/>< / c >");
    XmlReader& reader = source.reader;
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.instructionName(), "xml");
    EXPECT_EQ(XmlReader::getText(reader.attributes(), "version", ""), "1.0");
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.elementName(), "a");
    EXPECT_TRUE(reader.closingName().empty());
    EXPECT_EQ(XmlReader::getInteger(reader.attributes(), "x", 0), 1);
    EXPECT_EQ(XmlReader::getText(reader.attributes(), "y", ""), "<");
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.text(), "some text \t");
    EXPECT_TRUE(reader.elementName().empty());
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.closingName(), "a");
    EXPECT_TRUE(reader.text().empty());
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.elementName(), "b");
    EXPECT_EQ(reader.closingName(), "b");
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.closingName(), "c");
    EXPECT_FALSE(reader.next());
}

TEST(XmlReader, SyntaxErrorsFailTheToken) {
    for (const char* bad : {"<a x=1>", "<a x>", "<a =\"1\">", "<a x=\"1>", "<a", "</a b>", "<>", "<=a>", "<?x a?",
                            "\"text", "text without end", "<a/ >x", "<?x a=\"1\" b>"}) {
        Source source(bad);
        bool ok = true;
        for (int i = 0; i < 3 && ok; ++i)
            ok = source.reader.next();
        EXPECT_FALSE(ok) << bad;
    }
}

TEST(XmlReader, NamesMatchIgnoringCaseAndLatin1Accents) {
    Source source("<Sheet>");
    ASSERT_TRUE(source.reader.next());
    EXPECT_TRUE(source.reader.isStart("sheet"));
    EXPECT_TRUE(sameName("SHEET", "sheet"));
    EXPECT_TRUE(sameName("\xE9t\xE9", "ETE"));
    EXPECT_TRUE(sameName("\xC9t\xE9", "\xE9T\xC9"));
    EXPECT_TRUE(sameName("gar\xE7on", "GARCON"));
    EXPECT_TRUE(sameName("\xFF\xD1\xF8", "YNO"));
    EXPECT_FALSE(sameName("\xE6", "\xC6"));
    EXPECT_FALSE(sameName("sheet", "sheets"));
    EXPECT_FALSE(sameName("a_b", "a-b"));
    // Attribute names stay case-sensitive.
    Source attributes("<a ID=\"3\">");
    ASSERT_TRUE(attributes.reader.next());
    EXPECT_EQ(XmlReader::getInteger(attributes.reader.attributes(), "id", -1), -1);
    EXPECT_EQ(XmlReader::getInteger(attributes.reader.attributes(), "ID", -1), 3);
}

TEST(XmlReader, IsStartMovesTheAttributesOut) {
    Source source("<a id=\"4\" name=\"n\">");
    ASSERT_TRUE(source.reader.next());
    EXPECT_FALSE(source.reader.isStart("b"));
    XmlAttributes attributes;
    ASSERT_TRUE(source.reader.isStart("A", &attributes));
    EXPECT_EQ(attributes.size(), 2u);
    EXPECT_TRUE(source.reader.attributes().empty());

    // A repeated attribute keeps its first value (found by fuzzing: it flipped on every save).
    Source repeated("<a id=\"4\" id=\"5\">");
    ASSERT_TRUE(repeated.reader.next());
    EXPECT_EQ(repeated.reader.attributes().size(), 1u);
    EXPECT_EQ(XmlReader::getInteger(repeated.reader.attributes(), "id", 0), 4);
}

TEST(XmlReader, SkipLeavesTheWholeElementBehind) {
    Source source("<root><unknown a=\"1\"><x><y/>text<z>t</z></x><x/></unknown><known/></root>");
    XmlReader& reader = source.reader;
    ASSERT_TRUE(reader.next());
    ASSERT_FALSE(reader.isEnd("root"));
    ASSERT_TRUE(reader.isStart("unknown"));
    reader.skip();
    EXPECT_EQ(reader.closingName(), "unknown");
    ASSERT_FALSE(reader.isEnd("root"));
    EXPECT_TRUE(reader.isStart("known"));
    reader.skip();
    EXPECT_TRUE(reader.isEnd("root"));
}

TEST(XmlReader, SkipStopsAtTruncationAndOnStrayTokens) {
    Source truncated("<a><b><c>");
    ASSERT_TRUE(truncated.reader.next());
    truncated.reader.skip();
    EXPECT_TRUE(truncated.reader.isEnd("anything"));
    Source stray("</a><b/>");
    ASSERT_TRUE(stray.reader.next());
    stray.reader.skip();
    EXPECT_EQ(stray.reader.closingName(), "a");
}

TEST(XmlReader, ReadElementKeepsTheTextBeforeTheEndTag) {
    Source source("<r><n k=\"v\">12</n><m>a<sub>b</sub></m><e/><t>x&#60;y</t><bad>1.5</bad><f>1,5</f></r>");
    XmlReader& reader = source.reader;
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.next());
    XmlAttributes attributes;
    std::string text;
    EXPECT_FALSE(reader.readElement("m", &attributes, &text));
    ASSERT_TRUE(reader.readElement("n", &attributes, &text));
    EXPECT_EQ(text, "12");
    EXPECT_EQ(XmlReader::getText(attributes, "k", ""), "v");
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.readElement("m", nullptr, &text));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.readElement("e", nullptr, &text));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.readTextElement("t", text));
    EXPECT_EQ(text, "x<y");
    ASSERT_TRUE(reader.next());
    std::int32_t integer = 9;
    ASSERT_TRUE(reader.readIntegerElement("bad", integer));
    EXPECT_EQ(integer, 9);
    ASSERT_TRUE(reader.next());
    double real = 0;
    ASSERT_TRUE(reader.readRealElement("f", real));
    EXPECT_DOUBLE_EQ(real, 1.5);
    EXPECT_TRUE(reader.isEnd("r"));
}

TEST(XmlReader, AttributeGettersFallBackWhenMissingOrBad) {
    Source source("<a i=\"12\" r=\"2,5\" b=\"0\" t=\"x\" bad=\"1x\">");
    ASSERT_TRUE(source.reader.next());
    const XmlAttributes& a = source.reader.attributes();
    EXPECT_EQ(XmlReader::getInteger(a, "i", 0), 12);
    EXPECT_EQ(XmlReader::getInteger(a, "bad", 5), 5);
    EXPECT_EQ(XmlReader::getInteger(a, "r", 5), 5);
    EXPECT_EQ(XmlReader::getInteger(a, "missing", 5), 5);
    EXPECT_DOUBLE_EQ(XmlReader::getReal(a, "r", 0), 2.5);
    EXPECT_DOUBLE_EQ(XmlReader::getReal(a, "bad", 7), 7);
    EXPECT_FALSE(XmlReader::getBoolean(a, "b", true));
    EXPECT_TRUE(XmlReader::getBoolean(a, "i", false));
    EXPECT_TRUE(XmlReader::getBoolean(a, "t", true));
    EXPECT_EQ(XmlReader::getText(a, "t", "d"), "x");
    EXPECT_EQ(XmlReader::getText(a, "missing", "d"), "d");
}

TEST(XmlReader, TokensLongerThanTheBuffer) {
    std::string longText(5000, 'a');
    std::string longName(3000, 'n');
    Source source("<" + longName + " v=\"" + longText + "\">" + longText + "</" + longName + ">");
    XmlReader& reader = source.reader;
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.elementName(), longName);
    EXPECT_EQ(XmlReader::getText(reader.attributes(), "v", ""), longText);
    std::string text;
    ASSERT_TRUE(reader.readElement(longName, nullptr, &text));
    EXPECT_EQ(text, longText);
}
