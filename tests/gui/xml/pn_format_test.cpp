#include "pn_test_support.h"

#include "gui/xml/pn_objects.h"
#include "gui/xml/pn_sheet.h"
#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include <random>
#include <sstream>

using namespace tokarium;
using namespace tokarium::test;

namespace {

constexpr std::int32_t kSheetId = 4242;

std::string objectText(const NetObject& object) {
    std::ostringstream out(std::ios::out | std::ios::binary);
    XmlWriter writer(out);
    writeObject(object, writer);
    return out.str().substr(std::string("<?xml version=\"1.0\"?>\r\n").size());
}

GraphCurve curve(std::int32_t sheetId, std::int32_t placeIndex, Colour colour) {
    GraphCurve made;
    made.sheetId = sheetId;
    made.placeIndex = placeIndex;
    made.colour = colour;
    return made;
}

const char* const kArcTemplate = "\t\t\t<color line=\"0\" back=\"0\" fore=\"16777215\"/>\r\n"
                                 "\t\t\t<format display=\"0\"/>\r\n"
                                 "\t\t\t<p>1</p>\r\n";

// A net with every kind of object and non-default values everywhere.
void fillRichSheet(NetSheet& sheet) {
    sheet.setName("Feeder \xE9t\xE9 <1>");
    sheet.setId(77);
    sheet.page() = PageSettings{1, 2159, 2794, kLandscape};
    sheet.font() = Font{"Courier New", 12, 3};
    sheet.grid() = GridSettings{20, false, true};
    sheet.setZoom(150);
    sheet.setDuration(12.5);
    sheet.templates().place(ObjectKind::kDiscretePlace).setInitialMarking(3);
    sheet.templates().place(ObjectKind::kDiscretePlace).format().back = 0x123456;
    sheet.templates().transition(ObjectKind::kContinuousTransition).setFt(-1);
    sheet.templates().legend().setFont(Font{"Times", 14, 1});

    Place& p1 = addPlace(sheet, ObjectKind::kDiscretePlace, 1, {100, 100});
    p1.setInitialMarking(2);
    p1.setName("Buffer");
    Place& p2 = addPlace(sheet, ObjectKind::kContinuousPlace, 2, {300, 100});
    p2.setInitialMarking(-1);
    Transition& t1 = addTransition(sheet, ObjectKind::kDiscreteTransition, 1, {200, 50});
    t1.setFt(0.1);
    Transition& t2 = addTransition(sheet, ObjectKind::kContinuousTransition, 2, {200, 150});
    t2.setFt(-1);
    t2.format().width = 3;
    Transition& t3 = addTransition(sheet, ObjectKind::kContinuousTransition, 3, {200, 250});
    t3.setFt(1.0 / 3.0);
    addArc(sheet, ObjectKind::kOrdinaryArc, p1, t1);
    Arc& routed = addArc(sheet, ObjectKind::kGeneralizedArc, t1, p2);
    routed.setWeight(2.5);
    routed.setRoute({{250, 40}, {270, 60}, {290, 80}});
    addArc(sheet, ObjectKind::kOrdinaryArc, p2, t2);
    addArc(sheet, ObjectKind::kOrdinaryArc, p2, t3);
    auto& legend = addObject<Legend>(sheet, ObjectKind::kLegend);
    legend.setRect({10, 300, 190, 360});
    legend.setText("Two lines\nwith \"quotes\" & <tags>_");
    legend.format().style = 3;
    auto& graph = addObject<Graph>(sheet, ObjectKind::kGraph);
    graph.setRect({400, 0, 580, 120});
    graph.setTitle("Markings");
    graph.setXLabel("time");
    graph.setYLabel("tokens");
    graph.format().display = 3;
    graph.curves().push_back(curve(77, 2, 0x0000FF));
    graph.curves().push_back(curve(78, 1, 0x00FF00));

    PriorityEntry entry;
    entry.placeIndex = 2;
    entry.addElement(2, 1, 1.0);
    entry.addElement(3, 1, 2.5);
    sheet.priorities().push_back(entry);
}

} // namespace

TEST(PnFormat, NewDocumentHasTheFixedLayout) {
    NetDocument document;
    document.newDocument();
    document.sheet(0).setId(kSheetId);
    std::string text = documentText(document, {ViewPlacement{kSheetId, Rect{}}});
    std::string expected = std::string("<?xml version=\"1.0\"?>\r\n") +
        "<tokarium version=\"1.0.0.0\">\r\n"
        "\t<sheet name=\"PN n&#176;1\" id=\"4242\">\r\n"
        "\t\t<paper width=\"2100\" paper=\"9\" height=\"2970\" orientation=\"1\"/>\r\n"
        "\t\t<font name=\"Arial\" style=\"0\" size=\"9\"/>\r\n"
        "\t\t<grid show=\"1\" size=\"10\" align=\"1\"/>\r\n"
        "\t\t<arc_o>\r\n" + kArcTemplate + "\t\t</arc_o>\r\n"
        "\t\t<arc_g>\r\n" + kArcTemplate + "\t\t</arc_g>\r\n"
        "\t\t<place_d>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"40\" right=\"40\"/>\r\n"
        "\t\t\t<color line=\"0\" back=\"16764057\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t\t<mi>0</mi>\r\n"
        "\t\t</place_d>\r\n"
        "\t\t<place_c>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"40\" right=\"40\"/>\r\n"
        "\t\t\t<color line=\"0\" back=\"13434828\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t\t<mi>0</mi>\r\n"
        "\t\t</place_c>\r\n"
        "\t\t<transition_d>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"7\" right=\"40\"/>\r\n"
        "\t\t\t<color line=\"16737843\" back=\"16737843\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t\t<ft>1</ft>\r\n"
        "\t\t</transition_d>\r\n"
        "\t\t<transition_c>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"7\" right=\"40\"/>\r\n"
        "\t\t\t<color line=\"6723891\" back=\"16777215\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t\t<ft>1</ft>\r\n"
        "\t\t</transition_c>\r\n"
        "\t\t<graphic>\r\n"
        "\t\t\t<title></title>\r\n"
        "\t\t\t<xlabel></xlabel>\r\n"
        "\t\t\t<ylabel></ylabel>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"120\" right=\"180\"/>\r\n"
        "\t\t\t<color line=\"0\" back=\"16777215\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t</graphic>\r\n"
        "\t\t<legend>\r\n"
        "\t\t\t<rect top=\"0\" left=\"0\" bottom=\"60\" right=\"180\"/>\r\n"
        "\t\t\t<color line=\"-1\" back=\"-1\" fore=\"0\"/>\r\n"
        "\t\t\t<format display=\"0\"/>\r\n"
        "\t\t\t<font name=\"Arial\" style=\"0\" size=\"9\"/>\r\n"
        "\t\t\t<text></text>\r\n"
        "\t\t</legend>\r\n"
        "\t\t<simulator duration=\"100\"/>\r\n"
        "\t\t<priorities>\r\n"
        "\t\t</priorities>\r\n"
        "\t\t<objects>\r\n"
        "\t\t</objects>\r\n"
        "\t</sheet>\r\n"
        "\t<view top=\"0\" left=\"0\" id=\"4242\" bottom=\"0\" right=\"0\"/>\r\n"
        "</tokarium>\r\n";
    EXPECT_EQ(text, expected);
}

TEST(PnFormat, ObjectElements) {
    NetSheet sheet;
    Place& place = addPlace(sheet, ObjectKind::kDiscretePlace, 2, {30, 30});
    place.setRect({10, 10, 50, 50});
    EXPECT_EQ(objectText(place), "<place_d id=\"2\">\r\n"
                                 "\t<rect top=\"10\" left=\"10\" bottom=\"50\" right=\"50\"/>\r\n"
                                 "\t<color line=\"0\" back=\"16764057\" fore=\"0\"/>\r\n"
                                 "\t<format display=\"0\"/>\r\n"
                                 "\t<mi>0</mi>\r\n"
                                 "</place_d>\r\n");
    place.setName("In");
    EXPECT_EQ(objectText(place).substr(0, 28), "<place_d name=\"In\" id=\"2\">\r\n");

    Transition& infinite = addTransition(sheet, ObjectKind::kContinuousTransition, 1, {100, 30});
    infinite.setFt(-1);
    infinite.format().width = 2;
    infinite.format().style = 1;
    std::string transitionText = objectText(infinite);
    EXPECT_NE(transitionText.find("\t<ft>-1</ft>\r\n"), std::string::npos);
    EXPECT_NE(transitionText.find("\t<format width=\"2\" style=\"1\" display=\"0\"/>\r\n"), std::string::npos);

    Arc& arc = addArc(sheet, ObjectKind::kGeneralizedArc, infinite, place);
    arc.setRoute({{60, 20}});
    EXPECT_EQ(objectText(arc), "<arc_g down=\"2\" up=\"-1\">\r\n"
                               "\t<point x=\"60\" y=\"20\"/>\r\n"
                               "\t<color line=\"0\" back=\"0\" fore=\"16777215\"/>\r\n"
                               "\t<format display=\"0\"/>\r\n"
                               "\t<p>1</p>\r\n"
                               "</arc_g>\r\n");

    auto& graph = addObject<Graph>(sheet, ObjectKind::kGraph);
    graph.curves().push_back(curve(9, 2, 255));
    EXPECT_NE(objectText(graph).find("\t<curve place=\"2\" rdp=\"9\" color=\"255\"/>\r\n"), std::string::npos);
}

TEST(PnFormat, ZoomIsWrittenOnlyWhenNotOneHundred) {
    NetSheet sheet;
    EXPECT_EQ(sheetText(sheet).find("<zoom>"), std::string::npos);
    sheet.setZoom(150);
    EXPECT_NE(sheetText(sheet).find("\t<grid show=\"1\" size=\"10\" align=\"1\"/>\r\n\t<zoom>150</zoom>\r\n"),
              std::string::npos);
}

TEST(PnFormat, WrittenReadAndWrittenAgainIsByteIdentical) {
    NetDocument document;
    document.newDocument();
    fillRichSheet(document.newSheet());
    document.sheet(0).setId(76);
    std::vector<ViewPlacement> views = {{77, Rect{10, 20, 400, 300}}, {76, Rect{}}};
    std::string first = documentText(document, views);

    NetDocument reread;
    ReadOutcome outcome = readDocumentText(reread, first);
    ASSERT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    EXPECT_EQ(outcome.versionQuestions, 0);
    ASSERT_EQ(reread.sheetCount(), 2u);
    ASSERT_EQ(outcome.windows.size(), 2u);
    EXPECT_EQ(outcome.windows[0].sheet, &reread.sheet(1));
    EXPECT_EQ(outcome.windows[0].rect, (Rect{10, 20, 400, 300}));
    EXPECT_EQ(outcome.windows[1].sheet, &reread.sheet(0));
    EXPECT_EQ(outcome.windows[1].rect, Rect{});
    EXPECT_EQ(documentText(reread, views), first);

    const NetSheet& sheet = reread.sheet(1);
    EXPECT_EQ(sheet.name(), "Feeder \xE9t\xE9 <1>");
    EXPECT_EQ(sheet.count(kArcKinds), 4u);
    const Place* buffer = sheet.findPlace(1);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->name(), "Buffer");
    EXPECT_EQ(buffer->shownMarking(), 2.0);
    EXPECT_EQ(buffer->outputArcs().size(), 1u);
    EXPECT_EQ(sheet.findTransition(2)->ft(), -1.0);
    EXPECT_EQ(sheet.duration(), 12.5);
    EXPECT_EQ(sheet.templates().legend().font(), (Font{"Times", 14, 1}));
    ASSERT_EQ(sheet.priorities().size(), 1u);
    EXPECT_EQ(sheet.priorities()[0].ratios, (std::vector<double>{1.0, 2.5}));
}

TEST(PnFormat, LegendTemplateIsWrittenWithoutText) {
    NetSheet sheet;
    sheet.templates().legend().setText("not saved");
    std::string text = sheetText(sheet);
    EXPECT_EQ(text.find("not"), std::string::npos);
    EXPECT_EQ(sheet.templates().legend().text(), "not saved");
}

TEST(PnFormat, AlternativeTransitionNamesReadAsTheTwoKinds) {
    NetDocument document;
    ReadOutcome outcome = readDocumentText(document,
        "<?xml version=\"1.0\"?><tokarium version=\"1.0.0.0\"><sheet name=\"A\" id=\"5\"><objects>"
        "<transition_td id=\"1\"><rect left=\"0\" top=\"0\" right=\"40\" bottom=\"7\"/><ft>2</ft></transition_td>"
        "<TRANSITION_VD id=\"2\"><ft>-1</ft></TRANSITION_VD>"
        "</objects></sheet></tokarium>");
    ASSERT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    const NetSheet& sheet = document.sheet(0);
    ASSERT_NE(sheet.findTransition(1), nullptr);
    EXPECT_EQ(sheet.findTransition(1)->kind(), ObjectKind::kDiscreteTransition);
    EXPECT_EQ(sheet.findTransition(1)->ft(), 2.0);
    EXPECT_EQ(sheet.findTransition(1)->shownValue(), 2.0);
    ASSERT_NE(sheet.findTransition(2), nullptr);
    EXPECT_EQ(sheet.findTransition(2)->kind(), ObjectKind::kContinuousTransition);
    std::string text = sheetText(sheet);
    EXPECT_NE(text.find("<transition_d id=\"1\">"), std::string::npos);
    EXPECT_NE(text.find("<transition_c id=\"2\">"), std::string::npos);
    EXPECT_EQ(text.find("_td"), std::string::npos);
    EXPECT_EQ(text.find("_vd"), std::string::npos);
}

TEST(PnFormat, ArcsThatCannotBeResolvedAndDuplicateNodesAreDropped) {
    NetDocument document;
    ReadOutcome outcome = readDocumentText(document,
        "<?xml version=\"1.0\"?><tokarium version=\"1\"><sheet><objects>"
        "<place_d id=\"1\"><mi>1</mi></place_d>"
        "<place_d id=\"1\"><mi>9</mi></place_d>"
        "<place_c id=\"2\"/>"
        "<transition_d id=\"1\"/>"
        "<arc_o up=\"5\" down=\"-1\"/>"
        "<arc_o up=\"1\" down=\"2\"/>"
        "<arc_o up=\"1\" down=\"-1\"><p>3</p></arc_o>"
        "<arc_g up=\"1\" down=\"-1\"/>"
        "<arc_g up=\"-1\" down=\"2\"/>"
        "</objects></sheet></tokarium>");
    ASSERT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    const NetSheet& sheet = document.sheet(0);
    EXPECT_EQ(sheet.count(kPlaceKinds), 2u);
    EXPECT_EQ(sheet.findPlace(1)->initialMarking(), 1.0);
    ASSERT_EQ(sheet.count(kArcKinds), 2u);
    const Arc* first = nullptr;
    for (NetObject* object : sheet.objects(kArcKinds)) {
        first = static_cast<const Arc*>(object);
        break;
    }
    EXPECT_EQ(first->weight(), 3.0);
    EXPECT_EQ(first->from(), sheet.findPlace(1));
    EXPECT_EQ(sheet.findPlace(2)->inputArcs().size(), 1u);
}

TEST(PnFormat, UnknownElementsAndAttributesAreSkippedAtEveryLevel) {
    NetDocument document;
    ReadOutcome outcome = readDocumentText(document,
        "<?xml version=\"1.0\" encoding=\"x\"?>\r\n<Tokarium version=\"1.0.0.0\" extra=\"1\">"
        "<future><sheet name=\"hidden\"/></future>"
        "<?note a=\"1\"?>loose text"
        "<SHEET name=\"Main\" id=\"9\" colour=\"red\"><paper width=\"100\"/><unknown a=\"1\"><b/></unknown>"
        "<zoom>75</zoom><simulator duration=\"2,5\"/>"
        "<priorities><priority place=\"3\"><transition id=\"5\"/><other/><transition id=\"2\" priority=\"-1\"/>"
        "</priority><junk/></priorities>"
        "<objects><place_d id=\"3\" size=\"big\"><mi>4</mi><shape round=\"1\"><mi>8</mi></shape><rect left=\"1\"/></place_d>"
        "<circle id=\"4\"/></objects></SHEET>"
        "<view id=\"123\"/></Tokarium>");
    ASSERT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    ASSERT_EQ(document.sheetCount(), 1u);
    const NetSheet& sheet = document.sheet(0);
    EXPECT_EQ(sheet.name(), "Main");
    EXPECT_EQ(sheet.id(), 9);
    EXPECT_EQ(sheet.page().width, 100);
    EXPECT_EQ(sheet.page().height, 2970);
    EXPECT_EQ(sheet.zoom(), 75);
    EXPECT_EQ(sheet.duration(), 2.5);
    ASSERT_EQ(sheet.priorities().size(), 1u);
    const PriorityEntry& entry = sheet.priorities()[0];
    EXPECT_EQ(entry.placeIndex, 3);
    EXPECT_EQ(entry.transitionIndices, (std::vector<std::int32_t>{5, 2}));
    EXPECT_EQ(entry.priorities, (std::vector<std::int32_t>{0, -1}));
    EXPECT_EQ(entry.ratios, (std::vector<double>{0.0, 0.0}));
    ASSERT_EQ(sheet.size(), 1u);
    const Place* place = sheet.findPlace(3);
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->initialMarking(), 4.0);
    EXPECT_EQ(place->rect().left, 1);
    // The view names no sheet, so the first sheet gets a window with the default placement.
    ASSERT_EQ(outcome.windows.size(), 1u);
    EXPECT_EQ(outcome.windows[0].sheet, &sheet);
    EXPECT_FALSE(outcome.windows[0].rect.has_value());
}

TEST(PnFormat, ViewsChooseTheWindows) {
    NetDocument document;
    document.newDocument();
    document.newSheet();
    document.sheet(0).setId(1);
    document.sheet(1).setId(2);
    std::string text = documentText(document, {{2, Rect{0, 0, 300, 200}}});
    NetDocument second;
    ReadOutcome outcome = readDocumentText(second, text);
    ASSERT_EQ(outcome.windows.size(), 1u);
    EXPECT_EQ(outcome.windows[0].sheet, &second.sheet(1));

    NetDocument none;
    outcome = readDocumentText(none, documentText(document, {}));
    ASSERT_EQ(outcome.windows.size(), 1u);
    EXPECT_EQ(outcome.windows[0].sheet, &none.sheet(0));
    EXPECT_FALSE(outcome.windows[0].rect.has_value());
}

TEST(PnFormat, VersionAndRootChecks) {
    NetDocument document;
    const std::string sheet = "<sheet name=\"A\" id=\"1\"/>";
    ReadOutcome outcome = readDocumentText(document, "<?xml?><tokarium version=\"2.0\">" + sheet + "</tokarium>");
    EXPECT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    EXPECT_EQ(outcome.versionQuestions, 0);

    NetDocument missing;
    outcome = readDocumentText(missing, "<?xml?><tokarium>" + sheet + "</tokarium>", false);
    EXPECT_EQ(outcome.status, DocumentReadStatus::kVersionRefused);
    EXPECT_EQ(outcome.versionQuestions, 1);
    outcome = readDocumentText(missing, "<?xml?><tokarium version=\"\">" + sheet + "</tokarium>", true);
    EXPECT_EQ(outcome.status, DocumentReadStatus::kLoaded);
    EXPECT_EQ(outcome.versionQuestions, 1);

    NetDocument other;
    EXPECT_EQ(readDocumentText(other, "<?xml?><other version=\"1\">" + sheet).status,
              DocumentReadStatus::kIncorrectFormat);
    EXPECT_EQ(readDocumentText(other, "<tokarium version=\"1\">" + sheet).status,
              DocumentReadStatus::kIncorrectFormat);
    EXPECT_EQ(readDocumentText(other, "<?xml?><tokarium version=\"1\"><view id=\"1\"/></tokarium>").status,
              DocumentReadStatus::kNoSheet);
    EXPECT_EQ(readDocumentText(other, "<?xml?><tokarium version=\"1\"/>").status, DocumentReadStatus::kNoSheet);
}

// The document as read, or the status that refused it; a refused document must hold nothing.
DocumentReadStatus statusOf(const std::string& text) {
    NetDocument document;
    const ReadOutcome outcome = readDocumentText(document, text);
    if (outcome.status != DocumentReadStatus::kLoaded) {
        EXPECT_EQ(outcome.windows.size(), 0u);
        EXPECT_EQ(document.sheetCount(), 0u);
    }
    return outcome.status;
}

TEST(PnFormat, TruncatedFilesAreRefusedWhole) {
    NetDocument document;
    document.newDocument();
    fillRichSheet(document.newSheet());
    const std::string full = documentText(document, {});
    const std::size_t rootEnd = full.find("</tokarium>") + std::string_view("</tokarium>").size();
    // Cut anywhere before the end of the root, the file is refused; a whole first sheet is no excuse.
    for (std::size_t cut = 0; cut < rootEnd; ++cut)
        ASSERT_EQ(statusOf(full.substr(0, cut)), DocumentReadStatus::kIncorrectFormat) << cut;
    EXPECT_EQ(statusOf(full.substr(0, rootEnd)), DocumentReadStatus::kLoaded);
}

TEST(PnFormat, DeletedTagsAndBadNumbersRefuseTheFile) {
    NetDocument document;
    document.newDocument();
    fillRichSheet(document.newSheet());
    const std::string full = documentText(document, {});
    ASSERT_EQ(statusOf(full), DocumentReadStatus::kLoaded);

    // Every start tag of an element with content, and every end tag, deleted one at a time.
    int deleted = 0;
    for (std::size_t at = full.find('<'); at != std::string::npos; at = full.find('<', at + 1)) {
        const std::size_t end = full.find('>', at);
        const bool instruction = full[at + 1] == '?';
        const bool empty = full[end - 1] == '/';
        if (instruction || empty || full.compare(at, 10, "<tokarium ") == 0)
            continue;
        std::string damaged = full;
        damaged.erase(at, end + 1 - at);
        EXPECT_EQ(statusOf(damaged), DocumentReadStatus::kIncorrectFormat) << full.substr(at, end + 1 - at);
        ++deleted;
    }
    EXPECT_GT(deleted, 40);

    // Number fields holding what is not a finite number.
    const struct {
        const char* field;  // text that starts the field's value
        const char* bad;
    } numbers[] = {
        {"<mi>", "nan"}, {"<mi>", "inf"}, {"<mi>", "12abc"}, {"<ft>", "1e999"}, {"<ft>", ""},
        {"<p>", "-nan"}, {"duration=\"", "inf"}, {"left=\"", "x"}, {"width=\"", "1.5.5"},
    };
    for (const auto& number : numbers) {
        std::string damaged = full;
        const std::size_t at = damaged.find(number.field);
        ASSERT_NE(at, std::string::npos) << number.field;
        const std::size_t value = at + std::strlen(number.field);
        damaged.replace(value, damaged.find_first_of("<\"", value) - value, number.bad);
        EXPECT_EQ(statusOf(damaged), DocumentReadStatus::kIncorrectFormat) << number.field << number.bad;
    }
}

TEST(PnFormat, DamagedDocumentsNeverCrashTheReader) {
    NetDocument document;
    document.newDocument();
    fillRichSheet(document.newSheet());
    const std::string full = documentText(document, {{77, Rect{1, 2, 3, 4}}});
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = full;
        int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes; ++i) {
            std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0:
                bytes[at] = static_cast<char>(random() & 0xFF);
                break;
            case 1:
                bytes.erase(at, 1 + random() % 40);
                break;
            default:
                bytes.insert(at, bytes.substr(random() % bytes.size(), 1 + random() % 60));
                break;
            }
        }
        NetDocument damaged;
        ReadOutcome outcome = readDocumentText(damaged, bytes.substr(0, random() % (bytes.size() + 1)));
        if (outcome.status == DocumentReadStatus::kLoaded) {
            EXPECT_FALSE(outcome.windows.empty());
            for (const SheetWindow& window : outcome.windows)
                EXPECT_NE(window.sheet, nullptr);
            // Whatever was read can be written again.
            EXPECT_FALSE(documentText(damaged, {}).empty());
        }
    }
}
