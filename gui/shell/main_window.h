// The main window: menu bar in its two forms, toolbar, child windows, documents and recent files.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/editor/editor_session.h"
#include "gui/model/net_document.h"
#include "gui/model/user_prompt.h"
#include "gui/shell/recent_files.h"
#include "gui/shell/shell_constants.h"
#include "gui/shell/simulation_commands.h"

class QAction;
class QActionGroup;
class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace tokarium {

class ExchangeCommands;
class MessageBoxPrompt;
class RunProgress;
class StatusLine;
class StepControls;
class SheetFrame;
class SheetPrinter;
class SheetView;

// Every command of the menus, the toolbar and the accelerator table.
struct ShellActions {
    QAction* newFile = nullptr;
    QAction* open = nullptr;
    QAction* close = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* print = nullptr;
    QAction* printPreview = nullptr;
    QAction* printSetup = nullptr;
    QAction* exit = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* deleteSelection = nullptr;
    QAction* selectAll = nullptr;
    QAction* discretePlace = nullptr;
    QAction* continuousPlace = nullptr;
    QAction* discreteTransition = nullptr;
    QAction* continuousTransition = nullptr;
    QAction* ordinaryArc = nullptr;
    QAction* generalizedArc = nullptr;
    QAction* graphs = nullptr;
    QAction* legend = nullptr;
    QAction* toolbar = nullptr;
    QAction* grid = nullptr;
    QAction* alignGrid = nullptr;
    QAction* rotate = nullptr;
    std::array<QAction*, kZoomLevels.size()> zoom{};
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* fitToWindow = nullptr;
    QAction* renumber = nullptr;
    QAction* copyFormat = nullptr;
    QAction* pasteFormat = nullptr;
    QAction* properties = nullptr;
    std::array<QAction*, kSimulationCommandCount> simulation{};
    QAction* newSheet = nullptr;
    QAction* duplicateSheet = nullptr;
    QAction* sheetProperties = nullptr;
    QAction* sheetsManager = nullptr;
    QAction* arrangeSheets = nullptr;
    QAction* tileWindows = nullptr;
    QAction* cascadeWindows = nullptr;
    QAction* help = nullptr;
    QAction* about = nullptr;
    QAction* nextPane = nullptr;
    QAction* previousPane = nullptr;
    // Toolbar buttons arming the kinds picked in the toolbar's lists.
    QAction* placeButton = nullptr;
    QAction* transitionButton = nullptr;
    QAction* arcButton = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The program's folder holds the settings file, "howto.pdf", and is where Save As proposes new files.
    explicit MainWindow(const QString& programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Messages and questions go to the prompt (tests record them); by default to message boxes.
    void setUserPrompt(UserPrompt* prompt);
    // The Simulation menu is disabled while none is installed.
    void setSimulationCommands(SimulationCommands* commands);
    EditorSession& editorSession() { return m_session; }
    UserPrompt& prompt();
    ExchangeCommands& exchangeCommands() const { return *m_exchange; }

    // Start-up: loads the recent files, then opens the command-line file, the first recent file that
    // exists, or a new document.
    void startUp(const std::optional<std::string>& commandLineFile);
    // Shows the window as the user left it at the last exit (maximised or not, the size it has when
    // not maximised); maximised the first time.
    void showAsLeft();

    // File commands.
    void newFile();
    // Opens the file as a document (or activates it when it is already open) and puts it first in the
    // recent files. False when it could not be opened.
    bool openFile(const std::string& path);
    // Takes a document made elsewhere (an import) and opens a window on each of its nets.
    void openNewDocument(const std::shared_ptr<NetDocument>& document);
    // "Open...": the file dialog, then openFile.
    void openWithDialog();
    // Save and Save As of the active document; false when not saved.
    bool saveActive();
    bool saveActiveAs();
    // Saves the document under the path, which becomes its path on success.
    bool saveFileAs(NetDocument& document, const std::string& path);
    // Closes the active document, asking first when it is modified; false when it stays open.
    bool closeActiveDocument();
    bool closeDocument(NetDocument& document);
    // Exit: asks about every modified document first (a Cancel keeps them all open), then closes them
    // all and writes the recent files and the window's layout back. False when the user cancelled.
    bool closeAllAndSaveSettings();

    // PN commands on the active document.
    void newSheet();
    void duplicateSheet();
    void editSheetProperties();
    void manageSheets();
    void arrangeSheets();
    void showSheet(NetDocument& document, NetSheet& sheet);

    // Idle work: titles, zoom list, menu bar form and command states. Runs on its own once the event
    // loop is idle after a change; tests call it directly.
    void refreshNow();
    // Rebuilds the net list at the end of the PN menu (done each time that menu opens).
    void rebuildSheetMenu();

    const RecentFiles& recentFiles() const { return m_recentFiles; }
    std::string settingsPath() const;
    const ShellActions& commands() const { return m_actions; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* sheetMenu() const { return m_sheetMenu; }
    QComboBox* zoomList() const { return m_zoomList; }
    QComboBox* placeKindList() const { return m_placeKinds; }
    const StatusLine& statusLine() const { return *m_status; }
    RunProgress& runProgress() const { return *m_runProgress; }
    StepControls& stepControls() const { return *m_steps; }
    std::vector<NetDocument*> documents() const;
    // Windows that are open (not closing), in the order they were created.
    std::vector<SheetFrame*> sheetFrames() const;
    SheetFrame* windowOf(const NetSheet& sheet) const;
    SheetFrame* activeWindow() const;
    SheetView* activeView() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolbar();
    // Adds a command; shortcuts are active in the whole main window.
    QAction* addCommand(const QString& text, const QList<QKeySequence>& shortcuts = {});
    void runOnView(void (SheetView::*command)());
    void runSimulation(SimulationCommand command);
    SimulationTarget simulationTarget();
    void showSelectedZoom(int level);
    void repaintViews();
    // The main window's title: the active document's title with the unsaved-changes marker.
    void refreshMainTitle();

    void rebuildFileMenu();
    void updateMenuBarForm();
    void updateCommandStates();
    void scheduleRefresh();

    // Opens a child window on the sheet; with a rectangle there (maximised when empty), without one
    // with the default placement.
    SheetFrame* openWindow(const std::shared_ptr<NetDocument>& document, NetSheet& sheet,
                            const std::optional<QRect>& rect = std::nullopt);
    // A saved window rectangle as it opens: brought into the client area when it lies outside it (saved
    // on a larger screen), and moved down the cascade while an open window starts at the same corner.
    QRect openingPlace(QRect rect) const;
    // Deletes the window at once (its sheet is about to be destroyed).
    void destroyWindow(SheetFrame* window);
    bool onWindowCloseRequest(SheetFrame& window);
    // Asks whether to save a modified document before it closes and saves it on Yes; false when the
    // document must stay open (Cancel, or a failed or cancelled save).
    bool confirmClose(NetDocument& document);
    void forgetDocument(const NetDocument& document);
    std::shared_ptr<NetDocument> sharedDocument(const NetDocument& document) const;
    std::vector<SheetFrame*> windowsOf(const NetDocument& document) const;
    // The file name of the document, or the one Save As proposes for it.
    std::string proposedFileName(const NetDocument& document) const;
    bool saveDocumentFile(NetDocument& document);
    bool saveDocumentFileAs(NetDocument& document);
    void showHelp();
    // "About Tokarium...": name, version, the lp_solve and Qt versions and the licence.
    void showAbout();
    // The printer of the session, made when first used.
    SheetPrinter& printer();

    QString m_programFolder;
    std::unique_ptr<MessageBoxPrompt> m_messageBoxes;
    UserPrompt* m_prompt = nullptr;
    SimulationCommands* m_simulation = nullptr;
    EditorSession m_session;
    std::unique_ptr<SheetPrinter> m_printer;
    RecentFiles m_recentFiles;
    std::vector<std::shared_ptr<NetDocument>> m_documents;

    ShellActions m_actions;
    ExchangeCommands* m_exchange = nullptr;
    QActionGroup* m_zoomGroup = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    QPointer<QMdiSubWindow> m_lastActive;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_insertMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_formatMenu = nullptr;
    QMenu* m_simulationMenu = nullptr;
    QMenu* m_sheetMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    std::vector<QAction*> m_sheetMenuItems;
    std::vector<QAction*> m_recentFileItems;
    QToolBar* m_toolbar = nullptr;
    QToolBar* m_stepsToolbar = nullptr; // the simulation commands and the time slider
    QComboBox* m_arcKinds = nullptr;
    QComboBox* m_placeKinds = nullptr;
    QComboBox* m_transitionKinds = nullptr;
    QComboBox* m_zoomList = nullptr;
    QTimer* m_refreshTimer = nullptr;
    std::unique_ptr<StatusLine> m_status;
    RunProgress* m_runProgress = nullptr; // shown in the status bar during long engine runs
    StepControls* m_steps = nullptr;
    // Whether the menu bar shows the form with a document.
    std::optional<bool> m_documentForm;
};

} // namespace tokarium
