// The exchange commands of the menus: PNML import and export, pictures, the analysis window, CSV.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "gui/editor/page_geometry.h"
#include "gui/editor/sheet_view.h"
#include "gui/shell/analysis_dialog.h"
#include "gui/shell/exchange_commands.h"
#include "gui/shell/main_window.h"
#include "gui/shell/plotter_window.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::readBytes;
using tokarium::test::RecordingPrompt;
using tokarium::test::TempFolder;

namespace {

class ExchangeTest : public ::testing::Test {
protected:
    ExchangeTest() : window(QString::fromStdString(folder.path().string())) {
        window.setUserPrompt(&prompt);
        window.startUp(std::string(TOKARIUM_SOURCE_DIR) + "/examples/continuous_tanks.pn");
        window.exchangeCommands().setFileChooser([this](const QString&, const QString&, bool) { return chosen; });
        window.exchangeCommands().setResolutionChooser([] { return std::optional<int>(100); });
    }

    NetSheet& activeSheet() { return window.activeView()->sheet(); }

    TempFolder folder;
    RecordingPrompt prompt;
    MainWindow window;
    QString chosen;
};

TEST_F(ExchangeTest, ExportedPnmlImportsAsANewDocumentWithTheSameNets) {
    chosen = QString::fromStdString(folder.file("tanks.pnml"));
    window.exchangeCommands().exportPnml()->trigger();
    EXPECT_NE(readBytes(folder.file("tanks.pnml")).find("<pnml"), std::string::npos);

    window.exchangeCommands().importPnml()->trigger();
    ASSERT_EQ(window.documents().size(), 2u);
    const NetDocument& imported = *window.documents()[1];
    EXPECT_TRUE(imported.path().empty());
    ASSERT_EQ(imported.sheetCount(), 2u);
    EXPECT_EQ(imported.sheet(0).name(), "Two tanks");
    EXPECT_EQ(imported.sheet(1).name(), "Shared outlet");
    EXPECT_EQ(imported.sheet(1).count(kNodeKinds), window.documents()[0]->sheet(1).count(kNodeKinds));
    EXPECT_TRUE(prompt.messages.empty());

    // A malformed file is reported and opens nothing.
    test::writeDocumentFile(folder.file("not_pnml.pnml"));
    chosen = QString::fromStdString(folder.file("not_pnml.pnml"));
    window.exchangeCommands().importPnml()->trigger();
    EXPECT_EQ(window.documents().size(), 2u);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("the root element is <tokarium>, not <pnml>"), std::string::npos)
        << prompt.messages[0];
}

TEST_F(ExchangeTest, PicturesOfTheActiveNetInEachFormat) {
    activeSheet().sortedByIndex(kPlaceKinds)[0]->setSelected(true);
    for (const char* name : {"tanks.svg", "tanks.png", "tanks.pdf"}) {
        chosen = QString::fromStdString(folder.file(name));
        window.exchangeCommands().exportPicture()->trigger();
    }
    EXPECT_TRUE(readBytes(folder.file("tanks.svg")).starts_with("<?xml"));
    // The SVG has the grid as printed, one dot per grid point of the page, and none once it is hidden.
    const auto dotCount = [this](const char* name) {
        const std::string svg = readBytes(folder.file(name));
        std::size_t dots = 0;
        for (std::size_t at = svg.find("h0"); at != std::string::npos; at = svg.find("h0", at + 2))
            ++dots;
        return dots;
    };
    const std::size_t gridPoints = gridDots(activeSheet(), pageRect(activeSheet())).size();
    EXPECT_GT(gridPoints, 1000u);
    EXPECT_EQ(dotCount("tanks.svg"), gridPoints);
    EXPECT_TRUE(readBytes(folder.file("tanks.pdf")).starts_with("%PDF"));
    // A4 portrait at 100 dots per inch.
    const QImage png(QString::fromStdString(folder.file("tanks.png")));
    EXPECT_EQ(png.width(), 827);
    EXPECT_EQ(png.height(), 1169);
    EXPECT_TRUE(activeSheet().sortedByIndex(kPlaceKinds)[0]->isSelected()) << "the selection is kept";
    EXPECT_TRUE(prompt.messages.empty());
    activeSheet().grid().shown = false;
    chosen = QString::fromStdString(folder.file("no_grid.svg"));
    window.exchangeCommands().exportPicture()->trigger();
    EXPECT_EQ(dotCount("no_grid.svg"), 0u);
    activeSheet().grid().shown = true;

    chosen = QString::fromStdString(folder.file("tanks.gif"));
    window.exchangeCommands().exportPicture()->trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0], "Can't export the picture: the picture file must end in .svg, .png or .pdf.");
}

TEST_F(ExchangeTest, ChoosingAnInvariantSelectsItsNodes) {
    int refreshes = 0;
    AnalysisDialog dialog(&window, activeSheet(), [&refreshes] { ++refreshes; });
    QListWidget* list = dialog.list();
    ASSERT_GT(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "  P1 + P2 + P3 = 6");
    list->setCurrentRow(2);
    EXPECT_EQ(refreshes, 1);
    std::vector<std::string> selected;
    for (NetObject* object : activeSheet().objects(kAllKinds, true))
        selected.push_back(static_cast<NetNode*>(object)->displayName());
    EXPECT_EQ(selected, (std::vector<std::string>{"P1", "P2", "P3"}));
    // A title row changes nothing.
    list->setCurrentRow(1);
    EXPECT_EQ(refreshes, 1);
    list->setCurrentRow(2);
    dialog.show();
    test::saveScreenshot(dialog, "analysis_dialog");
}

TEST_F(ExchangeTest, PlotterSavesItsTableAsCsv) {
    const std::string path = folder.file("table.csv");
    QString proposed;
    PlotterWindow plotter(
        nullptr, activeSheet(), folder.file("tanks1.txt"), [](QWidget*, const QString&) { return QString(); },
        [&](QWidget*, const QString& suggestion) {
            proposed = suggestion;
            return QString::fromStdString(path);
        });
    plotter.saveCsvButton()->click();
    EXPECT_EQ(proposed.toStdString(), folder.file("tanks1.csv"));
    // No run yet: the header alone.
    EXPECT_EQ(readBytes(path), "time,P1,T1,P2,T2,P3\r\n");
}

} // namespace
