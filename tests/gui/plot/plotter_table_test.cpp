// The Plotter table of a sheet: columns, merged rows, cells and the saved text.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/plot/plotter_table.h"

namespace tokarium {
namespace {

template <typename Node>
Node& addNode(NetSheet& sheet, ObjectKind kind, std::int32_t index,
              std::initializer_list<std::pair<double, double>> history) {
    auto node = std::make_unique<Node>(kind);
    node->setIndex(index);
    node->setName("named"); // titles use the automatic name
    for (const auto& [time, value] : history)
        node->appendHistory(time, value);
    return static_cast<Node&>(sheet.add(std::move(node)));
}

using Row = std::vector<std::string>;

// P1 changes at 0, 2 and 10; T2 changes at 0 and 5 only; P3 was added after the initialisation and
// P4 recorded its first value at 5.
void buildSheet(NetSheet& sheet) {
    sheet.setDuration(10);
    addNode<Place>(sheet, ObjectKind::kContinuousPlace, 1, {{0, 4}, {2, 2.5}, {10, -1}});
    addNode<Transition>(sheet, ObjectKind::kContinuousTransition, 2, {{0, 1}, {5, 0.125}});
    addNode<Place>(sheet, ObjectKind::kDiscretePlace, 3, {});
    addNode<Place>(sheet, ObjectKind::kContinuousPlace, 4, {{5, 7}});
}

TEST(PlotterTable, ColumnsRowsAndCells) {
    NetSheet sheet;
    buildSheet(sheet);
    const PlotterTable table(sheet);
    EXPECT_EQ(table.headerTexts(), (Row{"Date", "P1.MC", "T2.IV", "P3.MC", "P4.MC", ""}));
    // The window adds each typed name under its column's title.
    EXPECT_EQ(table.namedHeaderTexts(),
              (Row{"Date", "P1.MC\nnamed", "T2.IV\nnamed", "P3.MC\nnamed", "P4.MC\nnamed", ""}));
    EXPECT_EQ(table.times(), (std::vector<double>{0, 2, 5, 10}));
    EXPECT_EQ(table.rowTexts(0), (Row{"0", "4", "1", "", "", ""}));
    EXPECT_EQ(table.rowTexts(1), (Row{"2", "   2.5", "-", "", "", ""}));
    // Only the speed changed at 5: the place that held its value shows "-".
    EXPECT_EQ(table.rowTexts(2), (Row{"5", "-", " 0.125", "", "7", ""}));
    EXPECT_EQ(table.rowTexts(3), (Row{"Fin", "-1", "-", "", "-", ""}));
}

TEST(PlotterTable, SavedTextHasEveryValueAndNoMarks) {
    NetSheet sheet;
    buildSheet(sheet);
    EXPECT_EQ(PlotterTable(sheet).text(), "Date\tP1.MC\tT2.IV\tP3.MC\tP4.MC\r\n"
                                          "0\t4\t1\t\t\r\n"
                                          "2\t2.5\t1\t\t\r\n"
                                          "5\t2.5\t0.125\t\t7\r\n"
                                          "10\t-1\t0.125\t\t7\r\n");
}

TEST(PlotterTable, SheetNeverSimulatedShowsOnlyTheTitles) {
    NetSheet sheet;
    addNode<Place>(sheet, ObjectKind::kContinuousPlace, 1, {});
    const PlotterTable table(sheet);
    EXPECT_EQ(table.rowCount(), 0u);
    EXPECT_EQ(table.text(), "Date\tP1.MC\r\n");
}

TEST(PlotterTable, CellNumbers) {
    EXPECT_EQ(plotterCellText(2), "2");
    EXPECT_EQ(plotterCellText(-0.0), "0");
    EXPECT_EQ(plotterCellText(1e20), "100000000000000000000");
    EXPECT_EQ(plotterCellText(2.5), "   2.5");
    EXPECT_EQ(plotterCellText(1.0 / 3), "0.333333");
    EXPECT_EQ(plotterCellText(1234567.5), "1.23457e+06");
}

TEST(PlotterTable, NumbersIgnoreACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale";
    NetSheet sheet;
    buildSheet(sheet);
    const PlotterTable table(sheet);
    const std::vector<std::string> row = table.rowTexts(1);
    const std::string text = table.text();
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(row[1], "   2.5");
    EXPECT_NE(text.find("\t2.5\t"), std::string::npos);
}

TEST(PlotterFile, ProposedNameAndSaving) {
    EXPECT_EQ(proposedPlotterFileName("/data/a.pn", "/opt/tokarium/tokarium"), "/data/a1.txt");
    EXPECT_EQ(proposedPlotterFileName("", "/opt/tokarium/tokarium"), "/opt/tokarium/tokarium1.txt");

    NetSheet sheet;
    buildSheet(sheet);
    const PlotterTable table(sheet);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tokarium-plot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "a1.txt";
    {
        std::ofstream old(file);
        old << "old content that is longer than nothing";
    }
    ASSERT_TRUE(savePlotterText(table, file.string()));
    std::ifstream saved(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()), table.text());
    EXPECT_FALSE(savePlotterText(table, (folder / "missing" / "b.txt").string()));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tokarium
