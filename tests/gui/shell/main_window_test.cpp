#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "gui/editor/sheet_view.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/shell/main_window.h"
#include "gui/shell/pn_properties_dialog.h"
#include "gui/shell/pns_manager_dialog.h"
#include "gui/shell/sheet_frame.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::pnName;
using tokarium::test::RecordingPrompt;
using tokarium::test::TempFolder;

namespace {

// The menu's items: texts, "-" for separators and "Name>" for submenus.
QStringList itemsOf(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            items << QStringLiteral("-");
        else if (action->menu())
            items << action->text() + QLatin1Char('>');
        else
            items << action->text();
    }
    return items;
}

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (const QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

QString keysOf(const QAction* action) {
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts())
        keys << key.toString(QKeySequence::PortableText);
    return keys.join(QStringLiteral(", "));
}

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

// Runs the action on the modal dialog of the type once it is shown (from inside its exec()).
template <typename Dialog>
void whenDialogOpens(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenDialogOpens<Dialog>(act);
            return;
        }
        act(*dialog);
    });
}

class RecordingSimulation : public SimulationCommands {
public:
    bool isEnabled(SimulationCommand, const SimulationTarget&) const override { return true; }
    void run(SimulationCommand command, const SimulationTarget& target) override {
        commands.push_back(command);
        sheets.push_back(target.sheet);
    }
    std::vector<SimulationCommand> commands;
    std::vector<NetSheet*> sheets;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : window(QString::fromStdString(folder.path().string())) { window.setUserPrompt(&prompt); }

    NetDocument& activeDocument() { return window.activeView()->document(); }
    NetSheet& activeSheet() { return window.activeView()->sheet(); }

    void addPlace(NetSheet& sheet, double marking) {
        auto place = createObject(ObjectKind::kContinuousPlace);
        static_cast<Place&>(*place).setInitialMarking(marking);
        sheet.add(std::move(place));
    }

    TempFolder folder;
    RecordingPrompt prompt;
    MainWindow window;
};

} // namespace

TEST_F(MainWindowTest, MenuBarWithADocumentHasEveryItemAndSeparator) {
    window.startUp(std::nullopt);
    ASSERT_EQ(window.documents().size(), 1u);
    EXPECT_EQ(menuTitles(window.menuBar()), (QStringList{"&File", "&Edit", "&Insert", "&View", "F&ormat",
                                                         "&Simulation", "&PN", "&?"}));
    const QList<QAction*> menus = window.menuBar()->actions();
    EXPECT_EQ(itemsOf(menus[0]->menu()),
              (QStringList{"New", "Open...", "Close", "Save", "Save As...", "-", "Import PNML...", "Export PNML...",
                           "Export picture...", "-", "Print...", "Print Preview", "Print Setup...", "-", "...", "-",
                           "Exit"}));
    EXPECT_EQ(itemsOf(menus[1]->menu()),
              (QStringList{"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
    EXPECT_EQ(itemsOf(menus[2]->menu()), (QStringList{"Place>", "Transition>", "Arc>", "-", "Graphs", "Legend"}));
    const QList<QAction*> insert = menus[2]->menu()->actions();
    EXPECT_EQ(itemsOf(insert[0]->menu()), (QStringList{"Discrete", "Continuous"}));
    EXPECT_EQ(itemsOf(insert[1]->menu()), (QStringList{"Constant Duration", "Constant Maximal Speed"}));
    EXPECT_EQ(itemsOf(insert[2]->menu()), (QStringList{"Ordinary", "Generalized"}));
    EXPECT_EQ(itemsOf(menus[3]->menu()),
              (QStringList{"Toolbar", "-", "Grid", "Align Grid", "-", "Rotate", "-", "Zoom>"}));
    EXPECT_EQ(itemsOf(menus[3]->menu()->actions().back()->menu()),
              (QStringList{"25%", "50%", "75%", "100%", "150%", "200%", "500%", "-", "Zoom In", "Zoom Out",
                           "Fit to Window"}));
    EXPECT_EQ(itemsOf(menus[4]->menu()),
              (QStringList{"Renumber", "-", "Copy Format", "Paste Format", "-", "Properties..."}));
    EXPECT_EQ(itemsOf(menus[5]->menu()),
              (QStringList{"Verify...", "Conflicts Resolution...", "Stop Conditions...", "-", "Initialization",
                           "One Step Forward", "Step Back", "Start", "-", "Plotter...", "Short Results...",
                           "Long Results..."}));
    window.rebuildSheetMenu();
    EXPECT_EQ(itemsOf(menus[6]->menu()), (QStringList{"New PN", "Duplicate PN", "-", "PN's Properties...",
                                                      "PNs Manager...", "Arrange PNs", "Tile Windows",
                                                      "Cascade Windows", "-", "Analysis...", "-", latin1(pnName(1))}));
    EXPECT_EQ(itemsOf(menus[7]->menu()), (QStringList{"Help...", "-", "About Tokarium..."}));
}

TEST_F(MainWindowTest, MenuBarWithoutADocumentHasFileAndHelpOnly) {
    window.startUp(std::nullopt);
    ASSERT_TRUE(window.closeActiveDocument());
    EXPECT_TRUE(window.documents().empty());
    EXPECT_EQ(menuTitles(window.menuBar()), (QStringList{"&File", "&?"}));
    EXPECT_EQ(itemsOf(window.fileMenu()),
              (QStringList{"New", "Open...", "Import PNML...", "-", "Print Setup...", "-", "...", "-", "Exit"}));
    EXPECT_FALSE(window.fileMenu()->actions()[6]->isEnabled());
    EXPECT_FALSE(window.commands().undo->isEnabled());
    EXPECT_TRUE(window.commands().printSetup->isEnabled());
    window.commands().newFile->trigger();
    EXPECT_EQ(window.documents().size(), 1u);
    EXPECT_EQ(menuTitles(window.menuBar()).size(), 8);
}

TEST_F(MainWindowTest, AcceleratorsMatchTheTable) {
    const ShellActions& a = window.commands();
    const std::vector<std::pair<QAction*, QString>> expected = {
        {a.selectAll, "Ctrl+A"},         {a.copy, "Ctrl+C, Ctrl+Ins"},  {a.cut, "Ctrl+X, Shift+Del"},
        {a.paste, "Ctrl+V, Shift+Ins"},  {a.deleteSelection, "Del"},    {a.undo, "Ctrl+Z, Alt+Backspace"},
        {a.redo, "Ctrl+Y"},              {a.newFile, "Ctrl+N"},         {a.open, "Ctrl+O"},
        {a.save, "Ctrl+S"},              {a.print, "Ctrl+P"},           {a.grid, "Ctrl+G"},
        {a.alignGrid, "Alt+G"},          {a.sheetsManager, "F3"},       {a.rotate, "F4"},
        {a.simulation[3], "Alt+I"},      {a.simulation[4], "Alt+S, Alt+D"}, {a.simulation[5], "Alt+X"},
        {a.nextPane, "F6"},              {a.previousPane, "Shift+F6"},
    };
    for (const auto& [action, keys] : expected)
        EXPECT_EQ(keysOf(action), keys) << action->text().toStdString();
    EXPECT_EQ(a.properties->shortcuts().value(0).toString(QKeySequence::PortableText), "Ctrl+Return");
    EXPECT_EQ(a.simulation[4]->text(), "One Step Forward");
}

TEST_F(MainWindowTest, SimulationMenuIsDisabledUntilCommandsAreInstalledAndBothStepKeysStep) {
    window.startUp(std::nullopt);
    window.refreshNow();
    for (QAction* action : window.commands().simulation)
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();

    RecordingSimulation simulation;
    window.setSimulationCommands(&simulation);
    window.refreshNow();
    for (QAction* action : window.commands().simulation)
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();

    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* view = window.activeView()->viewport();
    QTest::keyClick(view, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_I, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(simulation.commands, (std::vector<SimulationCommand>{SimulationCommand::kOneStepForward,
                                                                   SimulationCommand::kOneStepForward,
                                                                   SimulationCommand::kInitialization,
                                                                   SimulationCommand::kStart}));
    EXPECT_EQ(simulation.sheets.front(), &activeSheet());
    window.setSimulationCommands(nullptr);
}

TEST_F(MainWindowTest, PnMenuListsTheFirstTwentyNetsWithTheActiveOneChecked) {
    window.startUp(std::nullopt);
    for (int i = 0; i < 20; ++i)
        window.newSheet();
    NetDocument& document = activeDocument();
    ASSERT_EQ(document.sheetCount(), 21u);
    window.showSheet(document, document.sheet(4));
    window.rebuildSheetMenu();
    // The net list follows the commands and the separator below them.
    const QList<QAction*> items = window.sheetMenu()->actions().mid(11);
    ASSERT_EQ(items.size(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(items[i]->text(), latin1(pnName(i + 1)));
        EXPECT_EQ(items[i]->isChecked(), i == 4) << i;
    }
    items[9]->trigger();
    EXPECT_EQ(&activeSheet(), &document.sheet(9));
}

TEST_F(MainWindowTest, NewPnAfterDeletingTheSecondNetIsNumberFour) {
    window.startUp(std::nullopt);
    window.newSheet();
    window.newSheet();
    NetDocument& document = activeDocument();
    whenDialogOpens<PnsManagerDialog>([](PnsManagerDialog& dialog) {
        dialog.list()->setCurrentRow(1);
        EXPECT_TRUE(dialog.deleteButton()->isEnabled());
        QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.list()->currentRow(), 1);
        dialog.accept();
    });
    window.manageSheets();
    ASSERT_EQ(document.sheetCount(), 2u);
    EXPECT_EQ(document.sheet(1).name(), pnName(3));
    EXPECT_EQ(window.sheetFrames().size(), 2u);
    window.newSheet();
    EXPECT_EQ(document.sheet(2).name(), pnName(4));
    EXPECT_TRUE(document.isModified());
}

TEST_F(MainWindowTest, RenamingInThePnsManagerShowsInTheTitleAndAnEmptyNameKeepsTheOldOne) {
    const std::string path = folder.file("line.pn");
    test::writeDocumentFile(path, "Feeder");
    window.startUp(path);
    NetDocument& document = activeDocument();
    window.newSheet();
    whenDialogOpens<PnsManagerDialog>([](PnsManagerDialog& dialog) {
        dialog.list()->setCurrentRow(0);
        QLineEdit* field = dialog.nameField();
        EXPECT_EQ(field->text(), "Feeder");
        field->selectAll();
        QTest::keyClicks(field, "Line");
        dialog.list()->setCurrentRow(1);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(dialog.list()->item(1)->text(), QString::fromLatin1(pnName(2).c_str()));
        dialog.accept();
    });
    window.manageSheets();
    EXPECT_EQ(document.sheet(0).name(), "Line");
    EXPECT_EQ(document.sheet(1).name(), pnName(2));
    window.refreshNow();
    EXPECT_EQ(window.windowOf(document.sheet(0))->windowTitle(), "line.pn - Line");
}

TEST_F(MainWindowTest, CancelledPnsManagerChangesNothing) {
    window.startUp(std::nullopt);
    window.newSheet();
    NetDocument& document = activeDocument();
    document.setModified(false);
    whenDialogOpens<PnsManagerDialog>([](PnsManagerDialog& dialog) {
        QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
        dialog.reject();
    });
    window.manageSheets();
    EXPECT_EQ(document.sheetCount(), 2u);
    EXPECT_FALSE(document.isModified());
}

TEST_F(MainWindowTest, ClosingAModifiedDocumentAsksYesNoCancel) {
    window.startUp(std::nullopt);
    window.newSheet();
    prompt.answer = Answer::kCancel;
    EXPECT_FALSE(window.closeActiveDocument());
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0], "Save the changes made to \"New file.pn\" ?");
    EXPECT_EQ(window.documents().size(), 1u);

    // Closing the last window of the document asks the same; closing one of two windows does not.
    SheetFrame* second = window.sheetFrames().back();
    second->close();
    EXPECT_EQ(prompt.questions.size(), 1u);
    QApplication::processEvents();
    ASSERT_EQ(window.sheetFrames().size(), 1u);
    window.sheetFrames().front()->close();
    EXPECT_EQ(prompt.questions.size(), 2u);
    EXPECT_EQ(window.sheetFrames().size(), 1u);

    prompt.answer = Answer::kNo;
    EXPECT_TRUE(window.closeActiveDocument());
    EXPECT_TRUE(window.documents().empty());
}

TEST_F(MainWindowTest, YesSavesBeforeClosing) {
    const std::string path = folder.file("kept.pn");
    test::writeDocumentFile(path, "Feeder");
    ASSERT_TRUE(window.openFile(path));
    window.newSheet();
    prompt.answer = Answer::kYes;
    EXPECT_TRUE(window.closeActiveDocument());
    EXPECT_EQ(prompt.questions, (std::vector<std::string>{"Save the changes made to \"kept.pn\" ?"}));
    ASSERT_TRUE(window.openFile(path));
    EXPECT_EQ(window.documents().front()->sheetCount(), 2u);
}

TEST_F(MainWindowTest, ShowingAClosedNetWindowFromThePnMenu) {
    window.startUp(std::nullopt);
    window.newSheet();
    NetDocument& document = activeDocument();
    window.windowOf(document.sheet(1))->close();
    QApplication::processEvents();
    EXPECT_EQ(window.windowOf(document.sheet(1)), nullptr);
    EXPECT_EQ(document.sheetCount(), 2u);
    window.rebuildSheetMenu();
    window.sheetMenu()->actions().back()->trigger();
    ASSERT_NE(window.windowOf(document.sheet(1)), nullptr);
    EXPECT_EQ(&activeSheet(), &document.sheet(1));
}

TEST_F(MainWindowTest, OpenedAndSavedFilesLeadTheRecentListWhichExitWritesBack) {
    window.startUp(std::nullopt);
    std::vector<std::string> paths;
    for (int i = 1; i <= 5; ++i) {
        paths.push_back(folder.file("net" + std::to_string(i) + ".pn"));
        test::writeDocumentFile(paths.back());
        ASSERT_TRUE(window.openFile(paths.back()));
    }
    EXPECT_EQ(window.recentFiles().paths(), (std::vector<std::string>{paths[4], paths[3], paths[2], paths[1]}));
    const QStringList items = itemsOf(window.fileMenu());
    const QString folderText = QString::fromStdString(folder.path().string());
    EXPECT_EQ(items.mid(14, 4), (QStringList{"net5.pn (" + folderText + ")", "net4.pn (" + folderText + ")",
                                             "net3.pn (" + folderText + ")", "net2.pn (" + folderText + ")"}));

    // Opening an open file again only brings it forward; saving under a new path puts that path first.
    ASSERT_TRUE(window.openFile(paths[2]));
    EXPECT_EQ(window.documents().size(), 6u);
    const std::string copy = folder.file("copy.pn");
    ASSERT_TRUE(window.saveFileAs(*window.documents()[1], copy));
    EXPECT_EQ(window.recentFiles().paths(), (std::vector<std::string>{copy, paths[2], paths[4], paths[3]}));

    ASSERT_TRUE(window.closeAllAndSaveSettings());
    EXPECT_TRUE(window.documents().empty());
    // The recent files come first; the toolbar layout follows in its own section.
    EXPECT_TRUE(test::readBytes(window.settingsPath())
                    .starts_with("[Files]\nFile1=" + copy + "\nFile2=" + paths[2] + "\nFile3=" + paths[4]
                                 + "\nFile4=" + paths[3] + "\n[Window]\nLayout="));
}

TEST_F(MainWindowTest, StartUpSkipsADeletedFirstRecentFile) {
    const std::string second = folder.file("second.pn");
    test::writeDocumentFile(second, "Second");
    std::ofstream(window.settingsPath()) << "[Files]\nFile1=" << folder.file("deleted.pn") << "\nFile2=" << second
                                         << "\n";
    window.startUp(std::nullopt);
    ASSERT_EQ(window.documents().size(), 1u);
    EXPECT_EQ(window.documents()[0]->path(), second);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(window.recentFiles().paths(), (std::vector<std::string>{second, folder.file("deleted.pn")}));
}

TEST_F(MainWindowTest, StartUpOpensTheCommandLineFileWhateverTheRecentListHolds) {
    const std::string recent = folder.file("recent.pn");
    const std::string named = folder.file("named.pn");
    test::writeDocumentFile(recent, "Recent");
    test::writeDocumentFile(named, "Named");
    std::ofstream(window.settingsPath()) << "[Files]\nFile1=" << recent << "\n";
    window.startUp(named);
    ASSERT_EQ(window.documents().size(), 1u);
    EXPECT_EQ(window.documents()[0]->path(), named);
    EXPECT_EQ(window.sheetFrames().front()->windowTitle(), "named.pn - Named");
}

TEST_F(MainWindowTest, FailedOpensAreReportedAndLeaveNoDocument) {
    window.startUp(std::nullopt);
    const std::string missing = folder.file("missing.pn");
    EXPECT_FALSE(window.openFile(missing));
    const std::string text = folder.file("text.pn");
    std::ofstream(text) << "not a document";
    EXPECT_FALSE(window.openFile(text));
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Can't open file \"" + missing + "\".",
                                                         "Incorrect file format \"" + text + "\"."}));
    EXPECT_EQ(window.documents().size(), 1u);
    EXPECT_TRUE(window.recentFiles().paths().empty());
}

TEST_F(MainWindowTest, DamagedFileIsRefusedWithItsNameAndLineAndOpensNoWindow) {
    window.startUp(std::nullopt);
    const std::size_t framesBefore = window.sheetFrames().size();
    const std::string whole = test::readBytes(std::string(TOKARIUM_SOURCE_DIR) + "/examples/continuous_tanks.pn");
    const std::string cut = folder.file("cut.pn");
    std::ofstream(cut, std::ios::binary) << whole.substr(0, 3500);
    EXPECT_FALSE(window.openFile(cut));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].rfind("Incorrect file format \"" + cut + "\". The file is damaged at line ", 0), 0u)
        << prompt.messages[0];
    EXPECT_EQ(window.documents().size(), 1u);
    EXPECT_EQ(window.sheetFrames().size(), framesBefore);
    EXPECT_TRUE(window.recentFiles().paths().empty());
}

TEST_F(MainWindowTest, AboutBoxNamesTheVersionsAndTheLicence) {
    window.startUp(std::nullopt);
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    window.commands().about->trigger();
    EXPECT_EQ(title, "About Tokarium");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_TRUE(text.startsWith("Tokarium 1.0.0\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("lp_solve 5.5.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + qVersion())) << text.toStdString();
    EXPECT_TRUE(text.contains("GNU Lesser General Public License")) << text.toStdString();
}

TEST_F(MainWindowTest, GridSettingsMarkTheDocumentModifiedAndZoomDoesNot) {
    window.startUp(std::nullopt);
    NetDocument& document = *window.documents()[0];
    document.setModified(false);
    window.commands().zoom[5]->trigger();
    EXPECT_FALSE(document.isModified());
    const bool shown = activeSheet().grid().shown;
    window.commands().grid->trigger();
    EXPECT_NE(activeSheet().grid().shown, shown);
    EXPECT_TRUE(document.isModified());
    document.setModified(false);
    const bool align = activeSheet().grid().align;
    window.commands().alignGrid->trigger();
    EXPECT_NE(activeSheet().grid().align, align);
    EXPECT_TRUE(document.isModified());
}

TEST_F(MainWindowTest, DroppedFilesAreOpened) {
    window.startUp(std::nullopt);
    const std::string path = folder.file("dropped.pn");
    test::writeDocumentFile(path, "Dropped");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    ASSERT_EQ(window.documents().size(), 2u);
    EXPECT_EQ(window.documents()[1]->path(), path);
}

TEST_F(MainWindowTest, ZoomListFollowsTheActiveNet) {
    window.startUp(std::nullopt);
    window.commands().zoom[5]->trigger();
    EXPECT_EQ(activeSheet().zoom(), 200);
    window.refreshNow();
    EXPECT_EQ(window.zoomList()->currentText(), "200%");
    EXPECT_TRUE(window.commands().zoom[5]->isChecked());
    window.newSheet();
    window.refreshNow();
    EXPECT_EQ(window.zoomList()->currentText(), "100%");
    EXPECT_EQ(window.zoomList()->itemText(0), "500%");
    EXPECT_EQ(window.zoomList()->itemText(6), "25%");
}

TEST_F(MainWindowTest, ToolbarLayoutComesBackAtTheNextStart) {
    window.startUp(std::nullopt);
    window.addToolBar(Qt::BottomToolBarArea, window.findChild<QToolBar*>(QStringLiteral("steps")));
    window.commands().toolbar->trigger();
    ASSERT_TRUE(window.closeAllAndSaveSettings());

    MainWindow next(QString::fromStdString(folder.path().string()));
    next.setUserPrompt(&prompt);
    next.startUp(std::nullopt);
    EXPECT_EQ(next.toolBarArea(next.findChild<QToolBar*>(QStringLiteral("steps"))), Qt::BottomToolBarArea);
    EXPECT_FALSE(next.commands().toolbar->isChecked());
    EXPECT_TRUE(next.findChild<QToolBar*>(QStringLiteral("toolbar"))->isHidden());
}

TEST_F(MainWindowTest, TheWindowComesBackAsTheUserLeftItAndMaximisedTheFirstTime) {
    const QString programFolder = QString::fromStdString(folder.path().string());
    const QRect chosen(60, 80, 700, 500);
    struct Session {
        const char* what;
        bool maximisedAtStart;
        std::function<void(MainWindow&)> use; // what the user does before Exit
    };
    const Session sessions[] = {
        {"first start", true, [&](MainWindow& shown) {
             shown.showNormal();
             shown.setGeometry(chosen);
         }},
        {"left at its own size", false, [&](MainWindow& shown) {
             EXPECT_EQ(shown.geometry(), chosen);
             shown.showMaximized();
         }},
        {"left maximised", true, [&](MainWindow& shown) {
             shown.showNormal();
             EXPECT_EQ(shown.geometry(), chosen) << "un-maximising gives back the size chosen before";
         }},
        {"left at its own size again", false, [](MainWindow&) {}},
    };
    for (const Session& session : sessions) {
        MainWindow shown(programFolder);
        shown.setUserPrompt(&prompt);
        shown.startUp(std::nullopt);
        shown.showAsLeft();
        EXPECT_EQ(shown.isMaximized(), session.maximisedAtStart) << session.what;
        session.use(shown);
        ASSERT_TRUE(shown.closeAllAndSaveSettings()) << session.what;
    }
    // A damaged value counts as none.
    std::ofstream(window.settingsPath()) << "[Window]\nGeometry=bm90IGEgZ2VvbWV0cnk=\n";
    MainWindow damaged(programFolder);
    damaged.startUp(std::nullopt);
    damaged.showAsLeft();
    EXPECT_TRUE(damaged.isMaximized());
}

TEST_F(MainWindowTest, MissingManualIsReported) {
    window.startUp(std::nullopt);
    window.commands().help->trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("howto.pdf"), std::string::npos);
}

TEST_F(MainWindowTest, SavedReopenedAndSavedAgainIsUnchanged) {
    window.startUp(std::nullopt);
    addPlace(activeSheet(), 1.5);
    window.duplicateSheet();
    const std::string first = folder.file("first.pn");
    const std::string second = folder.file("second.pn");
    ASSERT_TRUE(window.saveFileAs(activeDocument(), first));
    ASSERT_TRUE(window.closeActiveDocument());
    ASSERT_TRUE(window.openFile(first));
    ASSERT_EQ(activeDocument().sheetCount(), 2u);
    EXPECT_EQ(activeDocument().sheet(1).name(), pnName(2));
    EXPECT_EQ(activeDocument().sheet(1).size(), 1u);
    ASSERT_TRUE(window.saveFileAs(activeDocument(), second));
    EXPECT_EQ(test::readBytes(first), test::readBytes(second));
}

TEST_F(MainWindowTest, DocumentSavedUnderACommaDecimalLocaleIsByteIdentical) {
    window.startUp(std::nullopt);
    addPlace(activeSheet(), 2.5);
    activeSheet().setDuration(12.75);
    const std::string plain = folder.file("c.pn");
    const std::string german = folder.file("de.pn");
    ASSERT_TRUE(window.saveFileAs(activeDocument(), plain));
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    char decimal[16];
    std::snprintf(decimal, sizeof decimal, "%.2f", 2.5);
    EXPECT_STREQ(decimal, "2,50");
    const bool saved = window.saveFileAs(activeDocument(), german);
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(saved);
    const std::string bytes = test::readBytes(plain);
    EXPECT_NE(bytes.find("12.75"), std::string::npos);
    EXPECT_EQ(bytes, test::readBytes(german));
}

TEST_F(MainWindowTest, FileWithoutAVersionAsksWhetherToGoOn) {
    window.startUp(std::nullopt);
    const std::string versioned = folder.file("versioned.pn");
    test::writeDocumentFile(versioned, "Feeder");
    std::string bytes = test::readBytes(versioned);
    const std::size_t version = bytes.find(" version=\"1.0.0.0\"");
    ASSERT_NE(version, std::string::npos);
    const std::string unversioned = folder.file("unversioned.pn");
    std::ofstream(unversioned, std::ios::binary) << bytes.erase(version, 18);

    prompt.yesNoAnswer = false;
    EXPECT_FALSE(window.openFile(unversioned));
    EXPECT_EQ(prompt.questions, (std::vector<std::string>{"The version number of the file \"" + unversioned
                                                          + "\" is incorrect. Do you want to continue?"}));
    EXPECT_EQ(window.documents().size(), 1u);
    prompt.yesNoAnswer = true;
    EXPECT_TRUE(window.openFile(unversioned));
    EXPECT_TRUE(window.openFile(versioned));
    EXPECT_EQ(prompt.questions.size(), 2u);
    EXPECT_EQ(window.documents().size(), 3u);
}

TEST_F(MainWindowTest, PnPropertiesStoresAUniqueNameAndThePaper) {
    window.startUp(std::nullopt);
    window.newSheet();
    NetDocument& document = activeDocument();
    document.setModified(false);
    whenDialogOpens<PnPropertiesDialog>([](PnPropertiesDialog& dialog) {
        EXPECT_EQ(dialog.nameField()->text(), QString::fromLatin1(pnName(2).c_str()));
        dialog.nameField()->setText(QString::fromLatin1(pnName(1).c_str()));
        dialog.paperList()->setCurrentIndex(4);
        QTest::mouseClick(dialog.landscapeButton(), Qt::LeftButton);
        dialog.accept();
    });
    window.editSheetProperties();
    EXPECT_EQ(document.sheet(1).name(), pnName(2));
    EXPECT_EQ(document.sheet(1).page(), (PageSettings{11, 2100, 1480, kLandscape}));
    EXPECT_TRUE(document.isModified());

    whenDialogOpens<PnPropertiesDialog>([](PnPropertiesDialog& dialog) {
        dialog.nameField()->setText("Loop");
        dialog.reject();
    });
    window.editSheetProperties();
    EXPECT_EQ(document.sheet(1).name(), pnName(2));
}

TEST_F(MainWindowTest, NetDrawnWithTheMouseIsUnchangedAfterSaveCloseAndReopen) {
    window.startUp(std::nullopt);
    window.resize(1000, 800);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.sheetFrames().front()->showMaximized();
    SheetView* view = window.activeView();
    auto at = [view](int x, int y) { return view->toWindow(QPoint(x, y)); };

    window.placeKindList()->setFocus();
    QTest::keyClick(window.placeKindList(), Qt::Key_Down);
    EXPECT_EQ(window.editorSession().placeKind, ObjectKind::kContinuousPlace);
    window.commands().placeButton->trigger();
    window.refreshNow();
    EXPECT_TRUE(window.commands().placeButton->isChecked());
    QTest::mouseMove(view->viewport(), at(100, 100));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at(100, 100));
    window.commands().continuousTransition->trigger();
    QTest::mouseMove(view->viewport(), at(200, 100));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at(200, 100));
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::ControlModifier, at(100, 100));
    QTest::mouseMove(view->viewport(), at(200, 100));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ControlModifier, at(200, 100));

    NetSheet& sheet = activeSheet();
    ASSERT_EQ(sheet.size(), 3u);
    EXPECT_EQ(sheet.count(maskOf(ObjectKind::kContinuousPlace)), 1u);
    EXPECT_EQ(sheet.count(maskOf(ObjectKind::kContinuousTransition)), 1u);
    EXPECT_EQ(sheet.count(kArcKinds), 1u);
    window.refreshNow();
    EXPECT_TRUE(window.commands().undo->isEnabled());

    const std::string first = folder.file("drawn.pn");
    ASSERT_TRUE(window.saveFileAs(activeDocument(), first));
    ASSERT_TRUE(window.closeActiveDocument());
    EXPECT_TRUE(prompt.questions.empty());
    ASSERT_TRUE(window.openFile(first));
    EXPECT_EQ(activeSheet().size(), 3u);
    EXPECT_EQ(activeSheet().count(kArcKinds), 1u);
    EXPECT_TRUE(window.sheetFrames().front()->isMaximized());
    const std::string second = folder.file("again.pn");
    ASSERT_TRUE(window.saveFileAs(activeDocument(), second));
    EXPECT_EQ(test::readBytes(first), test::readBytes(second));
}

TEST_F(MainWindowTest, AmpersandsInNamesAreShownAsTheyAre) {
    window.startUp(std::nullopt);
    activeDocument().assignUniqueName(activeSheet(), "In & Out");
    window.rebuildSheetMenu();
    EXPECT_EQ(window.sheetMenu()->actions().back()->text(), "In && Out");
}

TEST_F(MainWindowTest, ClosingTheMainWindowAsksForEachModifiedDocumentThenWritesTheRecentFiles) {
    const std::string path = folder.file("one.pn");
    test::writeDocumentFile(path);
    window.startUp(path);
    window.newFile();
    window.newSheet();
    window.show();
    prompt.answer = Answer::kCancel;
    EXPECT_FALSE(window.close());
    EXPECT_EQ(window.documents().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(window.settingsPath()));

    prompt.answer = Answer::kNo;
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(window.documents().empty());
    EXPECT_EQ(prompt.questions.size(), 2u);
    EXPECT_TRUE(test::readBytes(window.settingsPath()).starts_with("[Files]\nFile1=" + path + "\n[Window]\n"));
}

TEST_F(MainWindowTest, ArrangePnsLinesMinimisedWindowsUpAlongTheBottom) {
    window.startUp(std::nullopt);
    window.resize(900, 700);
    window.show();
    window.newSheet();
    window.newSheet();
    const std::vector<SheetFrame*> frames = window.sheetFrames();
    frames[0]->showMinimized();
    frames[2]->showMinimized();
    window.commands().arrangeSheets->trigger();
    const int bottom = frames[1]->parentWidget()->height();
    EXPECT_EQ(frames[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(frames[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(frames[0]->x(), 0);
    EXPECT_EQ(frames[2]->x(), frames[0]->width());
}

TEST_F(MainWindowTest, ChoosingARecentFileOpensIt) {
    const std::string path = folder.file("recent.pn");
    test::writeDocumentFile(path, "Recent");
    std::ofstream(window.settingsPath()) << "[Files]\nFile1=" << path << "\nFile2=" << folder.file("gone.pn") << "\n";
    window.startUp(folder.file("gone.pn"));
    ASSERT_EQ(prompt.messages.size(), 1u);
    ASSERT_EQ(window.documents().size(), 1u);
    EXPECT_TRUE(window.documents()[0]->path().empty());
    QAction* recent = window.fileMenu()->actions()[14];
    EXPECT_EQ(recent->text().toStdString(), "recent.pn (" + folder.path().string() + ")");
    recent->trigger();
    QApplication::processEvents();
    ASSERT_EQ(window.documents().size(), 2u);
    EXPECT_EQ(window.documents()[1]->path(), path);
    window.fileMenu()->actions()[15]->trigger();
    EXPECT_EQ(prompt.messages.size(), 2u);
}

TEST_F(MainWindowTest, ViewRequestsDuplicateTheNetAndOpenItsProperties) {
    const std::string path = folder.file("feeder.pn");
    test::writeDocumentFile(path, "Feeder");
    window.startUp(path);
    window.newSheet();
    NetDocument& document = activeDocument();
    window.showSheet(document, document.sheet(0));
    emit window.activeView()->duplicateSheetRequested();
    ASSERT_EQ(document.sheetCount(), 3u);
    EXPECT_EQ(document.sheet(2).name(), pnName(3));
    EXPECT_EQ(document.sheet(2).size(), document.sheet(0).size());
    EXPECT_NE(document.sheet(2).id(), document.sheet(0).id());
    EXPECT_EQ(&activeSheet(), &document.sheet(2));

    bool opened = false;
    whenDialogOpens<PnPropertiesDialog>([&opened](PnPropertiesDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    emit window.activeView()->sheetPropertiesRequested();
    EXPECT_TRUE(opened);
}

TEST_F(MainWindowTest, KeyboardAcceleratorsReachTheirCommands) {
    window.startUp(std::nullopt);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* view = window.activeView()->viewport();
    const bool gridShown = activeSheet().grid().shown;
    QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
    EXPECT_NE(activeSheet().grid().shown, gridShown);
    QTest::keyClick(window.activeView()->viewport(), Qt::Key_G, Qt::AltModifier);
    EXPECT_FALSE(activeSheet().grid().align);

    bool managerOpened = false;
    whenDialogOpens<PnsManagerDialog>([&managerOpened](PnsManagerDialog& dialog) {
        managerOpened = true;
        dialog.reject();
    });
    QTest::keyClick(window.activeView()->viewport(), Qt::Key_F3);
    EXPECT_TRUE(managerOpened);

    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.activeView()->viewport(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window.documents().size(), 2u);
}

TEST_F(MainWindowTest, DefaultPlacedWindowsTakeMostOfTheClientAreaAndCascade) {
    window.resize(1600, 1000);
    window.startUp(std::nullopt);
    EXPECT_EQ(window.sheetFrames()[0]->geometry(), QRect(0, 0, 1200, 750));
    window.show();
    window.newSheet();
    const std::vector<SheetFrame*> frames = window.sheetFrames();
    ASSERT_EQ(frames.size(), 2u);
    const QSize area = frames[1]->parentWidget()->size();
    EXPECT_EQ(frames[1]->geometry(), QRect(24, 24, area.width() * 3 / 4, area.height() * 3 / 4));
}

TEST_F(MainWindowTest, SavedWindowsComeBackWithTheirZoomAndCopiesOpenFurtherDownTheCascade) {
    window.resize(1600, 1000);
    window.startUp(std::nullopt);
    window.show();
    const std::string path = folder.file("placed.pn");
    const std::string copy = folder.file("copy.pn");
    const std::string far = folder.file("far.pn");
    const auto saveWithWindowAt = [this](const QRect& rect, const std::string& file) {
        SheetFrame& frame = *window.sheetFrames().front();
        frame.showNormal();
        frame.setGeometry(rect);
        ASSERT_TRUE(window.saveFileAs(activeDocument(), file));
    };
    window.commands().zoom[5]->trigger();
    ASSERT_EQ(activeSheet().zoom(), 200);
    saveWithWindowAt(QRect(40, 30, 500, 400), path);
    std::filesystem::copy_file(path, copy);
    // Saved on a larger screen, far outside this client area.
    saveWithWindowAt(QRect(5000, 4000, 500, 400), far);
    ASSERT_TRUE(window.closeActiveDocument());

    const struct {
        const std::string& file;
        QRect opensAt;
    } opened[] = {
        {path, QRect(40, 30, 500, 400)},
        {copy, QRect(64, 54, 500, 400)}, // the same place is taken: one cascade step further
        {far, QRect(0, 0, 500, 400)},
    };
    for (const auto& open : opened) {
        ASSERT_TRUE(window.openFile(open.file));
        EXPECT_EQ(window.activeWindow()->geometry(), open.opensAt) << open.file;
        EXPECT_EQ(activeSheet().zoom(), 200) << open.file;
    }
}

TEST_F(MainWindowTest, DeletingTheOnlyNetWithAWindowShowsTheFirstRemainingNet) {
    window.startUp(std::nullopt);
    window.newSheet();
    window.newSheet();
    NetDocument& document = activeDocument();
    window.windowOf(document.sheet(0))->close();
    window.windowOf(document.sheet(1))->close();
    QApplication::processEvents();
    ASSERT_EQ(window.sheetFrames().size(), 1u);
    ASSERT_EQ(&activeSheet(), &document.sheet(2));
    whenDialogOpens<PnsManagerDialog>([](PnsManagerDialog& dialog) {
        EXPECT_EQ(dialog.list()->currentRow(), 2);
        QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
        dialog.accept();
    });
    window.manageSheets();
    ASSERT_EQ(document.sheetCount(), 2u);
    ASSERT_EQ(window.sheetFrames().size(), 1u);
    EXPECT_EQ(&window.sheetFrames().front()->sheet(), &document.sheet(0));
    EXPECT_EQ(&activeSheet(), &document.sheet(0));
    window.refreshNow();
    EXPECT_EQ(window.sheetFrames().front()->windowTitle(), "New file - " + latin1(pnName(1)));
}
