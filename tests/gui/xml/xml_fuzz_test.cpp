#include "gui/xml/xml_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

using namespace tokarium;

namespace {

const std::string kSample =
    "<?xml version=\"1.0\"?>\r\n<tokarium version=\"1.0.0.0\">\r\n\t<sheet name=\"PN n&#176;1\" id=\"7\">\r\n"
    "\t\t<paper width=\"2100\" paper=\"9\"/>\r\n\t\t<zoom>150</zoom>\r\n\t\t<objects>\r\n"
    "\t\t\t<place_d id=\"1\">\r\n\t\t\t\t<mi>2</mi>\r\n\t\t\t</place_d>\r\n\t\t</objects>\r\n"
    "\t</sheet>\r\n</tokarium>\r\n";

// Reads like the document loaders do: nested loops over isEnd, skipping what is not known.
int walk(XmlReader& reader, const std::string& name, int depth) {
    int steps = 0;
    while (!reader.isEnd(name) && steps < 100000) {
        ++steps;
        std::string text;
        std::int32_t integer = 0;
        if (depth < 8 && !reader.elementName().empty() && reader.closingName().empty()) {
            std::string child = reader.elementName();
            if (reader.isStart(child))
                steps += walk(reader, child, depth + 1);
        } else if (reader.readIntegerElement("zoom", integer) || reader.readTextElement("mi", text)) {
            continue;
        } else {
            reader.skip();
        }
    }
    return steps;
}

void feed(const std::string& bytes) {
    std::istringstream stream(bytes);
    XmlReader reader(stream);
    if (reader.readDeclaration() && reader.isStart("tokarium"))
        walk(reader, "tokarium", 0);
    std::istringstream again(bytes);
    reader.open(again);
    int tokens = 0;
    while (reader.next())
        ++tokens;
    EXPECT_LE(tokens, static_cast<int>(bytes.size()));
}

} // namespace

TEST(XmlReaderFuzz, RandomAndTruncatedInputNeverCrashesOrHangs) {
    std::mt19937 random(20261209);
    const std::string alphabet = "<>?=\"/ \t\r\nabcxml&#;0123456789";
    for (int round = 0; round < 40000; ++round) {
        std::uniform_int_distribution<std::size_t> length(0, 200);
        std::string bytes(length(random), '\0');
        bool anyByte = round % 3 == 0;
        for (char& c : bytes)
            c = anyByte ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
        feed(bytes);
        feed("<?xml version=\"1.0\"?><tokarium>" + bytes);
    }
    for (std::size_t cut = 0; cut <= kSample.size(); ++cut)
        feed(kSample.substr(0, cut));
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = kSample;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        feed(bytes.substr(0, random() % (bytes.size() + 1)));
    }
}
