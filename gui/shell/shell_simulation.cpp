// ShellSimulation.
#include "gui/shell/shell_simulation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <system_error>

#include "gui/bridge/simulation_menu.h"
#include "gui/bridge/start_run.h"
#include "gui/check/check_messages.h"
#include "gui/check/message_subject.h"
#include "gui/check/verify.h"
#include "gui/editor/conflicts_dialog.h"
#include "gui/editor/messages_dialog.h"
#include "gui/editor/sheet_view.h"
#include "gui/editor/stop_conditions_dialog.h"
#include "gui/shell/engine_wait.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/sheet_frame.h"
#include "gui/shell/shell_constants.h"

namespace tokarium {
namespace {

// The ordinary arrow, and no run progress, over a message shown while an engine command runs.
class ArrowCursor {
public:
    explicit ArrowCursor(EngineWait& wait) {
        wait.hideProgress();
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

// Messages of a simulation command.
class ArrowCursorPrompt : public UserPrompt {
public:
    ArrowCursorPrompt(UserPrompt& prompt, EngineWait& wait) : m_prompt(prompt), m_wait(wait) {}
    void showMessage(const std::string& text) override {
        ArrowCursor arrow(m_wait);
        m_prompt.showMessage(text);
    }
    void showInformation(const std::string& text) override {
        ArrowCursor arrow(m_wait);
        m_prompt.showInformation(text);
    }
    bool askYesNo(const std::string& text) override {
        ArrowCursor arrow(m_wait);
        return m_prompt.askYesNo(text);
    }
    Answer askYesNoCancel(const std::string& text) override {
        ArrowCursor arrow(m_wait);
        return m_prompt.askYesNoCancel(text);
    }

private:
    UserPrompt& m_prompt;
    EngineWait& m_wait;
};

// Brings the failing sheet to the front and lists its messages; tells engine problems through the prompt.
class WindowFeedback : public SimulationFeedback {
public:
    WindowFeedback(MainWindow& window, std::function<void(NetSheet&, const std::vector<std::string>&)> show,
                   UserPrompt& prompt)
        : m_window(window), m_show(std::move(show)), m_prompt(prompt) {}

    void showEngineProblem(const NetSheet& sheet) override { m_prompt.showMessage(engineProblemText(sheet)); }

    void showVerificationFailure(NetSheet& sheet, const std::vector<std::string>& messages) override {
        for (NetDocument* document : m_window.documents())
            for (const auto& own : document->sheets())
                if (own.get() == &sheet)
                    m_window.showSheet(*document, sheet);
        m_show(sheet, messages);
    }

private:
    MainWindow& m_window;
    std::function<void(NetSheet&, const std::vector<std::string>&)> m_show;
    UserPrompt& m_prompt;
};

// Ends the document's simulation before its settings change; the recorded states go with it, so that
// stepping forward cannot replay a run made with the old settings.
void discardSimulation(NetDocument& document) {
    document.resetAllAndMarkModified();
}

} // namespace

ShellSimulation::ShellSimulation(MainWindow& window, BridgeSettings settings, UserPrompt& prompt, SimulationUi ui)
    : m_window(window), m_settings(std::move(settings)), m_prompt(prompt), m_ui(std::move(ui)) {
    if (!m_ui.openFile)
        m_ui.openFile = [](const QString& file) { return QDesktopServices::openUrl(QUrl::fromLocalFile(file)); };
}

bool ShellSimulation::isEnabled(SimulationCommand, const SimulationTarget& target) const {
    return target.document && target.sheet;
}

void ShellSimulation::run(SimulationCommand command, const SimulationTarget& target) {
    if (!isEnabled(command, target))
        return;
    switch (command) {
    case SimulationCommand::kVerify:
        verifyCommand(target);
        break;
    case SimulationCommand::kConflictsResolution:
        conflictsCommand(target);
        break;
    case SimulationCommand::kStopConditions:
        stopConditionsCommand(target);
        break;
    case SimulationCommand::kInitialization:
    case SimulationCommand::kOneStepForward:
    case SimulationCommand::kStart:
        engineCommand(command, target);
        break;
    case SimulationCommand::kPlotter:
        plotterCommand(target);
        break;
    case SimulationCommand::kShortResults:
        reportCommand(target, false);
        break;
    case SimulationCommand::kLongResults:
        reportCommand(target, true);
        break;
    }
}

void ShellSimulation::showMessages(QWidget* parent, NetSheet& sheet, const std::vector<std::string>& messages) {
    MessagesDialog dialog(parent, messages);
    // A double-clicked message selects the objects it names in the sheet's window.
    dialog.setActivationHandler([this, &sheet, &messages](std::size_t message) {
        if (SheetFrame* window = m_window.windowOf(sheet))
            window->view().selectAndShow(messageSubjects(sheet, messages.at(message)));
    });
    m_ui.runDialog(dialog);
}

void ShellSimulation::verifyCommand(const SimulationTarget& target) {
    std::vector<std::string> messages;
    if (verify(*target.sheet, messages))
        m_prompt.showInformation(std::string(kMessageValidNet));
    else
        showMessages(target.parent, *target.sheet, messages);
}

void ShellSimulation::conflictsCommand(const SimulationTarget& target) {
    discardSimulation(*target.document);
    std::vector<std::string> messages;
    if (!verify(*target.sheet, messages)) {
        showMessages(target.parent, *target.sheet, messages);
        return;
    }
    ConflictsDialog dialog(target.parent, *target.sheet);
    m_ui.runDialog(dialog);
}

void ShellSimulation::stopConditionsCommand(const SimulationTarget& target) {
    discardSimulation(*target.document);
    StopConditionsDialog dialog(target.parent, *target.sheet);
    m_ui.runDialog(dialog);
}

void ShellSimulation::engineCommand(SimulationCommand command, const SimulationTarget& target) {
    EngineWait wait(m_window.runProgress(), m_ui.progressDelay);
    BridgeSettings settings = m_settings;
    settings.keepWaiting = [&wait](const EngineProgress& progress) { return wait.keepWaiting(progress); };
    ArrowCursorPrompt prompt(m_prompt, wait);
    WindowFeedback feedback(
        m_window,
        [this, &target, &wait](NetSheet& sheet, const std::vector<std::string>& messages) {
            ArrowCursor arrow(wait);
            showMessages(target.parent, sheet, messages);
        },
        prompt);
    NetDocument& document = *target.document;
    if (command == SimulationCommand::kInitialization)
        runInitialization(document, settings, feedback);
    else if (command == SimulationCommand::kStart)
        runStart(document, settings, feedback);
    else
        runOneStepForward(document, settings, feedback, prompt);
}

void ShellSimulation::plotterCommand(const SimulationTarget& target) {
    const std::filesystem::path programFile = m_settings.programFolder / kProgramFileName;
    PlotterWindow window(target.parent, *target.sheet,
                         proposedPlotterFileName(target.document->path(), programFile.string()), m_ui.chooseSaveFile);
    m_ui.runDialog(window);
}

void ShellSimulation::reportCommand(const SimulationTarget& target, bool longReport) {
    const std::filesystem::path report = reportFile(*target.sheet, longReport);
    std::error_code error;
    if (!std::filesystem::is_regular_file(report, error)) {
        m_prompt.showMessage(formatMessage(kCantOpenFileMessage, report.string()));
        return;
    }
    if (!m_ui.openFile(fromPath(report.string())))
        m_prompt.showMessage(formatMessage(kNoViewerMessage, report.string()));
}

} // namespace tokarium
