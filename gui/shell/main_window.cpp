// The main window's frame: commands, menus, toolbar, idle refresh, accelerators and dropped files.
#include "gui/shell/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <filesystem>

#include <unistd.h>

#include "gui/editor/sheet_printing.h"
#include "gui/editor/sheet_view.h"
#include "gui/shell/about_text.h"
#include "gui/shell/exchange_commands.h"
#include "gui/shell/message_box_prompt.h"
#include "gui/shell/settings_file.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/sheet_frame.h"
#include "gui/shell/shell_icons.h"
#include "gui/shell/run_progress.h"
#include "gui/shell/status_line.h"
#include "gui/shell/step_controls.h"

namespace tokarium {

namespace {

struct SimulationItem {
    const char* text;
    SimulationCommand command;
};

// In menu order; a separator follows "Stop Conditions..." and "Start".
constexpr std::array<SimulationItem, kSimulationCommandCount> kSimulationItems = {{
    {"Verify...", SimulationCommand::kVerify},
    {"Conflicts Resolution...", SimulationCommand::kConflictsResolution},
    {"Stop Conditions...", SimulationCommand::kStopConditions},
    {"Initialization", SimulationCommand::kInitialization},
    {"One Step Forward", SimulationCommand::kOneStepForward},
    {"Start", SimulationCommand::kStart},
    {"Plotter...", SimulationCommand::kPlotter},
    {"Short Results...", SimulationCommand::kShortResults},
    {"Long Results...", SimulationCommand::kLongResults},
}};

QString zoomText(int level) {
    return QString::number(level) + QLatin1Char('%');
}

// Alt+letter accelerators take precedence over the menu bar's mnemonics ("&Simulation" is Alt+S too).
bool isAltAccelerator(const QKeyEvent& event) {
    return event.modifiers() == Qt::AltModifier && event.key() != Qt::Key_Alt;
}

} // namespace

MainWindow::MainWindow(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_messageBoxes(std::make_unique<MessageBoxPrompt>(this)),
      m_prompt(m_messageBoxes.get()), m_mdiArea(new QMdiArea(this)), m_refreshTimer(new QTimer(this)) {
    setWindowTitle(fromLatin1Text(std::string(kDocumentTypeName)));
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(0);
    connect(m_refreshTimer, &QTimer::timeout, this, &MainWindow::refreshNow);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window)
            m_lastActive = window;
        scheduleRefresh();
    });
    setWindowIcon(shellIcon(QStringLiteral("tokarium")));
    m_status = std::make_unique<StatusLine>(*statusBar());
    m_runProgress = new RunProgress(statusBar());
    statusBar()->addPermanentWidget(m_runProgress);
    createActions();
    decorateCommands(m_actions);
    m_exchange = new ExchangeCommands(*this);
    createToolbar();
    createMenus();
    QCoreApplication::instance()->installEventFilter(this);
    refreshNow();
}

MainWindow::~MainWindow() {
    QCoreApplication::instance()->removeEventFilter(this);
    // The child windows go while this is still a whole MainWindow: their signals reach its slots.
    std::unique_ptr<QWidget> area(takeCentralWidget());
}

void MainWindow::setUserPrompt(UserPrompt* prompt) {
    m_prompt = prompt ? prompt : m_messageBoxes.get();
}

void MainWindow::setSimulationCommands(SimulationCommands* commands) {
    m_simulation = commands;
    scheduleRefresh();
}

SheetPrinter& MainWindow::printer() {
    if (!m_printer)
        m_printer = std::make_unique<SheetPrinter>();
    return *m_printer;
}

UserPrompt& MainWindow::prompt() {
    return *m_prompt;
}

std::string MainWindow::settingsPath() const {
    // Beside the program while that folder can be written, else in the user's configuration folder
    // (an installed program's folder belongs to the system).
    const std::string program = toPath(m_programFolder);
    const std::string_view name = kSettingsFileName;
    if (::access(program.c_str(), W_OK) == 0)
        return (std::filesystem::path(program) / name).string();
    return (userConfigFolder() / name).string();
}

QAction* MainWindow::addCommand(const QString& text, const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    // Added to the window itself so that the accelerators work whichever menu bar form is shown.
    addAction(action);
    return action;
}

void MainWindow::runOnView(void (SheetView::*command)()) {
    if (SheetView* view = activeView()) {
        (view->*command)();
        scheduleRefresh();
    }
}

void MainWindow::createActions() {
    ShellActions& a = m_actions;
    a.newFile = addCommand(tr("New"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    a.open = addCommand(tr("Open..."), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    a.close = addCommand(tr("Close"));
    a.save = addCommand(tr("Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    a.saveAs = addCommand(tr("Save As..."));
    a.print = addCommand(tr("Print..."), {QKeySequence(Qt::CTRL | Qt::Key_P)});
    a.printPreview = addCommand(tr("Print Preview"));
    a.printSetup = addCommand(tr("Print Setup..."));
    a.exit = addCommand(tr("Exit"));
    connect(a.newFile, &QAction::triggered, this, &MainWindow::newFile);
    connect(a.open, &QAction::triggered, this, &MainWindow::openWithDialog);
    connect(a.close, &QAction::triggered, this, &MainWindow::closeActiveDocument);
    connect(a.save, &QAction::triggered, this, &MainWindow::saveActive);
    connect(a.saveAs, &QAction::triggered, this, &MainWindow::saveActiveAs);
    connect(a.exit, &QAction::triggered, this, &MainWindow::close);
    connect(a.print, &QAction::triggered, this, [this] {
        if (SheetView* view = activeView())
            printer().print(this, *view);
    });
    connect(a.printPreview, &QAction::triggered, this, [this] {
        if (SheetView* view = activeView())
            printer().preview(this, *view);
    });
    connect(a.printSetup, &QAction::triggered, this, [this] { printer().setup(this); });

    a.undo = addCommand(tr("Undo"), {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a.redo = addCommand(tr("Redo"), {QKeySequence(Qt::CTRL | Qt::Key_Y)});
    a.cut = addCommand(tr("Cut"), {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a.copy = addCommand(tr("Copy"), {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a.paste = addCommand(tr("Paste"), {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    a.deleteSelection = addCommand(tr("Delete"), {QKeySequence(Qt::Key_Delete)});
    a.selectAll = addCommand(tr("Select All"), {QKeySequence(Qt::CTRL | Qt::Key_A)});
    connect(a.undo, &QAction::triggered, this, [this] { runOnView(&SheetView::undo); });
    connect(a.redo, &QAction::triggered, this, [this] { runOnView(&SheetView::redo); });
    connect(a.cut, &QAction::triggered, this, [this] { runOnView(&SheetView::cut); });
    connect(a.copy, &QAction::triggered, this, [this] { runOnView(&SheetView::copy); });
    connect(a.paste, &QAction::triggered, this, [this] { runOnView(&SheetView::paste); });
    connect(a.deleteSelection, &QAction::triggered, this, [this] { runOnView(&SheetView::deleteSelection); });
    connect(a.selectAll, &QAction::triggered, this, [this] { runOnView(&SheetView::selectAll); });

    auto insertCommand = [this](const QString& text, ObjectKind kind) {
        QAction* action = addCommand(text);
        connect(action, &QAction::triggered, this, [this, kind] {
            if (SheetView* view = activeView()) {
                view->beginInsert(kind);
                scheduleRefresh();
            }
        });
        return action;
    };
    a.discretePlace = insertCommand(tr("Discrete"), ObjectKind::kDiscretePlace);
    a.continuousPlace = insertCommand(tr("Continuous"), ObjectKind::kContinuousPlace);
    a.discreteTransition = insertCommand(tr("Constant Duration"), ObjectKind::kDiscreteTransition);
    a.continuousTransition = insertCommand(tr("Constant Maximal Speed"), ObjectKind::kContinuousTransition);
    a.ordinaryArc = insertCommand(tr("Ordinary"), ObjectKind::kOrdinaryArc);
    a.generalizedArc = insertCommand(tr("Generalized"), ObjectKind::kGeneralizedArc);
    a.graphs = insertCommand(tr("Graphs"), ObjectKind::kGraph);
    a.legend = insertCommand(tr("Legend"), ObjectKind::kLegend);
    a.graphs->setCheckable(true);
    a.legend->setCheckable(true);

    auto toolbarCommand = [this](const QString& text, ObjectKind EditorSession::*kind) {
        QAction* action = addCommand(text);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, kind] {
            if (SheetView* view = activeView()) {
                view->beginInsert(m_session.*kind);
                scheduleRefresh();
            }
        });
        return action;
    };
    a.placeButton = toolbarCommand(tr("Place"), &EditorSession::placeKind);
    a.transitionButton = toolbarCommand(tr("Transition"), &EditorSession::transitionKind);
    a.arcButton = toolbarCommand(tr("Arc"), &EditorSession::arcKind);

    a.toolbar = addCommand(tr("Toolbar"));
    a.toolbar->setCheckable(true);
    a.toolbar->setChecked(true);
    connect(a.toolbar, &QAction::toggled, this, [this](bool shown) {
        m_toolbar->setVisible(shown);
        m_stepsToolbar->setVisible(shown);
    });
    a.grid = addCommand(tr("Grid"), {QKeySequence(Qt::CTRL | Qt::Key_G)});
    a.alignGrid = addCommand(tr("Align Grid"), {QKeySequence(Qt::ALT | Qt::Key_G)});
    a.rotate = addCommand(tr("Rotate"), {QKeySequence(Qt::Key_F4)});
    a.grid->setCheckable(true);
    a.alignGrid->setCheckable(true);
    connect(a.grid, &QAction::triggered, this, [this] { runOnView(&SheetView::toggleGrid); });
    connect(a.alignGrid, &QAction::triggered, this, [this] { runOnView(&SheetView::toggleAlignGrid); });
    connect(a.rotate, &QAction::triggered, this, [this] { runOnView(&SheetView::rotate); });
    m_zoomGroup = new QActionGroup(this);
    for (std::size_t i = 0; i < kZoomLevels.size(); ++i) {
        const int level = kZoomLevels[i];
        a.zoom[i] = addCommand(zoomText(level));
        a.zoom[i]->setCheckable(true);
        m_zoomGroup->addAction(a.zoom[i]);
        connect(a.zoom[i], &QAction::triggered, this, [this, level] { showSelectedZoom(level); });
    }
    a.zoomIn = addCommand(tr("Zoom In"), {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    a.zoomOut = addCommand(tr("Zoom Out"), {QKeySequence::ZoomOut});
    a.fitToWindow = addCommand(tr("Fit to Window"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    const auto zoomStep = [this](QAction* action, int direction) {
        connect(action, &QAction::triggered, this, [this, direction] {
            if (SheetView* view = activeView())
                view->stepZoom(direction, view->windowMiddle());
        });
    };
    zoomStep(a.zoomIn, 1);
    zoomStep(a.zoomOut, -1);
    connect(a.fitToWindow, &QAction::triggered, this, [this] { runOnView(&SheetView::fitToWindow); });

    a.renumber = addCommand(tr("Renumber"));
    a.copyFormat = addCommand(tr("Copy Format"));
    a.pasteFormat = addCommand(tr("Paste Format"));
    a.properties = addCommand(tr("Properties..."), {QKeySequence(Qt::CTRL | Qt::Key_Return),
                                                    QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))});
    connect(a.renumber, &QAction::triggered, this, [this] { runOnView(&SheetView::renumber); });
    connect(a.copyFormat, &QAction::triggered, this, [this] { runOnView(&SheetView::copyFormat); });
    connect(a.pasteFormat, &QAction::triggered, this, [this] { runOnView(&SheetView::pasteFormat); });
    connect(a.properties, &QAction::triggered, this, [this] { runOnView(&SheetView::properties); });

    for (std::size_t i = 0; i < kSimulationItems.size(); ++i) {
        const SimulationCommand command = kSimulationItems[i].command;
        QList<QKeySequence> keys;
        if (command == SimulationCommand::kInitialization)
            keys = {QKeySequence(Qt::ALT | Qt::Key_I)};
        else if (command == SimulationCommand::kOneStepForward)
            keys = {QKeySequence(Qt::ALT | Qt::Key_S), QKeySequence(Qt::ALT | Qt::Key_D)};
        else if (command == SimulationCommand::kStart)
            keys = {QKeySequence(Qt::ALT | Qt::Key_X)};
        a.simulation[i] = addCommand(tr(kSimulationItems[i].text), keys);
        connect(a.simulation[i], &QAction::triggered, this, [this, command] { runSimulation(command); });
    }

    a.newSheet = addCommand(tr("New PN"));
    a.duplicateSheet = addCommand(tr("Duplicate PN"));
    a.sheetProperties = addCommand(tr("PN's Properties..."));
    a.sheetsManager = addCommand(tr("PNs Manager..."), {QKeySequence(Qt::Key_F3)});
    a.arrangeSheets = addCommand(tr("Arrange PNs"));
    connect(a.newSheet, &QAction::triggered, this, &MainWindow::newSheet);
    connect(a.duplicateSheet, &QAction::triggered, this, &MainWindow::duplicateSheet);
    connect(a.sheetProperties, &QAction::triggered, this, &MainWindow::editSheetProperties);
    connect(a.sheetsManager, &QAction::triggered, this, &MainWindow::manageSheets);
    connect(a.arrangeSheets, &QAction::triggered, this, &MainWindow::arrangeSheets);
    a.tileWindows = addCommand(tr("Tile Windows"));
    a.cascadeWindows = addCommand(tr("Cascade Windows"));
    connect(a.tileWindows, &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    connect(a.cascadeWindows, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);

    a.help = addCommand(tr("Help..."));
    a.about = addCommand(tr("About Tokarium..."));
    connect(a.help, &QAction::triggered, this, &MainWindow::showHelp);
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);

    a.nextPane = addCommand(tr("Next Pane"), {QKeySequence(Qt::Key_F6)});
    a.previousPane = addCommand(tr("Previous Pane"), {QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(a.nextPane, &QAction::triggered, m_mdiArea, &QMdiArea::activateNextSubWindow);
    connect(a.previousPane, &QAction::triggered, m_mdiArea, &QMdiArea::activatePreviousSubWindow);
}

void MainWindow::createMenus() {
    const ShellActions& a = m_actions;
    m_fileMenu = new QMenu(tr("&File"), this);
    m_editMenu = new QMenu(tr("&Edit"), this);
    m_editMenu->addActions({a.undo, a.redo});
    m_editMenu->addSeparator();
    m_editMenu->addActions({a.cut, a.copy, a.paste, a.deleteSelection});
    m_editMenu->addSeparator();
    m_editMenu->addAction(a.selectAll);

    m_insertMenu = new QMenu(tr("&Insert"), this);
    QMenu* places = m_insertMenu->addMenu(tr("Place"));
    places->addActions({a.discretePlace, a.continuousPlace});
    QMenu* transitions = m_insertMenu->addMenu(tr("Transition"));
    transitions->addActions({a.discreteTransition, a.continuousTransition});
    QMenu* arcs = m_insertMenu->addMenu(tr("Arc"));
    arcs->addActions({a.ordinaryArc, a.generalizedArc});
    m_insertMenu->addSeparator();
    m_insertMenu->addActions({a.graphs, a.legend});

    m_viewMenu = new QMenu(tr("&View"), this);
    m_viewMenu->addAction(a.toolbar);
    m_viewMenu->addSeparator();
    m_viewMenu->addActions({a.grid, a.alignGrid});
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(a.rotate);
    m_viewMenu->addSeparator();
    QMenu* zoom = m_viewMenu->addMenu(tr("Zoom"));
    for (QAction* level : a.zoom)
        zoom->addAction(level);
    zoom->addSeparator();
    zoom->addActions({a.zoomIn, a.zoomOut, a.fitToWindow});

    m_formatMenu = new QMenu(tr("F&ormat"), this);
    m_formatMenu->addAction(a.renumber);
    m_formatMenu->addSeparator();
    m_formatMenu->addActions({a.copyFormat, a.pasteFormat});
    m_formatMenu->addSeparator();
    m_formatMenu->addAction(a.properties);

    m_simulationMenu = new QMenu(tr("&Simulation"), this);
    for (std::size_t i = 0; i < a.simulation.size(); ++i) {
        m_simulationMenu->addAction(a.simulation[i]);
        const SimulationCommand command = kSimulationItems[i].command;
        if (command == SimulationCommand::kOneStepForward)
            m_simulationMenu->addAction(m_steps->stepBack());
        if (command == SimulationCommand::kStopConditions || command == SimulationCommand::kStart)
            m_simulationMenu->addSeparator();
    }

    m_sheetMenu = new QMenu(tr("&PN"), this);
    m_sheetMenu->addActions({a.newSheet, a.duplicateSheet});
    m_sheetMenu->addSeparator();
    m_sheetMenu->addActions({a.sheetProperties, a.sheetsManager, a.arrangeSheets, a.tileWindows, a.cascadeWindows});
    m_sheetMenu->addSeparator();
    m_sheetMenu->addAction(m_exchange->analysis());
    m_sheetMenu->addSeparator();
    connect(m_sheetMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildSheetMenu);

    m_helpMenu = new QMenu(tr("&?"), this);
    m_helpMenu->addAction(a.help);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(a.about);

    for (QMenu* menu : {m_fileMenu, m_editMenu, m_insertMenu, m_viewMenu, m_formatMenu, m_simulationMenu, m_sheetMenu})
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
}

void MainWindow::createToolbar() {
    const ShellActions& a = m_actions;
    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->toggleViewAction()->setVisible(false);
    m_toolbar->addActions({a.newFile, a.open, a.save});
    m_toolbar->addSeparator();
    m_toolbar->addActions({a.cut, a.copy, a.paste});
    m_toolbar->addSeparator();
    m_toolbar->addAction(a.print);
    m_toolbar->addSeparator();

    // Picking entry i of a list sets the kind to the pair's first kind shifted left by i.
    auto kindList = [this](const QStringList& entries, ObjectKind first, ObjectKind EditorSession::*kind) {
        auto* list = new QComboBox(m_toolbar);
        list->addItems(entries);
        list->setCurrentIndex(maskOf(m_session.*kind) == maskOf(first) ? 0 : 1);
        connect(list, &QComboBox::activated, this, [this, first, kind](int index) {
            m_session.*kind = static_cast<ObjectKind>(maskOf(first) << index);
        });
        return list;
    };
    m_toolbar->addAction(a.placeButton);
    m_placeKinds = kindList({tr("Discrete"), tr("Continuous")}, ObjectKind::kDiscretePlace, &EditorSession::placeKind);
    m_toolbar->addWidget(m_placeKinds);
    m_toolbar->addAction(a.transitionButton);
    m_transitionKinds = kindList({tr("Constant Duration"), tr("Constant Maximal Speed")},
                                 ObjectKind::kDiscreteTransition, &EditorSession::transitionKind);
    m_toolbar->addWidget(m_transitionKinds);
    m_toolbar->addAction(a.arcButton);
    m_arcKinds = kindList({tr("Ordinary"), tr("Generalized")}, ObjectKind::kOrdinaryArc, &EditorSession::arcKind);
    m_toolbar->addWidget(m_arcKinds);
    m_toolbar->addActions({a.graphs, a.legend});
    m_toolbar->addSeparator();

    m_zoomList = new QComboBox(m_toolbar);
    for (auto level = kZoomLevels.rbegin(); level != kZoomLevels.rend(); ++level)
        m_zoomList->addItem(zoomText(*level), *level);
    connect(m_zoomList, &QComboBox::activated, this,
            [this](int index) { showSelectedZoom(m_zoomList->itemData(index).toInt()); });
    m_toolbar->addWidget(m_zoomList);
    m_toolbar->addActions({a.zoomOut, a.zoomIn, a.fitToWindow});

    // The simulation commands and the slider get a row of their own.
    addToolBarBreak();
    QToolBar* steps = m_stepsToolbar = addToolBar(tr("Steps"));
    steps->setObjectName(QStringLiteral("steps"));
    steps->toggleViewAction()->setVisible(false);
    const auto simulation = [&a](SimulationCommand command) { return a.simulation[static_cast<std::size_t>(command)]; };
    steps->addActions({simulation(SimulationCommand::kVerify), simulation(SimulationCommand::kInitialization),
                       simulation(SimulationCommand::kStart)});
    QAction* stepForward = simulation(SimulationCommand::kOneStepForward);
    m_steps = new StepControls(
        *steps, *stepForward,
        [this]() -> NetDocument* { return activeWindow() ? &activeWindow()->document() : nullptr; },
        [this] {
            repaintViews();
            scheduleRefresh();
        });
    addAction(m_steps->stepBack());
}

void MainWindow::showSelectedZoom(int level) {
    if (SheetView* view = activeView()) {
        view->setZoom(level);
        scheduleRefresh();
    }
}

void MainWindow::rebuildFileMenu() {
    const ShellActions& a = m_actions;
    const bool withDocument = !m_documents.empty();
    // A recent-file item may be the one being triggered right now: it is deleted later, not by clear().
    for (QAction* item : m_recentFileItems)
        item->deleteLater();
    m_recentFileItems.clear();
    m_fileMenu->clear();
    if (withDocument) {
        m_fileMenu->addActions({a.newFile, a.open, a.close, a.save, a.saveAs});
        m_fileMenu->addSeparator();
        m_fileMenu->addActions({m_exchange->importPnml(), m_exchange->exportPnml(), m_exchange->exportPicture()});
        m_fileMenu->addSeparator();
        m_fileMenu->addActions({a.print, a.printPreview, a.printSetup});
    } else {
        m_fileMenu->addActions({a.newFile, a.open, m_exchange->importPnml()});
        m_fileMenu->addSeparator();
        m_fileMenu->addAction(a.printSetup);
    }
    m_fileMenu->addSeparator();
    if (m_recentFiles.paths().empty()) {
        QAction* none = m_fileMenu->addAction(fromLatin1Text(std::string(kNoRecentFilesText)));
        none->setEnabled(false);
    }
    for (const std::string& path : m_recentFiles.paths()) {
        auto* item = new QAction(menuItemText(fromPath(recentFileLabel(path))), this);
        connect(item, &QAction::triggered, this, [this, path] { openFile(path); });
        m_fileMenu->addAction(item);
        m_recentFileItems.push_back(item);
    }
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(a.exit);
}

void MainWindow::updateMenuBarForm() {
    const bool withDocument = !m_documents.empty();
    if (m_documentForm == withDocument)
        return;
    m_documentForm = withDocument;
    rebuildFileMenu();
    menuBar()->clear();
    menuBar()->addMenu(m_fileMenu);
    if (withDocument) {
        for (QMenu* menu : {m_editMenu, m_insertMenu, m_viewMenu, m_formatMenu, m_simulationMenu, m_sheetMenu})
            menuBar()->addMenu(menu);
    }
    menuBar()->addMenu(m_helpMenu);
}

void MainWindow::rebuildSheetMenu() {
    for (QAction* item : m_sheetMenuItems) {
        m_sheetMenu->removeAction(item);
        item->deleteLater();
    }
    m_sheetMenuItems.clear();
    SheetFrame* active = activeWindow();
    if (!active)
        return;
    const std::shared_ptr<NetDocument> document = active->sharedDocument();
    for (NetSheet* sheet : document->sheetsInMenu()) {
        QAction* item = m_sheetMenu->addAction(menuItemText(fromLatin1Text(sheet->name())));
        item->setCheckable(true);
        item->setChecked(sheet == &active->sheet());
        const std::weak_ptr<NetDocument> owner = document;
        const std::int32_t id = sheet->id();
        connect(item, &QAction::triggered, this, [this, owner, id] {
            if (const auto shown = owner.lock())
                if (NetSheet* target = shown->findSheetById(id))
                    showSheet(*shown, *target);
        });
        m_sheetMenuItems.push_back(item);
    }
}

void MainWindow::updateCommandStates() {
    const ShellActions& a = m_actions;
    SheetView* view = activeView();
    const bool hasView = view != nullptr;
    const bool selection = hasView && view->hasSelection();
    for (QAction* action : {a.close, a.save, a.saveAs, a.print, a.printPreview, a.selectAll, a.discretePlace,
                            a.continuousPlace, a.discreteTransition, a.continuousTransition, a.ordinaryArc,
                            a.generalizedArc, a.graphs, a.legend, a.placeButton, a.transitionButton, a.arcButton,
                            a.grid, a.alignGrid, a.renumber, a.newSheet, a.duplicateSheet, a.sheetProperties,
                            a.sheetsManager, a.arrangeSheets, a.tileWindows, a.cascadeWindows, a.zoomIn, a.zoomOut,
                            a.fitToWindow})
        action->setEnabled(hasView);
    for (QAction* action : a.zoom)
        action->setEnabled(hasView);
    for (QAction* action : {a.cut, a.copy, a.deleteSelection, a.copyFormat, a.pasteFormat, a.properties})
        action->setEnabled(selection);
    a.undo->setEnabled(hasView && view->canUndo());
    a.redo->setEnabled(hasView && view->canRedo());
    a.paste->setEnabled(hasView && view->canPaste());
    a.rotate->setEnabled(hasView && view->canRotate());
    a.grid->setChecked(hasView && view->isGridShown());
    a.alignGrid->setChecked(hasView && view->isAlignGridOn());
    a.graphs->setChecked(hasView && view->isInsertChecked(ObjectKind::kGraph));
    a.legend->setChecked(hasView && view->isInsertChecked(ObjectKind::kLegend));
    a.placeButton->setChecked(hasView && view->isPlaceModeActive());
    a.transitionButton->setChecked(hasView && view->isTransitionModeActive());
    a.arcButton->setChecked(hasView && view->isArcModeActive());
    for (std::size_t i = 0; i < kZoomLevels.size(); ++i)
        a.zoom[i]->setChecked(hasView && view->zoom() == kZoomLevels[i]);

    const SimulationTarget target = simulationTarget();
    for (std::size_t i = 0; i < a.simulation.size(); ++i)
        a.simulation[i]->setEnabled(m_simulation && hasView && m_simulation->isEnabled(kSimulationItems[i].command, target));
}

void MainWindow::refreshNow() {
    m_refreshTimer->stop();
    updateMenuBarForm();
    for (SheetFrame* window : sheetFrames())
        window->refreshTitle();
    if (SheetView* view = activeView()) {
        // A zoom between the levels (Fit to Window) leaves the list blank; the status bar shows it.
        const int position = m_zoomList->findData(view->zoom());
        if (position != m_zoomList->currentIndex())
            m_zoomList->setCurrentIndex(position);
    }
    m_zoomList->setEnabled(activeView() != nullptr);
    m_status->showView(activeView());
    m_steps->refresh();
    refreshMainTitle();
    updateCommandStates();
}

void MainWindow::refreshMainTitle() {
    const QString program = fromLatin1Text(std::string(kDocumentTypeName));
    SheetFrame* active = activeWindow();
    const QString title = active ? QFile::decodeName(QByteArray::fromStdString(active->document().title()))
                                       + QStringLiteral("[*] - ") + program
                                 : program;
    if (windowTitle() != title)
        setWindowTitle(title);
    setWindowModified(active && active->document().isModified());
}

void MainWindow::repaintViews() {
    for (SheetFrame* window : sheetFrames())
        window->view().viewport()->update();
}

void MainWindow::scheduleRefresh() {
    if (!m_refreshTimer->isActive())
        m_refreshTimer->start();
}

SimulationTarget MainWindow::simulationTarget() {
    SheetFrame* window = activeWindow();
    if (!window)
        return {this, nullptr, nullptr};
    return {this, &window->document(), &window->sheet()};
}

void MainWindow::runSimulation(SimulationCommand command) {
    SheetView* view = activeView();
    if (!m_simulation || !view)
        return;
    view->cancelMouseOperation();
    m_simulation->run(command, simulationTarget());
    repaintViews();
    scheduleRefresh();
}

void MainWindow::showHelp() {
    // Beside the program in the build tree, in share/doc/tokarium of an install.
    const QString name = QString::fromLatin1(kHelpFileName.data(), static_cast<qsizetype>(kHelpFileName.size()));
    QString manual = QDir(m_programFolder).filePath(name);
    const QString installed = QDir(m_programFolder).filePath(QStringLiteral("../share/doc/tokarium/") + name);
    if (!QFileInfo::exists(manual) && QFileInfo::exists(installed))
        manual = QDir::cleanPath(installed);
    if (!QFileInfo::exists(manual)) {
        prompt().showMessage(formatMessage(kCantOpenFileMessage, toPath(manual)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        prompt().showMessage(formatMessage(kNoViewerMessage, toPath(manual)));
}

void MainWindow::showAbout() {
    QMessageBox box(QMessageBox::Information, tr("About Tokarium"),
                    QString::fromStdString(aboutText(qVersion())), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeAllAndSaveSettings()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            openFile(toPath(url.toLocalFile()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isAltAccelerator(*key))
        return QMainWindow::eventFilter(watched, event);
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool ours = widget ? widget->window() == this : watched == windowHandle();
    if (!ours)
        return QMainWindow::eventFilter(watched, event);
    const QKeySequence pressed(key->keyCombination());
    updateCommandStates();
    for (QAction* action : actions()) {
        if (!action->isEnabled() || !action->shortcuts().contains(pressed))
            continue;
        if (event->type() == QEvent::ShortcutOverride) {
            // Claims the key, so that it arrives as a key press instead of opening a menu.
            event->accept();
            return true;
        }
        action->trigger();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tokarium
