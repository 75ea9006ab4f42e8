// The Simulation menu carried out over the simulation bridge, with dialogs, reports and the Plotter.
#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "gui/bridge/engine_choice.h"
#include "gui/model/user_prompt.h"
#include "gui/shell/plotter_window.h"
#include "gui/shell/simulation_commands.h"

class QDialog;

namespace tokarium {

class MainWindow;

// An engine running longer than this shows its progress and "Cancel" in the status bar.
inline constexpr std::chrono::milliseconds kProgressDelay{1500};

// How the commands show their modal windows and open reports; tests replace them.
struct SimulationUi {
    // Runs a modal dialog (Messages, Conflicts Resolution, Stop Conditions, Plotter) to its end.
    std::function<void(QDialog&)> runDialog = [](QDialog& dialog) { dialog.exec(); };
    // Hands a report file to the desktop's viewer; false when no viewer could be started.
    std::function<bool(const QString& file)> openFile;
    SaveFileChooser chooseSaveFile = plotterFileDialog();
    std::chrono::milliseconds progressDelay = kProgressDelay;
};

class ShellSimulation : public SimulationCommands {
public:
    // The engines are found through the settings; messages go to the prompt.
    ShellSimulation(MainWindow& window, BridgeSettings settings, UserPrompt& prompt, SimulationUi ui = {});

    bool isEnabled(SimulationCommand command, const SimulationTarget& target) const override;
    void run(SimulationCommand command, const SimulationTarget& target) override;

    const BridgeSettings& settings() const { return m_settings; }

private:
    void verifyCommand(const SimulationTarget& target);
    void conflictsCommand(const SimulationTarget& target);
    void stopConditionsCommand(const SimulationTarget& target);
    void engineCommand(SimulationCommand command, const SimulationTarget& target);
    void plotterCommand(const SimulationTarget& target);
    void reportCommand(const SimulationTarget& target, bool longReport);
    void showMessages(QWidget* parent, NetSheet& sheet, const std::vector<std::string>& messages);

    MainWindow& m_window;
    BridgeSettings m_settings;
    UserPrompt& m_prompt;
    SimulationUi m_ui;
};

} // namespace tokarium
