// The Simulation menu through the main window's actions, with the real engines copied to a program folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QHelpEvent>
#include <QListWidget>
#include <QProgressBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "gui/bridge/bridge_constants.h"
#include "gui/bridge/run_folder.h"
#include "gui/editor/conflicts_dialog.h"
#include "gui/editor/messages_dialog.h"
#include "gui/editor/painter_surface.h"
#include "gui/editor/sheet_view.h"
#include "gui/editor/stop_conditions_dialog.h"
#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/plot/graph_drawing.h"
#include "gui/shell/engine_wait.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program_services.h"
#include "gui/shell/run_progress.h"
#include "gui/shell/sheet_frame.h"
#include "gui/shell/shell_simulation.h"
#include "gui/shell/status_line.h"
#include "gui/shell/step_controls.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::readBytes;
using tokarium::test::RecordingPrompt;
using tokarium::test::saveScreenshot;
using tokarium::test::TempFolder;

namespace {

constexpr std::string_view kEndOfSimulation = "End of simulation.";
// More steps than any sample document needs before it ends.
constexpr int kStepBound = 50;

// A large picture of the graph alone, as the view draws it, for the manual.
void saveGraphPicture(const Graph& graph, const NetSheet& net, const GraphRenderer& renderer) {
    const QString folder = qEnvironmentVariable("TOKARIUM_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    constexpr int kScale = 3;
    constexpr int kBorder = 4;
    const Rect& rect = graph.rect();
    QImage picture((rect.right - rect.left + 2 * kBorder) * kScale, (rect.bottom - rect.top + 2 * kBorder) * kScale,
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kScale, kScale);
        painter.translate(kBorder - rect.left, kBorder - rect.top);
        PainterSurface surface(painter);
        graph.draw(surface, DrawContext{net.font(), false, &renderer, true});
    }
    QDir().mkpath(folder);
    EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("graph_plot.png"))));
}

// What the commands showed in place of their modal windows.
struct ShownDialog {
    QString title;
    QStringList lines;          // the Messages dialog's list
    std::string proposedFile;   // the Plotter's proposed file name
    std::vector<std::string> plotterHeader;
};

class SimulationTest : public ::testing::Test {
protected:
    SimulationTest()
        : programFolder(), window(QString::fromStdString(programFolder.path().string())),
          simulation(window, bridgeSettings(), prompt, recordingUi()) {
        copyEngine(kContinuousFolder, kContinuousProgram);
        copyEngine(kHybridFolder, kHybridProgram);
        copyEngine(kHybridFolder, kContinuousProgram);
        window.setUserPrompt(&prompt);
        window.setSimulationCommands(&simulation);
        window.editorSession().graphRenderer = &drawer;
    }
    ~SimulationTest() override { window.setSimulationCommands(nullptr); }

    // The engines of the program folder, the runs in its folder "runs".
    BridgeSettings bridgeSettings() const {
        BridgeSettings settings = BridgeSettings::forProgramFolder(programFolder.path());
        settings.runParents = {programFolder.path() / "runs"};
        return settings;
    }

    void copyEngine(std::string_view folder, std::string_view program) {
        std::filesystem::create_directories(programFolder.path() / folder);
        std::filesystem::copy_file(std::filesystem::path(TOKARIUM_BIN_DIR) / folder / program,
                                   programFolder.path() / folder / program);
    }

    SimulationUi recordingUi() {
        SimulationUi ui;
        ui.runDialog = [this](QDialog& dialog) {
            ShownDialog shown;
            shown.title = dialog.windowTitle();
            if (auto* messages = qobject_cast<MessagesDialog*>(&dialog)) {
                for (int row = 0; row < messages->messageList()->count(); ++row)
                    shown.lines << messages->messageList()->item(row)->text();
                if (onMessages)
                    onMessages(*messages);
            }
            if (auto* plotter = qobject_cast<PlotterWindow*>(&dialog)) {
                shown.proposedFile = plotter->proposedFile();
                shown.plotterHeader = plotter->table().headerTexts();
                saveScreenshot(*plotter, QStringLiteral("plotter_window"));
                if (saveFromPlotter)
                    plotter->save();
            }
            dialogs.push_back(shown);
        };
        ui.openFile = [this](const QString& file) {
            openedFiles << file;
            return viewerStarts;
        };
        ui.chooseSaveFile = [](QWidget*, const QString& proposed) { return proposed; };
        return ui;
    }

    // Opens a copy of a sample document from a temporary folder.
    void openExample(const std::string& name) {
        const std::filesystem::path copy = documents.path() / name;
        std::filesystem::copy_file(std::filesystem::path(TOKARIUM_SOURCE_DIR) / "examples" / name, copy);
        ASSERT_TRUE(window.openFile(copy.string()));
    }

    void trigger(SimulationCommand command) {
        window.refreshNow();
        QAction* action = window.commands().simulation[static_cast<std::size_t>(command)];
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }

    // "One Step Forward" until "End of simulation."; the number of steps it took.
    int stepToTheEnd() {
        for (int step = 1; step <= kStepBound; ++step) {
            trigger(SimulationCommand::kOneStepForward);
            if (!prompt.messages.empty())
                return step;
        }
        return -1;
    }

    NetDocument& document() { return *window.documents().front(); }
    NetSheet& sheet(std::size_t position) { return document().sheet(position); }
    double marking(std::size_t sheetPosition, std::int32_t place) {
        return sheet(sheetPosition).findPlace(place)->shownMarking();
    }
    Graph& firstGraph(NetSheet& net) {
        for (NetObject* object : net.objects(maskOf(ObjectKind::kGraph)))
            return static_cast<Graph&>(*object);
        throw std::logic_error("no graph");
    }

    TempFolder programFolder;
    TempFolder documents;
    RecordingPrompt prompt;
    MainWindow window;
    GraphDrawer drawer;
    std::vector<ShownDialog> dialogs;
    QStringList openedFiles;
    bool viewerStarts = true;
    bool saveFromPlotter = false;
    // The main window while stepping, its toolbars and its status bar, for the manual.
    void savePicturesOfTheWindow() {
        if (qEnvironmentVariable("TOKARIUM_SCREENSHOT_DIR").isEmpty())
            return;
        window.resize(1100, 760);
        window.refreshNow();
        saveScreenshot(window, QStringLiteral("main_stepping"));
        saveScreenshot(*window.findChild<QToolBar*>(QStringLiteral("toolbar")), QStringLiteral("toolbar"));
        saveScreenshot(*window.findChild<QToolBar*>(QStringLiteral("steps")), QStringLiteral("step_slider"));
        saveScreenshot(*window.statusBar(), QStringLiteral("status_bar"));
    }

    // Acts on the Messages dialog while it is shown.
    std::function<void(MessagesDialog&)> onMessages;
    ShellSimulation simulation;
};

// The distinct (time, after value) samples of a curve, in order.
std::vector<std::pair<double, double>> samples(const GraphCurve& curve) {
    std::vector<std::pair<double, double>> result;
    for (std::size_t i = 0; i < curve.times.size(); ++i)
        if (result.empty() || result.back() != std::pair(curve.times[i], curve.afterValues[i]))
            result.emplace_back(curve.times[i], curve.afterValues[i]);
    return result;
}

} // namespace

TEST_F(SimulationTest, VerifySaysValidPnOrListsTheMessages) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kVerify);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"Valid PN."});
    EXPECT_EQ(prompt.informations, std::vector<std::string>{"Valid PN."});
    EXPECT_TRUE(dialogs.empty());

    window.newFile();
    prompt.messages.clear();
    trigger(SimulationCommand::kVerify);
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Messages");
    EXPECT_EQ(dialogs[0].lines, (QStringList{"No defined place.", "No defined transition."}));
}

TEST_F(SimulationTest, DoubleClickingAMessageSelectsAndShowsTheObjectsItNames) {
    window.newFile();
    NetSheet& net = sheet(0);
    for (ObjectKind kind : {ObjectKind::kDiscretePlace, ObjectKind::kDiscreteTransition, ObjectKind::kDiscretePlace}) {
        NetObject& node = net.add(createObject(kind));
        static_cast<NetNode&>(node).setIndex(static_cast<std::int32_t>(net.count(maskOf(kind))));
        node.offset(150 * static_cast<std::int32_t>(net.count(kNodeKinds)), 700);
    }
    // P2 feeds T1 with a weight that is not whole; P1 stays isolated.
    auto arc = createObject(ObjectKind::kOrdinaryArc);
    static_cast<Arc&>(*arc).link(*net.findPlace(2), *net.findTransition(1));
    static_cast<Arc&>(*arc).setWeight(1.5);
    Arc& weighted = static_cast<Arc&>(net.add(std::move(arc)));
    SheetView& view = *window.activeView();
    view.resize(500, 400);
    std::vector<std::vector<NetObject*>> selections;
    onMessages = [&](MessagesDialog& dialog) {
        QListWidget& list = *dialog.messageList();
        dialog.show();
        for (int row = 0; row < list.count(); ++row) {
            const QRect item = list.visualItemRect(list.item(row));
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item.center());
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item.center());
            std::vector<NetObject*> selected;
            for (NetObject* object : net.objects(kAllKinds, true))
                selected.push_back(object);
            selections.push_back(selected);
        }
    };
    trigger(SimulationCommand::kVerify);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].lines, (QStringList{"Place P1 without input and output arc.",
                                             "The weight of arc P2 - T1 is not an integer."}));
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_EQ(selections[0], std::vector<NetObject*>{net.findPlace(1)});
    EXPECT_EQ(selections[1], std::vector<NetObject*>{&weighted});
    // The window scrolled the arc's middle towards its own.
    const Rect bounds = weighted.bounds();
    const QPoint centre = view.toWindow(QPoint((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2));
    const QPoint middle = view.windowMiddle();
    EXPECT_TRUE(std::abs(centre.x() - middle.x()) <= 1 || view.horizontalScrollBar()->value() == 0 ||
                view.horizontalScrollBar()->value() == view.horizontalScrollBar()->maximum());
    EXPECT_TRUE(std::abs(centre.y() - middle.y()) <= 1 || view.verticalScrollBar()->value() == 0 ||
                view.verticalScrollBar()->value() == view.verticalScrollBar()->maximum());
}

TEST_F(SimulationTest, FirstFailingSheetComesToTheFrontWithItsMessages) {
    openExample("continuous_tanks.pn");
    window.newSheet();
    NetSheet& empty = sheet(2);
    window.showSheet(document(), sheet(0));
    ASSERT_EQ(&window.activeView()->sheet(), &sheet(0));

    trigger(SimulationCommand::kOneStepForward);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].lines, (QStringList{"No defined place.", "No defined transition."}));
    EXPECT_EQ(&window.activeView()->sheet(), &empty);
    EXPECT_TRUE(sheet(0).isInitialised());
    EXPECT_TRUE(sheet(1).isInitialised());
    EXPECT_FALSE(empty.isInitialised());
    // Nothing was stepped: the first net still shows its initial state.
    EXPECT_EQ(marking(0, 1), 6.0);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(SimulationTest, ContinuousDocumentStepsToTheEndThroughTheMenu) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kOneStepForward);
    EXPECT_EQ(marking(0, 1), 6.0);
    EXPECT_EQ(sheet(0).findTransition(1)->shownValue(), 3.0);

    // Four steps in all: the rows at 0, 2 and 6, then the extrapolation to 9.
    EXPECT_EQ(stepToTheEnd(), 3);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{std::string(kEndOfSimulation)});
    // Two tanks: P1 empties at 2, P2 at 6, the run ends at 9 with everything in P3.
    EXPECT_EQ(marking(0, 1), 0.0);
    EXPECT_EQ(marking(0, 2), 0.0);
    EXPECT_EQ(marking(0, 3), 6.0);
    EXPECT_EQ(sheet(0).simulationRun().clock, 9.0);
    // Shared outlet: T2 and T3 share P2 with ratios 1 and 3.
    EXPECT_EQ(marking(1, 3), 3.0);
    EXPECT_EQ(marking(1, 4), 1.0);
    EXPECT_FALSE(sheet(0).isInitialised());
    EXPECT_FALSE(sheet(1).isInitialised());

    const Graph& graph = firstGraph(sheet(0));
    ASSERT_EQ(graph.curves().size(), 3u);
    using Samples = std::vector<std::pair<double, double>>;
    EXPECT_EQ(samples(graph.curves()[0]), (Samples{{0, 6}, {2, 0}, {6, 0}, {9, 0}}));
    EXPECT_EQ(samples(graph.curves()[1]), (Samples{{0, 0}, {2, 4}, {6, 0}, {9, 0}}));
    EXPECT_EQ(samples(graph.curves()[2]), (Samples{{0, 0}, {2, 2}, {6, 6}, {9, 6}}));
    // The view paints the graph's content with the drawer installed.
    EXPECT_FALSE(window.activeView()->grab().isNull());
    saveGraphPicture(graph, sheet(0), drawer);
}

TEST_F(SimulationTest, GraphsStopAtTheDuration) {
    openExample("continuous_tanks.pn");
    // The second phase of "Two tanks" runs from 2 to 6; the duration 4 cuts it half way.
    sheet(0).setDuration(4);
    stepToTheEnd();
    EXPECT_EQ(prompt.informations, std::vector<std::string>{std::string(kEndOfSimulation)});
    EXPECT_EQ(sheet(0).simulationRun().clock, 4.0);
    const Graph& graph = firstGraph(sheet(0));
    using Samples = std::vector<std::pair<double, double>>;
    EXPECT_EQ(samples(graph.curves()[0]), (Samples{{0, 6}, {2, 0}, {4, 0}}));
    EXPECT_EQ(samples(graph.curves()[1]), (Samples{{0, 0}, {2, 4}, {4, 2}}));
    EXPECT_EQ(samples(graph.curves()[2]), (Samples{{0, 0}, {2, 2}, {4, 4}}));
    PlotterWindow plotter(nullptr, sheet(0), "unused.txt", [](QWidget*, const QString&) { return QString(); });
    const QAbstractItemModel* table = plotter.tableView()->model();
    EXPECT_EQ(table->index(table->rowCount() - 1, 0).data().toString(), "Fin");
}

TEST_F(SimulationTest, AFailingEngineIsToldWithWhatFailedAndWhereItsReportIs) {
    openExample("continuous_tanks.pn");
    const std::filesystem::path engine = programFolder.path() / kContinuousFolder / kContinuousProgram;
    std::filesystem::remove(engine);
    trigger(SimulationCommand::kOneStepForward);
    ASSERT_GE(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0], "The simulation of \"Two tanks\" failed: engine program " + engine.string() +
                                      " not found.");
    EXPECT_EQ(prompt.messages[1], "The simulation of \"Shared outlet\" failed: engine program " + engine.string() +
                                      " not found.");

    // An engine that writes a report and ends with status 3: the report is named.
    std::ofstream(engine) << "#!/bin/sh\necho '<html>broken</html>' > results.htm\nexit 3\n";
    std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    prompt.messages.clear();
    trigger(SimulationCommand::kInitialization);
    ASSERT_GE(prompt.messages.size(), 1u);
    ASSERT_TRUE(sheet(0).simulationRun().folder);
    const std::filesystem::path report = sheet(0).simulationRun().folder->path() / kLongReport;
    EXPECT_NE(prompt.messages[0].find("flowrun ended with status 3"), std::string::npos) << prompt.messages[0];
    EXPECT_NE(prompt.messages[0].find("The engine's report is \"" + report.string() + "\"."), std::string::npos)
        << prompt.messages[0];

    // A report that no viewer can show is named too.
    viewerStarts = false;
    prompt.messages.clear();
    trigger(SimulationCommand::kLongResults);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"No program could be started to show \"" + report.string() +
                                                        "\"; the file is there to open by hand."});
}

TEST_F(SimulationTest, HybridDocumentStepsToTheEndThroughTheMenu) {
    openExample("hybrid_valve.pn");
    const int steps = stepToTheEnd();
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{std::string(kEndOfSimulation)});
    // T1 moves the token to P2 at time 2; T2 then drains P3 into P4 until time 6.
    EXPECT_EQ(marking(0, 1), 0.0);
    EXPECT_EQ(marking(0, 2), 1.0);
    EXPECT_EQ(marking(0, 3), 0.0);
    EXPECT_EQ(marking(0, 4), 4.0);
    EXPECT_EQ(sheet(0).simulationRun().clock, 10.0);
    const Graph& tank = firstGraph(sheet(0));
    ASSERT_EQ(tank.curves().size(), 2u);
    using Samples = std::vector<std::pair<double, double>>;
    EXPECT_EQ(samples(tank.curves()[0]), (Samples{{0, 4}, {2, 4}, {6, 0}, {10, 0}}));
    EXPECT_EQ(samples(tank.curves()[1]), (Samples{{0, 0}, {2, 0}, {6, 4}, {10, 4}}));
}

TEST_F(SimulationTest, StartLeavesTheSheetsNotInitialisedSoTheNextStepRunsAgain) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kStart);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(marking(0, 3), 6.0);
    EXPECT_FALSE(sheet(0).isInitialised());
    EXPECT_FALSE(sheet(1).isInitialised());

    trigger(SimulationCommand::kOneStepForward);
    EXPECT_TRUE(sheet(0).isInitialised());
    EXPECT_EQ(sheet(0).simulationRun().clock, 0.0);
    EXPECT_EQ(marking(0, 1), 6.0);
    EXPECT_EQ(marking(0, 3), 0.0);
}

TEST_F(SimulationTest, StepBackForwardAndTheSliderShowTheRunsTableAgainAndTheRunGoesOnPastIt) {
    openExample("continuous_tanks.pn");
    const auto shownMarkings = [this] {
        std::vector<double> markings;
        for (const NetObject* place : sheet(0).sortedByIndex(kPlaceKinds))
            markings.push_back(static_cast<const Place*>(place)->shownMarking());
        return markings;
    };
    // The initial state, then three steps showing the rows of the engine's table at 0, 2 and 6.
    std::vector<std::vector<double>> shown{shownMarkings()};
    std::vector<double> clocks{0.0};
    for (int step = 0; step < 3; ++step) {
        trigger(SimulationCommand::kOneStepForward);
        shown.push_back(shownMarkings());
        clocks.push_back(sheet(0).simulationRun().clock);
    }
    const ResultMatrix& table = sheet(0).simulationRun().placeResults;
    for (std::size_t row = 0; row < 3; ++row)
        for (std::size_t place = 0; place < 3; ++place)
            EXPECT_EQ(shown[row + 1][place], table.at(row, place + 1)) << row << " " << place;
    EXPECT_EQ(clocks, (std::vector<double>{0, 0, 2, 6}));
    const std::size_t recordedTimes = firstGraph(sheet(0)).curves()[0].times.size();
    const double otherNet = marking(1, 3);

    window.refreshNow();
    StepControls& steps = window.stepControls();
    QSlider& slider = *steps.slider();
    EXPECT_EQ(slider.maximum(), 3);
    EXPECT_EQ(slider.value(), 3);
    ASSERT_TRUE(steps.stepBack()->isEnabled());
    steps.stepBack()->trigger();
    steps.stepBack()->trigger();
    EXPECT_EQ(shownMarkings(), shown[1]);
    EXPECT_EQ(sheet(0).simulationRun().clock, 0.0);
    EXPECT_EQ(slider.value(), 1);
    EXPECT_EQ(steps.position()->text(), "step 1 / 3");
    EXPECT_NE(marking(1, 3), otherNet);
    window.refreshNow();
    EXPECT_EQ(window.statusLine().clock(), "t = 0 / 10   step 1");

    // Forward again over the recorded states: the same markings, no new history.
    trigger(SimulationCommand::kOneStepForward);
    EXPECT_EQ(shownMarkings(), shown[2]);
    EXPECT_EQ(sheet(0).simulationRun().clock, 2.0);
    savePicturesOfTheWindow();
    slider.setValue(3);
    EXPECT_EQ(shownMarkings(), shown[3]);
    EXPECT_EQ(marking(1, 3), otherNet);
    slider.setValue(0);
    EXPECT_EQ(shownMarkings(), shown[0]);
    EXPECT_FALSE(steps.stepBack()->isEnabled());
    slider.setValue(3);
    EXPECT_EQ(firstGraph(sheet(0)).curves()[0].times.size(), recordedTimes);
    EXPECT_TRUE(prompt.messages.empty());

    // Past the recorded states the run goes on to its end, with the histories of a run never stepped back.
    EXPECT_EQ(stepToTheEnd(), 1);
    EXPECT_EQ(sheet(0).simulationRun().clock, 9.0);
    EXPECT_EQ(marking(0, 3), 6.0);
    using Samples = std::vector<std::pair<double, double>>;
    EXPECT_EQ(samples(firstGraph(sheet(0)).curves()[2]), (Samples{{0, 0}, {2, 2}, {6, 6}, {9, 6}}));

    // After the end the slider still shows any state; stepping from there replays up to the end again.
    window.refreshNow();
    EXPECT_EQ(slider.maximum(), 4);
    slider.setValue(2);
    EXPECT_EQ(shownMarkings(), shown[2]);
    prompt.messages.clear();
    EXPECT_EQ(stepToTheEnd(), 2);
    EXPECT_EQ(sheet(0).simulationRun().clock, 9.0);
    window.refreshNow();
    EXPECT_EQ(slider.value(), 4);
}

TEST_F(SimulationTest, InitializationRunsEveryEngineAgain) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kOneStepForward);
    trigger(SimulationCommand::kOneStepForward);
    EXPECT_EQ(marking(0, 1), 0.0);
    trigger(SimulationCommand::kInitialization);
    EXPECT_TRUE(sheet(0).isInitialised());
    EXPECT_EQ(marking(0, 1), 6.0);
    EXPECT_EQ(sheet(0).simulationRun().stepIndex, 0);
}

TEST_F(SimulationTest, SettingsCommandsDiscardTheRunAndMarkTheDocument) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kOneStepForward);
    ASSERT_TRUE(sheet(0).isInitialised());
    ASSERT_FALSE(document().isModified());

    trigger(SimulationCommand::kStopConditions);
    EXPECT_FALSE(sheet(0).isInitialised());
    EXPECT_TRUE(document().isModified());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Stop Conditions");
    // The states recorded under the old settings are gone: nothing to go back to.
    window.refreshNow();
    EXPECT_FALSE(window.stepControls().stepBack()->isEnabled());
    EXPECT_EQ(window.stepControls().slider()->maximum(), 0);

    trigger(SimulationCommand::kOneStepForward);
    document().setModified(false);
    window.showSheet(document(), sheet(1));
    trigger(SimulationCommand::kConflictsResolution);
    EXPECT_FALSE(sheet(0).isInitialised());
    EXPECT_TRUE(document().isModified());
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].title, "Conflicts Resolution");
}

TEST_F(SimulationTest, ConflictsResolutionOfAFaultyNetShowsOnlyTheMessages) {
    window.newFile();
    trigger(SimulationCommand::kConflictsResolution);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Messages");
    EXPECT_TRUE(document().isModified());
}

TEST_F(SimulationTest, PlotterProposesTheDocumentNameWithOneTxtAndSavesTheTable) {
    openExample("continuous_tanks.pn");
    const std::filesystem::path saved = documents.path() / "a.pn";
    ASSERT_TRUE(window.saveFileAs(document(), saved.string()));
    stepToTheEnd();

    saveFromPlotter = true;
    window.showSheet(document(), sheet(0));
    trigger(SimulationCommand::kPlotter);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Plotter");
    const std::filesystem::path proposed = documents.path() / "a1.txt";
    EXPECT_EQ(dialogs[0].proposedFile, proposed.string());
    EXPECT_EQ(dialogs[0].plotterHeader,
              (std::vector<std::string>{"Date", "P1.MC", "T1.IV", "P2.MC", "T2.IV", "P3.MC", ""}));
    const std::string text = readBytes(proposed.string());
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "Date\tP1.MC\tT1.IV\tP2.MC\tT2.IV\tP3.MC\r\n");
    EXPECT_NE(text.find("6\t0\t0\t0\t0\t6\r\n"), std::string::npos) << text;
}

TEST_F(SimulationTest, PlotterWindowShowsTheTableCentredWithDashesAndFin) {
    openExample("continuous_tanks.pn");
    stepToTheEnd();
    const std::filesystem::path proposed = documents.path() / "x1.txt";
    PlotterWindow plotter(nullptr, sheet(0), proposed.string(), [](QWidget*, const QString&) { return QString(); });
    const QAbstractItemModel* table = plotter.tableView()->model();
    ASSERT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->headerData(1, Qt::Horizontal).toString(), "P1.MC");
    ASSERT_GE(table->rowCount(), 3);
    EXPECT_EQ(table->index(0, 1).data().toString(), "6");
    EXPECT_EQ(table->index(2, 1).data().toString(), "-");
    EXPECT_EQ(table->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    // A cancelled file dialog writes nothing.
    plotter.save();
    EXPECT_FALSE(std::filesystem::exists(proposed));
}

TEST_F(SimulationTest, ReportsOpenWhenTheEngineLeftThemAndAreReportedMissingOtherwise) {
    openExample("continuous_tanks.pn");
    trigger(SimulationCommand::kLongResults);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"Can't open file \"results.htm\"."});
    EXPECT_TRUE(openedFiles.isEmpty());

    prompt.messages.clear();
    trigger(SimulationCommand::kInitialization);
    trigger(SimulationCommand::kLongResults);
    trigger(SimulationCommand::kShortResults);
    EXPECT_TRUE(prompt.messages.empty());
    // The reports of the run stay in its working folder, below the runs folder.
    ASSERT_TRUE(sheet(0).simulationRun().folder);
    const std::filesystem::path runFolder = sheet(0).simulationRun().folder->path();
    EXPECT_EQ(runFolder.parent_path(), programFolder.path() / "runs");
    const std::filesystem::path longReport = runFolder / kLongReport;
    const std::filesystem::path shortReport = runFolder / kShortReport;
    EXPECT_EQ(openedFiles, (QStringList{QString::fromStdString(longReport.string()),
                                        QString::fromStdString(shortReport.string())}));
}

TEST_F(SimulationTest, HybridNetsOpenTheHybridEnginesReports) {
    openExample("hybrid_valve.pn");
    trigger(SimulationCommand::kInitialization);
    trigger(SimulationCommand::kShortResults);
    trigger(SimulationCommand::kLongResults);
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_TRUE(sheet(0).simulationRun().folder);
    const std::filesystem::path folder = sheet(0).simulationRun().folder->path();
    EXPECT_EQ(openedFiles, (QStringList{QString::fromStdString((folder / kHybridShortReport).string()),
                                        QString::fromStdString((folder / kHybridLongReport).string())}));
}

TEST_F(SimulationTest, CancellingALongEngineRunEndsItAsAFailedRun) {
    // An engine that would run for a minute and never tells its clock.
    const std::filesystem::path engine = programFolder.path() / kContinuousFolder / kContinuousProgram;
    std::filesystem::remove(engine);
    std::ofstream(engine) << "#!/bin/sh\nsleep 60\n";
    std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    openExample("continuous_tanks.pn");

    // The progress shows at once in this test; its Cancel is clicked as soon as it shows.
    SimulationUi ui = recordingUi();
    ui.progressDelay = std::chrono::milliseconds(0);
    ShellSimulation quick(window, bridgeSettings(), prompt, ui);
    window.setSimulationCommands(&quick);
    RunProgress& progress = window.runProgress();
    QTimer presser;
    QString shownText;
    std::optional<Qt::CursorShape> cursorWhileRunning;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (progress.isHidden())
            return;
        shownText = progress.text();
        if (const QCursor* cursor = QApplication::overrideCursor())
            cursorWhileRunning = cursor->shape();
        QTest::mouseClick(&progress.cancelButton(), Qt::LeftButton);
    });
    presser.start(50);

    const auto begun = std::chrono::steady_clock::now();
    trigger(SimulationCommand::kOneStepForward);
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(20));
    EXPECT_EQ(shownText, "Simulating \"Two tanks\"...") << shownText.toStdString();
    EXPECT_EQ(cursorWhileRunning, Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(progress.isHidden());
    // Both nets end at once: the second one's engine is not even waited for.
    EXPECT_NE(sheet(0).simulationRun().problem.find("stopped by the user"), std::string::npos)
        << sheet(0).simulationRun().problem;
    EXPECT_TRUE(sheet(1).simulationRun().ended);
    // Each net's run is told as failed, then the simulation ends.
    ASSERT_EQ(prompt.messages.size(), 3u);
    EXPECT_NE(prompt.messages[0].find("stopped by the user"), std::string::npos) << prompt.messages[0];
    EXPECT_EQ(prompt.messages[2], std::string(kEndOfSimulation));
    EXPECT_EQ(marking(0, 1), 6.0);
    window.setSimulationCommands(&simulation);
}

TEST_F(SimulationTest, ALongRunShowsItsClockAgainstTheDurationInTheStatusBarUntilEscCancelsIt) {
    // A discrete clock (P1 and T1 of duration 1 in a loop) beside a continuous source T2 filling P2:
    // the hybrid engine handles an event every time unit up to the duration.
    window.newFile();
    NetSheet& net = sheet(0);
    net.setName("Clock");
    net.setDuration(1900);
    const auto node = [&net](ObjectKind kind, std::int32_t index, double value, std::int32_t x) -> NetNode& {
        auto object = createObject(kind);
        auto& made = static_cast<NetNode&>(*object);
        made.setIndex(index);
        if (auto* place = dynamic_cast<Place*>(&made))
            place->setInitialMarking(value);
        else
            static_cast<Transition&>(made).setFt(value);
        made.offset(x, 300);
        return static_cast<NetNode&>(net.add(std::move(object)));
    };
    const auto arc = [&net](NetNode& from, NetNode& to) {
        auto made = createObject(ObjectKind::kOrdinaryArc);
        static_cast<Arc&>(*made).link(from, to);
        net.add(std::move(made));
    };
    NetNode& p1 = node(ObjectKind::kDiscretePlace, 1, 1, 100);
    NetNode& t1 = node(ObjectKind::kDiscreteTransition, 1, 1, 250);
    NetNode& t2 = node(ObjectKind::kContinuousTransition, 2, 1, 400);
    NetNode& p2 = node(ObjectKind::kContinuousPlace, 2, 0, 550);
    arc(p1, t1);
    arc(t1, p1);
    arc(t2, p2);

    SimulationUi ui = recordingUi();
    ui.progressDelay = std::chrono::milliseconds(0);
    ShellSimulation quick(window, bridgeSettings(), prompt, ui);
    window.setSimulationCommands(&quick);
    // Shown and active, so that its shortcuts would work if the run let them through.
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    RunProgress& progress = window.runProgress();
    QTimer watcher;
    QString shownText;
    int shownValue = -1;
    int shownMaximum = -1;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (progress.isHidden() || progress.bar().value() <= 0 || shownValue >= 0)
            return;
        shownText = progress.text();
        shownValue = progress.bar().value();
        shownMaximum = progress.bar().maximum();
        window.resize(1100, 760);
        saveScreenshot(*window.statusBar(), QStringLiteral("status_bar_running"));
        // The window takes no command meanwhile: neither a shortcut nor a click on the sheet.
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QTest::mouseClick(window.activeView()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::keyClick(window.activeView()->viewport(), Qt::Key_Escape);
    });
    watcher.start(20);

    trigger(SimulationCommand::kOneStepForward);
    // "t = n / 1900" with the bar at n / 1900 of its length, for a whole event time n inside the run.
    const QRegularExpressionMatch shown =
        QRegularExpression(QStringLiteral("^Simulating \"Clock\": t = (\\d+) / 1900$")).match(shownText);
    ASSERT_TRUE(shown.hasMatch()) << shownText.toStdString();
    const int clock = shown.captured(1).toInt();
    EXPECT_GE(clock, 1);
    EXPECT_LT(clock, 1901);
    EXPECT_EQ(shownMaximum, 1000);
    EXPECT_EQ(shownValue, std::lround(clock * 1000.0 / 1900));
    EXPECT_EQ(window.documents().size(), 1u);
    EXPECT_TRUE(progress.isHidden());
    EXPECT_NE(net.simulationRun().problem.find("stopped by the user"), std::string::npos)
        << net.simulationRun().problem;
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[1], std::string(kEndOfSimulation));
    window.setSimulationCommands(&simulation);
}

TEST(ProgramServices, InstallTheDialogsTheGraphDrawerAndTheSimulationAndTakeThemOutAgain) {
    TempFolder folder;
    MainWindow window(QString::fromStdString(folder.path().string()));
    RecordingPrompt prompt;
    window.setUserPrompt(&prompt);
    window.newFile();
    QAction* verify = window.commands().simulation[static_cast<std::size_t>(SimulationCommand::kVerify)];
    {
        ProgramServices services(window, BridgeSettings::forProgramFolder(folder.path()));
        EXPECT_NE(window.editorSession().propertiesEditor, nullptr);
        EXPECT_NE(window.editorSession().graphRenderer, nullptr);
        window.refreshNow();
        EXPECT_TRUE(verify->isEnabled());
    }
    EXPECT_EQ(window.editorSession().propertiesEditor, nullptr);
    EXPECT_EQ(window.editorSession().graphRenderer, nullptr);
    window.refreshNow();
    EXPECT_FALSE(verify->isEnabled());
}

TEST_F(SimulationTest, RestingOnALimitedTransitionWhileSteppingTellsWhy) {
    openExample("continuous_tanks.pn");
    window.showSheet(document(), sheet(0));
    SheetView& view = *window.activeView();
    const auto toolTipAt = [&view](const NetNode& node) {
        const Point centre = node.rect().centre();
        const QPoint at = view.toWindow(QPoint(centre.x, centre.y));
        QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    // Not stepping: the tool tip does not explain the speed.
    EXPECT_FALSE(toolTipAt(*sheet(0).findTransition(1)).contains(QStringLiteral("Why:")));
    trigger(SimulationCommand::kOneStepForward);
    trigger(SimulationCommand::kOneStepForward);
    // At time 2, P1 is empty and T1 stops; T2 drains P2 at its maximal speed and needs no explanation.
    ASSERT_EQ(sheet(0).findTransition(1)->shownValue(), 0.0);
    EXPECT_TRUE(toolTipAt(*sheet(0).findTransition(1)).endsWith(QStringLiteral("\nWhy: P1 is empty and nothing feeds it")))
        << toolTipAt(*sheet(0).findTransition(1)).toStdString();
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    ASSERT_NE(tip, nullptr);
    const QString folder = qEnvironmentVariable("TOKARIUM_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        // The sheet around the transition with its tool tip, as the user sees it.
        const Point centre = sheet(0).findTransition(1)->rect().centre();
        const QPoint at = view.toWindow(QPoint(centre.x, centre.y));
        QPixmap picture = view.viewport()->grab(QRect(at - QPoint(160, 120), QSize(520, 240)));
        QPainter painter(&picture);
        painter.drawPixmap(QPoint(172, 140), tip->grab());
        painter.end();
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("speed_tooltip.png"))));
    }
    EXPECT_FALSE(toolTipAt(*sheet(0).findTransition(2)).contains(QStringLiteral("Why:")));
}
