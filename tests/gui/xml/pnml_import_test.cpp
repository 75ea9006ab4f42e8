// PNML import: pages, references, labels, layout, refused types and malformed files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/model/arc.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/xml/pnml_import.h"
#include "gui/xml/xml_tree.h"

namespace tokarium {
namespace {

constexpr const char* kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<pnml xmlns=\"http://www.pnml.org/version-2009/grammar/pnml\">\n";
constexpr const char* kPtNet = "http://www.pnml.org/version-2009/grammar/ptnet";

std::string pnmlFile(const std::string& nets) {
    return kHeader + nets + "</pnml>\n";
}

std::string ptNet(const std::string& id, const std::string& content) {
    return "<net id=\"" + id + "\" type=\"" + kPtNet + "\">" + content + "</net>\n";
}

const Place& placeNamed(const NetSheet& sheet, const std::string& name) {
    for (NetObject* object : sheet.objects(kPlaceKinds, false))
        if (static_cast<Place*>(object)->displayName() == name)
            return static_cast<const Place&>(*object);
    throw std::runtime_error("no place " + name);
}

const Arc* arcBetween(const NetSheet& sheet, const std::string& from, const std::string& to) {
    for (NetObject* object : sheet.objects(kArcKinds, false)) {
        const auto* arc = static_cast<const Arc*>(object);
        if (arc->from()->displayName() == from && arc->to()->displayName() == to)
            return arc;
    }
    return nullptr;
}

TEST(XmlTree, ReadsWhatExchangeFilesUse) {
    const XmlTreeResult tree = parseXmlTree(
        "<?xml version='1.0' encoding='UTF-8'?>\n<!DOCTYPE pnml>\n<!-- comment -->\n"
        "<a:root xmlns:a='urn:x' a:k='1 &lt; 2'>\n  <b>caf\xC3\xA9 &amp; &#x263A;&#65;<![CDATA[<raw>]]></b>\n"
        "  <?instruction?><c/>\n</a:root>\n");
    ASSERT_TRUE(tree.ok) << tree.error;
    EXPECT_EQ(tree.root.name, "root");
    ASSERT_NE(tree.root.attribute("k"), nullptr);
    EXPECT_EQ(*tree.root.attribute("k"), "1 < 2");
    ASSERT_EQ(tree.root.children.size(), 2u);
    // UTF-8 becomes Latin-1; a character beyond Latin-1 becomes '?'.
    EXPECT_EQ(tree.root.children[0].text, "caf\xE9 & ?A<raw>");
    EXPECT_EQ(tree.root.children[1].line, 6);

    const XmlTreeResult latin1 = parseXmlTree("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xE9</r>");
    ASSERT_TRUE(latin1.ok);
    EXPECT_EQ(latin1.root.text, "\xE9");

    const struct {
        const char* input;
        const char* error;
    } failures[] = {
        {"", "line 1: the document has no element"},
        {"<a><b></a>", "line 1: </a> closes <b>"},
        {"<a>\n<b x=1/></a>", "line 2: attribute x has no quoted value"},
        {"<a>&nbsp;</a>", "line 1: unknown entity &nbsp;"},
        {"<a>\n\n<b>", "line 3: element <b> is not closed"},
        {"<a/><b/>", "line 1: text after the end of the document"},
        {"<!DOCTYPE a [<!ENTITY x 'y'>]><a/>", "line 1: a DOCTYPE with an internal subset is not supported"},
    };
    for (const auto& failure : failures) {
        const XmlTreeResult result = parseXmlTree(failure.input);
        EXPECT_FALSE(result.ok) << failure.input;
        EXPECT_EQ(result.error, failure.error) << failure.input;
    }
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    EXPECT_NE(parseXmlTree(deep).error.find("nested too deeply"), std::string::npos);
}

TEST(PnmlImport, FlattensPagesResolvesReferencesAndFillsDefaults) {
    // Page 1 holds p1 and t1 with graphics; the nested page holds p2 (no graphics) and a chain of
    // references to p1 and t1. Arcs use the references; one has no inscription, one weight 3.
    const std::string file = pnmlFile(
        ptNet("n1", "<name><text>  Producer and consumer </text></name>"
                    "<page id=\"pg1\">"
                    "<place id=\"p1\"><name><text> buffer full </text></name>"
                    "<graphics><position x=\"200\" y=\"100\"/></graphics>"
                    "<initialMarking><text> 2 </text></initialMarking></place>"
                    "<transition id=\"t1\"><graphics><position x=\"300.4\" y=\"100\"/></graphics></transition>"
                    "<page id=\"pg2\">"
                    "<place id=\"p2\"><name><text>empty</text></name></place>"
                    "<referencePlace id=\"rp1\" ref=\"p1\"/><referencePlace id=\"rp2\" ref=\"rp1\"/>"
                    "<referenceTransition id=\"rt1\" ref=\"t1\"/>"
                    "<arc id=\"a1\" source=\"rp2\" target=\"rt1\"/>"
                    "<arc id=\"a2\" source=\"t1\" target=\"p2\"><inscription><text>3</text></inscription></arc>"
                    "</page></page>") +
        "<net id=\"sn\" type=\"http://www.pnml.org/version-2009/grammar/symmetricnet\">"
        "<name><text>Colours</text></name><page id=\"x\"/></net>\n");
    const PnmlImportResult result = importPnml(file);
    ASSERT_TRUE(result.error.empty()) << result.error;
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "The net \"Colours\" has the type "
                                  "http://www.pnml.org/version-2009/grammar/symmetricnet and is not imported: only "
                                  "place/transition nets are.");
    ASSERT_EQ(result.sheets.size(), 1u);
    const NetSheet& sheet = *result.sheets[0];
    EXPECT_EQ(sheet.name(), "Producer and consumer");
    EXPECT_EQ(sheet.count(kPlaceKinds), 2u);
    EXPECT_EQ(sheet.count(kTransitionKinds), 1u);

    const Place& full = placeNamed(sheet, "buffer full");
    EXPECT_EQ(full.kind(), ObjectKind::kDiscretePlace);
    EXPECT_EQ(full.index(), 1);
    EXPECT_EQ(full.initialMarking(), 2.0);
    EXPECT_EQ(full.rect().centre().x, 200);
    EXPECT_EQ(full.rect().centre().y, 100);
    const Place& empty = placeNamed(sheet, "empty");
    EXPECT_EQ(empty.initialMarking(), 0.0);
    // Laid out below the placed nodes, apart from them.
    EXPECT_GT(empty.rect().top, full.rect().bottom);

    const auto& transition = static_cast<const Transition&>(*sheet.sortedByIndex(kTransitionKinds)[0]);
    EXPECT_EQ(transition.kind(), ObjectKind::kDiscreteTransition);
    EXPECT_EQ(transition.name(), "") << "the name is the automatic one";
    EXPECT_EQ(transition.ft(), 1.0);
    EXPECT_EQ(transition.rect().centre().x, 300);

    const Arc* input = arcBetween(sheet, "buffer full", "T1");
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->kind(), ObjectKind::kOrdinaryArc);
    EXPECT_EQ(input->weight(), 1.0);
    const Arc* output = arcBetween(sheet, "T1", "empty");
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->kind(), ObjectKind::kGeneralizedArc);
    EXPECT_EQ(output->weight(), 3.0);
}

TEST(PnmlImport, RefusesMalformedNetsNamingTheElement) {
    const std::string place = "<place id=\"p1\"/>";
    const std::string transition = "<transition id=\"t1\"/>";
    const struct {
        std::string content;
        std::string error;
    } cases[] = {
        {"<page id=\"g\">" + place + "<arc id=\"a1\" source=\"p1\" target=\"t9\"/></page>",
         "arc \"a1\": \"t9\" is not a place, a transition or a reference to one"},
        {"<page id=\"g\"><place id=\"p1\"><initialMarking><text>-1</text></initialMarking></place></page>",
         "place \"p1\": the initial marking \"-1\" is not a non-negative integer"},
        {"<page id=\"g\"><place id=\"p1\"><initialMarking><text>1.5</text></initialMarking></place></page>",
         "place \"p1\": the initial marking \"1.5\" is not a non-negative integer"},
        {"<page id=\"g\">" + place + transition +
             "<arc id=\"a1\" source=\"p1\" target=\"t1\"><inscription><text>0</text></inscription></arc></page>",
         "arc \"a1\": the inscription \"0\" is not a positive integer"},
        {"<page id=\"g\">" + place + transition +
             "<arc id=\"a1\" source=\"p1\" target=\"t1\"><inscription><text>two</text></inscription></arc></page>",
         "arc \"a1\": the inscription \"two\" is not a positive integer"},
        {"<page id=\"g\">" + place + "<place id=\"p1\"/></page>", "place \"p1\": the id is used twice"},
        {"<page id=\"g\">" + place + "<place id=\"p2\"/><arc id=\"a1\" source=\"p1\" target=\"p2\"/></page>",
         "arc \"a1\": the arc joins two places"},
        {"<page id=\"g\">" + transition +
             "<referencePlace id=\"r1\" ref=\"r2\"/><referencePlace id=\"r2\" ref=\"r1\"/>"
             "<arc id=\"a1\" source=\"r1\" target=\"t1\"/></page>",
         "arc \"a1\": the references from \"r1\" form a cycle"},
        {"<page id=\"g\">" + transition + "<referencePlace id=\"r1\" ref=\"t1\"/></page>" +
             "<page id=\"h\"><arc id=\"a1\" source=\"r1\" target=\"t1\"/></page>",
         "referencePlace \"r1\": the reference points to a node of the other kind"},
        {"<page id=\"g\"><place id=\"p1\"><graphics><position x=\"1e99\" y=\"0\"/></graphics></place></page>",
         "place \"p1\": the position x=\"1e99\" is not a usable number"},
        {"<page id=\"g\"><place/></page>", "place: the element has no id"},
    };
    for (const auto& test : cases) {
        // A good net before the bad one: nothing at all is imported.
        const PnmlImportResult result =
            importPnml(pnmlFile(ptNet("good", "<page id=\"ok\"><place id=\"q\"/></page>") + ptNet("n", test.content)));
        EXPECT_TRUE(result.sheets.empty()) << test.error;
        EXPECT_TRUE(result.error.starts_with("line ")) << result.error;
        EXPECT_NE(result.error.find(test.error), std::string::npos) << result.error;
    }
    EXPECT_EQ(importPnml("<pnml><net id='n'").error, "line 1: unterminated start tag <net>");
    EXPECT_EQ(importPnml("<?xml version='1.0'?>\n<document/>").error, "line 2: the root element is <document>, not <pnml>");
}

TEST(PnmlImport, BendPointsOfOtherToolsBecomeStraightRoutePieces) {
    // p (100,100) -> t (300,100) bends at (100,200) and (300,200); t -> q bends once but q has no
    // position, so that arc stays straight.
    const PnmlImportResult result = importPnml(pnmlFile(ptNet(
        "n", "<page id=\"g\"><place id=\"p\"><graphics><position x=\"100\" y=\"100\"/></graphics></place>"
             "<transition id=\"t\"><graphics><position x=\"300\" y=\"100\"/></graphics></transition>"
             "<place id=\"q\"/>"
             "<arc id=\"a\" source=\"p\" target=\"t\"><graphics><position x=\"100\" y=\"200\"/>"
             "<position x=\"300\" y=\"200\"/></graphics></arc>"
             "<arc id=\"b\" source=\"t\" target=\"q\"><graphics><position x=\"500\" y=\"50\"/></graphics></arc>"
             "</page>")));
    ASSERT_EQ(result.sheets.size(), 1u) << result.error;
    const Arc* bent = arcBetween(*result.sheets[0], "P1", "T1");
    ASSERT_NE(bent, nullptr);
    // Pass-through points at the bends, control points halfway along each straight piece.
    const std::vector<Point> route{{100, 150}, {100, 200}, {200, 200}, {300, 200}, {300, 150}};
    EXPECT_EQ(bent->route(), route);
    const Arc* straight = arcBetween(*result.sheets[0], "T1", "P2");
    ASSERT_NE(straight, nullptr);
    EXPECT_TRUE(straight->route().empty());

    const PnmlImportResult bad = importPnml(pnmlFile(ptNet(
        "n", "<page id=\"g\"><place id=\"p\"/><transition id=\"t\"/><arc id=\"a\" source=\"p\" target=\"t\">"
             "<graphics><position x=\"1\" y=\"zero\"/></graphics></arc></page>")));
    EXPECT_TRUE(bad.sheets.empty());
    EXPECT_NE(bad.error.find("\"a\""), std::string::npos) << bad.error;
}

TEST(PnmlImport, ParallelArcsAddTheirWeights) {
    const PnmlImportResult result = importPnml(pnmlFile(ptNet(
        "n", "<page id=\"g\"><place id=\"p\"/><transition id=\"t\"/>"
             "<arc id=\"a\" source=\"p\" target=\"t\"/><arc id=\"b\" source=\"p\" target=\"t\">"
             "<inscription><text>2</text></inscription></arc></page>")));
    ASSERT_EQ(result.sheets.size(), 1u) << result.error;
    ASSERT_EQ(result.sheets[0]->count(kArcKinds), 1u);
    const Arc* arc = arcBetween(*result.sheets[0], "P1", "T1");
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->weight(), 3.0);
    EXPECT_EQ(arc->kind(), ObjectKind::kGeneralizedArc);
}

TEST(PnmlImport, LargeNetWithoutGraphicsIsLaidOutWithNodesApart) {
    // A ring of 30 places and 30 transitions, no graphics at all, one token.
    std::string content = "<page id=\"g\">";
    constexpr int kSize = 30;
    for (int i = 0; i < kSize; ++i) {
        content += "<place id=\"p" + std::to_string(i) + "\"><name><text>place " + std::to_string(i) + "</text></name>" +
                   (i == 0 ? "<initialMarking><text>1</text></initialMarking>" : "") + "</place>";
        content += "<transition id=\"t" + std::to_string(i) + "\"/>";
        content += "<arc id=\"in" + std::to_string(i) + "\" source=\"p" + std::to_string(i) + "\" target=\"t" +
                   std::to_string(i) + "\"/>";
        content += "<arc id=\"out" + std::to_string(i) + "\" source=\"t" + std::to_string(i) + "\" target=\"p" +
                   std::to_string((i + 1) % kSize) + "\"/>";
    }
    const PnmlImportResult result = importPnml(pnmlFile(ptNet("ring", content + "</page>")));
    ASSERT_EQ(result.sheets.size(), 1u) << result.error;
    const NetSheet& sheet = *result.sheets[0];
    EXPECT_EQ(sheet.count(kPlaceKinds), 30u);
    EXPECT_EQ(sheet.count(kTransitionKinds), 30u);
    EXPECT_EQ(sheet.count(kArcKinds), 60u);
    EXPECT_EQ(placeNamed(sheet, "place 0").initialMarking(), 1.0);
    EXPECT_EQ(placeNamed(sheet, "place 29").index(), 30);
    const std::vector<NetObject*> nodes = sheet.sortedByIndex(kNodeKinds);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_GE(nodes[i]->rect().left, 0);
        EXPECT_GE(nodes[i]->rect().top, 0);
        for (std::size_t j = i + 1; j < nodes.size(); ++j)
            EXPECT_FALSE(nodes[i]->rect().inflated(10, 10).intersects(nodes[j]->rect())) << i << " " << j;
    }
}

TEST(PnmlImport, FileWithNothingImportableFailsAndLeavesTheDocument) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tokarium_pnml_import_test.pnml";
    std::ofstream(path) << pnmlFile("<net id=\"hl\" type=\"http://www.pnml.org/version-2009/grammar/highlevelnet\">"
                                    "<page id=\"g\"/></net>");
    NetDocument document;
    std::vector<std::string> messages;
    std::string error;
    EXPECT_FALSE(importPnmlFile(path.string(), document, messages, error));
    EXPECT_EQ(error, path.string() + " holds no place/transition net to import");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(document.sheetCount(), 0u);
    EXPECT_FALSE(importPnmlFile((path.string() + ".missing"), document, messages, error));
    EXPECT_EQ(error, "Can't open file " + path.string() + ".missing");
    std::filesystem::remove(path);
}

// Files written by other tools, when the shared reference folder is there.
TEST(PnmlImport, ReferenceSamples) {
    const std::filesystem::path folder = std::filesystem::path(TOKARIUM_SOURCE_DIR) / "../shared/reference/pnml";
    if (!std::filesystem::exists(folder))
        GTEST_SKIP() << "no reference folder at " << folder << "; the samples of other tools are not checked";
    const struct {
        const char* file;
        std::size_t sheets;
        std::size_t refused;
    } samples[] = {{"samplePTnet.pnml", 1, 0}, {"vendingmachines.pnml", 1, 0}, {"wopeddemo.pnml", 1, 0},
                   {"sampleSNPrio.pnml", 0, 1}};
    for (const auto& sample : samples) {
        std::ifstream file(folder / sample.file, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        const PnmlImportResult result = importPnml(bytes.str());
        EXPECT_TRUE(result.error.empty()) << sample.file << ": " << result.error;
        EXPECT_EQ(result.sheets.size(), sample.sheets) << sample.file;
        EXPECT_EQ(result.messages.size(), sample.refused) << sample.file;
    }
}

} // namespace
} // namespace tokarium
