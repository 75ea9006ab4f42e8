#include <gtest/gtest.h>

#include <set>

#include "gui/model/net_document.h"
#include "gui/model/paper_editor.h"
#include "gui/model/paper_sizes.h"
#include "gui/model/user_prompt.h"

using namespace tokarium;

namespace {

std::string pn(int n) {
    return "PN n\xB0" + std::to_string(n);
}

std::vector<std::string> namesOf(const NetDocument& document) {
    std::vector<std::string> names;
    for (const auto& sheet : document.sheets())
        names.push_back(sheet->name());
    return names;
}

} // namespace

TEST(Sheets, NewSheetHasTheDefaults) {
    NetSheet sheet;
    EXPECT_EQ(sheet.page(), (PageSettings{9, 2100, 2970, kPortrait}));
    EXPECT_EQ(sheet.font(), (Font{"Arial", 9, 0}));
    EXPECT_EQ(sheet.grid(), (GridSettings{10, true, true}));
    EXPECT_EQ(sheet.zoom(), 100);
    EXPECT_EQ(sheet.duration(), 100.0);
    for (std::size_t i = 0; i < FormatTemplates::size(); ++i)
        EXPECT_EQ(sheet.templates().at(i).kind(), kKindsInTemplateOrder[i]);
    EXPECT_EQ(sheet.templates().place(ObjectKind::kContinuousPlace).format().back, 0xCCFFCC);
    EXPECT_TRUE(sheet.priorities().empty());
}

TEST(Documents, NewDocumentAndNewNetsAreNumbered) {
    NetDocument document;
    document.newDocument();
    EXPECT_EQ(namesOf(document), (std::vector<std::string>{pn(1)}));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.title(), "New file");
    document.sheet(0).setInitialised(true);
    document.newSheet();
    document.newSheet();
    EXPECT_EQ(namesOf(document), (std::vector<std::string>{pn(1), pn(2), pn(3)}));
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(document.sheet(0).isInitialised());
}

TEST(Documents, DeletingANetThenAddingOneSkipsTheTakenNumber) {
    NetDocument document;
    document.newDocument();
    document.newSheet();
    document.newSheet();
    SheetListEditor list(document, &document.sheet(1));
    EXPECT_EQ(list.selection(), 1);
    list.deleteSelected();
    ASSERT_TRUE(document.applySheetList(list.entries()));
    EXPECT_EQ(namesOf(document), (std::vector<std::string>{pn(1), pn(3)}));
    document.newSheet();
    EXPECT_EQ(namesOf(document), (std::vector<std::string>{pn(1), pn(3), pn(4)}));
}

TEST(Documents, ANewNetIsNamedByTheCountNotByTheNetItCopies) {
    NetDocument document;
    document.newDocument();
    document.assignUniqueName(document.newSheet(), "Feeder");
    NetSheet& third = document.newSheet();
    EXPECT_EQ(third.name(), pn(3));
    document.assignUniqueName(third, "");
    EXPECT_EQ(third.name(), pn(3));
}

TEST(Documents, CollidingNamesGetTheNextNumber) {
    NetDocument document;
    document.newDocument();
    NetSheet& second = document.newSheet();
    document.assignUniqueName(second, "  Line ");
    EXPECT_EQ(second.name(), "Line");
    NetSheet& third = document.newSheet();
    document.assignUniqueName(third, "Line");
    EXPECT_EQ(third.name(), "Line n\xB0" "1");
    NetSheet& fourth = document.newSheet();
    document.assignUniqueName(fourth, "Line");
    EXPECT_EQ(fourth.name(), "Line n\xB0" "2");
    document.assignUniqueName(fourth, pn(1));
    EXPECT_EQ(fourth.name(), pn(2)) << "PN n°2 is free again";
    document.assignUniqueName(third, "line N\xB0" "x");
    EXPECT_EQ(third.name(), "line N\xB0" "x") << "no collision, kept as typed";
    NetSheet& fifth = document.newSheet();
    document.assignUniqueName(fifth, "line N\xB0" "x");
    EXPECT_EQ(fifth.name(), "line n\xB0" "1") << "a mark without a number counts as 0";
    EXPECT_EQ(document.findSheetByName("Line"), &second);
    EXPECT_EQ(document.findSheetByName("line"), nullptr);
}

TEST(Documents, IdsAreNonzeroAndUnique) {
    NetDocument document;
    document.setRandomSeed(7);
    document.newDocument();
    for (int i = 0; i < 200; ++i)
        document.newSheet();
    std::set<std::int32_t> ids;
    for (const auto& sheet : document.sheets()) {
        EXPECT_NE(sheet->id(), 0);
        ids.insert(sheet->id());
        EXPECT_EQ(document.findSheetById(sheet->id()), sheet.get());
    }
    EXPECT_EQ(ids.size(), document.sheetCount());
}

TEST(Documents, ManagerRenamesReordersAndNeverDeletesTheLastNet) {
    NetDocument document;
    document.newDocument();
    document.newSheet();
    document.setModified(false);
    NetSheet* first = &document.sheet(0);
    NetSheet* second = &document.sheet(1);

    SheetListEditor list(document, nullptr);
    EXPECT_EQ(list.selection(), 0);
    list.rename("");
    EXPECT_EQ(list.selectedName(), pn(1)) << "an empty field keeps the name";
    list.rename("Feeder");
    std::vector<SheetListEntry> reordered{list.entries()[1], list.entries()[0]};
    ASSERT_TRUE(document.applySheetList(reordered));
    EXPECT_EQ(&document.sheet(0), second);
    EXPECT_EQ(first->name(), "Feeder");
    EXPECT_TRUE(document.isModified());

    SheetListEditor shrinking(document, second);
    shrinking.deleteSelected();
    EXPECT_FALSE(shrinking.canDelete());
    shrinking.deleteSelected();
    ASSERT_EQ(shrinking.entries().size(), 1u);
    std::vector<NetSheet*> closed;
    ASSERT_TRUE(document.applySheetList(shrinking.entries(), [&](NetSheet& sheet) { closed.push_back(&sheet); }));
    EXPECT_EQ(closed, (std::vector<NetSheet*>{second}));
    EXPECT_EQ(document.sheetCount(), 1u);
    EXPECT_FALSE(document.applySheetList({}));
    EXPECT_EQ(document.sheetCount(), 1u);
}

TEST(Documents, TitleIsTheFileNameOfThePath) {
    NetDocument document;
    document.setPath("/home/user/nets/a.pn");
    EXPECT_EQ(document.title(), "a.pn");
}

TEST(Messages, PathsAreInsertedIntoTheTexts) {
    EXPECT_EQ(formatMessage(kCantOpenFileMessage, "/tmp/x.pn"), "Can't open file \"/tmp/x.pn\".");
    EXPECT_EQ(formatMessage(kSaveChangesQuestion, "a.pn"), "Save the changes made to \"a.pn\" ?");
}

TEST(Paper, SizesParseWithTheirUnits) {
    EXPECT_EQ(parsePaperSize("21 cm"), 2100);
    EXPECT_EQ(parsePaperSize("210mm"), 2100);
    EXPECT_EQ(parsePaperSize("0.21m"), 2100);
    EXPECT_EQ(parsePaperSize("0.57 m"), 5700) << "0.57 x 10000 is 5699.999999999999 in binary";
    EXPECT_EQ(parsePaperSize("4.1cm"), 410);
    EXPECT_EQ(parsePaperSize("21"), 2100);
    EXPECT_EQ(parsePaperSize("29,7 cm"), 2970);
    EXPECT_EQ(parsePaperSize("-21 cm"), 2100);
    EXPECT_EQ(parsePaperSize("12.345"), 1234) << "truncated";
    EXPECT_EQ(parsePaperSize("wide"), 0);
}

TEST(Paper, TableAndTexts) {
    EXPECT_EQ(paperSizeText(2100), "21 cm");
    EXPECT_EQ(paperSizeText(2159), "21.59 cm");
    const std::pair<std::int32_t, Size> known[] = {{1, {2159, 2794}}, {5, {2159, 3556}}, {9, {2100, 2970}}, {7, {1841, 2667}},
                                                   {11, {1480, 2100}}, {20, {1048, 2413}}, {37, {984, 1905}}, {27, {1100, 2200}},
                                                   {28, {1620, 2290}}, {34, {1760, 2500}}};
    for (auto [code, size] : known)
        EXPECT_EQ(paperSize(code), size) << code;
    EXPECT_EQ(paperSize(68), (Size{2100, 2970}));
    EXPECT_EQ(paperSize(0), (Size{2100, 2970}));
    EXPECT_EQ(orientedPaperSize(9, kLandscape), (Size{2970, 2100}));
    EXPECT_EQ(kPaperChoices[6].label, "Monarch  Env");
    EXPECT_EQ(kPaperChoices.back().code, 68);
}

TEST(Documents, MenuListsTheFirstTwentyNets) {
    NetDocument document;
    document.newDocument();
    for (int i = 0; i < 20; ++i)
        document.newSheet();
    const std::vector<NetSheet*> listed = document.sheetsInMenu();
    ASSERT_EQ(listed.size(), 20u);
    EXPECT_EQ(listed.back(), &document.sheet(19));
}

TEST(PaperDialog, StandardPapersTurnTypedSizesAreCustom) {
    PaperEditor editor(PageSettings{});
    EXPECT_EQ(editor.listPosition(), 2);
    EXPECT_EQ(editor.widthText(), "21 cm");
    EXPECT_EQ(editor.heightText(), "29.7 cm");
    EXPECT_TRUE(editor.orientationEnabled());

    editor.setOrientation(kLandscape);
    EXPECT_EQ(editor.widthText(), "29.7 cm");
    editor.choosePaper(1);
    EXPECT_EQ(editor.widthText(), "27.94 cm");
    EXPECT_EQ(editor.heightText(), "21.59 cm");
    EXPECT_EQ(editor.result(), (PageSettings{1, 2794, 2159, kLandscape}));

    editor.typeWidth("300mm");
    EXPECT_EQ(editor.paperCode(), kCustomPaperCode);
    EXPECT_EQ(editor.listPosition(), 10);
    EXPECT_FALSE(editor.orientationEnabled());
    editor.setOrientation(kPortrait);
    EXPECT_EQ(editor.orientation(), kLandscape);
    EXPECT_EQ(editor.result(), (PageSettings{kCustomPaperCode, 3000, 2159, kLandscape}));

    PaperEditor unlisted(PageSettings{8, 2970, 4200, kPortrait});
    EXPECT_EQ(unlisted.listPosition(), -1);
}
