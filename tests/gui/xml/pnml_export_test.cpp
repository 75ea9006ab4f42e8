// PNML export: round trips through import keep every net whole; the standard part follows the grammar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "gui/model/model_constants.h"
#include "gui/xml/document_file.h"
#include "gui/xml/pn_objects.h"
#include "gui/xml/pn_sheet.h"
#include "gui/xml/pnml_export.h"
#include "gui/xml/pnml_import.h"
#include "gui/xml/xml_tree.h"
#include "gui/xml/xml_writer.h"
#include "pn_test_support.h"

namespace tokarium {
namespace {

using test::addArc;
using test::addObject;
using test::addPlace;
using test::addTransition;

// The sheet's settings, then each object's element, sorted: the same net whatever the object order.
std::string canonicalText(const NetSheet& sheet) {
    std::ostringstream settings;
    XmlWriter settingsWriter(settings);
    writeSheet(sheet, settingsWriter, 0);
    std::vector<std::string> objects;
    for (NetObject* object : sheet.objects(kAllKinds, false)) {
        std::ostringstream text;
        XmlWriter writer(text);
        writeObject(*object, writer);
        objects.push_back(text.str());
    }
    std::sort(objects.begin(), objects.end());
    std::string text = settings.str();
    for (const std::string& object : objects)
        text += object;
    return text;
}

// Every kind of object with values the standard labels cannot hold.
void buildMixedNet(NetSheet& sheet) {
    sheet.setName("Mixed <net> & \"quotes\" caf\xE9");
    sheet.setDuration(42.5);
    sheet.page().orientation = kLandscape;
    std::swap(sheet.page().width, sheet.page().height);
    sheet.setZoom(150);
    Place& tokens = addPlace(sheet, ObjectKind::kDiscretePlace, 1, {100, 100});
    static_cast<Place&>(tokens).setInitialMarking(3);
    tokens.setName("spaced name");
    Place& tank = addPlace(sheet, ObjectKind::kContinuousPlace, 4, {300, 100});
    tank.setInitialMarking(2.5);
    Place& small = addPlace(sheet, ObjectKind::kContinuousPlace, 2, {300, 300});
    small.setInitialMarking(kInfinitesimalMarking);
    small.format().back = 0x123456;
    Transition& timed = addTransition(sheet, ObjectKind::kDiscreteTransition, 3, {200, 100});
    timed.setFt(2.5);
    timed.rotate();
    Transition& flow = addTransition(sheet, ObjectKind::kContinuousTransition, 1, {400, 200});
    flow.setFt(kInfiniteValue);
    addArc(sheet, ObjectKind::kOrdinaryArc, tokens, timed);
    Arc& half = addArc(sheet, ObjectKind::kGeneralizedArc, timed, tank);
    half.setWeight(0.5);
    Arc& routed = addArc(sheet, ObjectKind::kGeneralizedArc, tank, flow);
    routed.setWeight(2);
    routed.setRoute({{350, 120}, {380, 150}, {390, 170}});
    addArc(sheet, ObjectKind::kOrdinaryArc, flow, small);
    addArc(sheet, ObjectKind::kGeneralizedArc, small, flow).setWeight(1.0);
    auto& legend = addObject<Legend>(sheet, ObjectKind::kLegend);
    legend.setText("A legend\nwith two lines");
    legend.centreOn({200, 400});
    auto& graph = addObject<Graph>(sheet, ObjectKind::kGraph);
    graph.setTitle("Tank");
    graph.centreOn({500, 400});
    PriorityEntry entry;
    entry.placeIndex = 4;
    entry.addElement(1, 2, 0.25);
    sheet.priorities().push_back(entry);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(PnmlExport, RoundTripKeepsEverySampleAndTestNetWhole) {
    std::vector<std::unique_ptr<NetDocument>> documents;
    for (const char* sample : {"continuous_tanks.pn", "discrete_cycle.pn", "hybrid_valve.pn"}) {
        auto document = std::make_unique<NetDocument>();
        test::RecordingPrompt prompt;
        std::vector<SheetWindow> windows;
        ASSERT_TRUE(openDocument(*document, std::string(TOKARIUM_SOURCE_DIR) + "/examples/" + sample, prompt, windows))
            << sample;
        documents.push_back(std::move(document));
    }
    auto mixed = std::make_unique<NetDocument>();
    mixed->newDocument();
    buildMixedNet(mixed->sheet(0));
    documents.push_back(std::move(mixed));

    for (const auto& document : documents) {
        const PnmlImportResult result = importPnml(exportPnml(*document));
        ASSERT_TRUE(result.error.empty()) << result.error;
        ASSERT_EQ(result.sheets.size(), document->sheetCount());
        for (std::size_t i = 0; i < document->sheetCount(); ++i) {
            EXPECT_EQ(result.sheets[i]->name(), document->sheet(i).name());
            EXPECT_EQ(canonicalText(*result.sheets[i]), canonicalText(document->sheet(i))) << document->sheet(i).name();
        }
    }
}

TEST(PnmlExport, StandardLabelsCarryWhatTheyCanAndOtherToolsEditsWin) {
    NetDocument document;
    document.newDocument();
    buildMixedNet(document.sheet(0));
    const std::string text = exportPnml(document);
    const XmlTreeResult tree = parseXmlTree(text);
    ASSERT_TRUE(tree.ok) << tree.error;
    const XmlElement& net = tree.root.children.at(0);
    EXPECT_EQ(*net.attribute("type"), "http://www.pnml.org/version-2009/grammar/ptnet");
    const XmlElement* page = net.child("page");
    ASSERT_NE(page, nullptr);
    std::map<std::string, std::string> markings;
    std::map<std::string, std::string> inscriptions;
    for (const XmlElement& element : page->children) {
        const XmlElement* label = element.child(element.name == "arc" ? "inscription" : "initialMarking");
        auto& texts = element.name == "arc" ? inscriptions : markings;
        texts[*element.attribute("id")] = label ? label->child("text")->text : "-";
    }
    // Integer markings and weights other than 1 are standard; 2.5, "0+" and 0.5 are the tool's alone.
    EXPECT_EQ(markings, (std::map<std::string, std::string>{
                            {"net1-p1", "3"}, {"net1-p4", "-"}, {"net1-p2", "-"}, {"net1-t3", "-"}, {"net1-t1", "-"}}));
    EXPECT_EQ(inscriptions, (std::map<std::string, std::string>{
                                {"net1-a1", "-"}, {"net1-a2", "-"}, {"net1-a3", "2"}, {"net1-a4", "-"}, {"net1-a5", "-"}}));

    // Another tool changes the standard marking and the name: those values win over the tool data.
    std::string edited = text;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"<text>3</text>", "<text>7</text>"},
                                   {"<text>spaced name</text>", "<text>  renamed </text>"}}) {
        ASSERT_NE(edited.find(from), std::string::npos) << from;
        edited.replace(edited.find(from), from.size(), to);
    }
    const PnmlImportResult result = importPnml(edited);
    ASSERT_EQ(result.sheets.size(), 1u) << result.error;
    EXPECT_EQ(result.sheets[0]->findPlace(1)->initialMarking(), 7.0);
    EXPECT_EQ(result.sheets[0]->findPlace(1)->name(), "renamed") << "names are trimmed";
}

TEST(PnmlExport, ExportedFilesFollowTheGrammar) {
    if (std::system("xmllint --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint (Debian libxml2-utils) is not installed; the grammar is not checked";
    const std::filesystem::path grammar = std::filesystem::path(TOKARIUM_SOURCE_DIR) / "tests/gui/xml/pnml_grammar/ptnet.pntd";
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tokarium_pnml_grammar_test";
    std::filesystem::create_directories(folder);
    NetDocument mixed;
    mixed.newDocument();
    buildMixedNet(mixed.sheet(0));
    std::vector<std::pair<std::string, const NetDocument*>> files{{"mixed.pnml", &mixed}};
    NetDocument samples[3];
    const char* names[] = {"continuous_tanks.pn", "discrete_cycle.pn", "hybrid_valve.pn"};
    for (int i = 0; i < 3; ++i) {
        test::RecordingPrompt prompt;
        std::vector<SheetWindow> windows;
        ASSERT_TRUE(openDocument(samples[i], std::string(TOKARIUM_SOURCE_DIR) + "/examples/" + names[i], prompt, windows));
        files.emplace_back(std::string(names[i]) + "ml", &samples[i]);
    }
    for (const auto& [name, document] : files) {
        const std::filesystem::path path = folder / name;
        ASSERT_TRUE(exportPnmlFile(*document, path.string()));
        const std::string command =
            "xmllint --noout --relaxng '" + grammar.string() + "' '" + path.string() + "' > /dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name << " does not follow the grammar:\n" << readFile(path);
    }
    // A file that breaks the grammar is caught, so the check above means something.
    std::ofstream(folder / "broken.pnml") << "<?xml version=\"1.0\"?><pnml xmlns=\"http://www.pnml.org/version-2009/"
                                             "grammar/pnml\"><net id=\"n\"/></pnml>";
    EXPECT_NE(std::system(("xmllint --noout --relaxng '" + grammar.string() + "' '" + (folder / "broken.pnml").string() +
                           "' > /dev/null 2>&1")
                              .c_str()),
              0);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tokarium
