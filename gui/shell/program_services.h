// What the program installs in its main window: property dialogs, graph drawing and the simulation.
#pragma once

#include <memory>

#include "gui/bridge/engine_choice.h"
#include "gui/editor/dialog_object_properties.h"
#include "gui/plot/graph_drawing.h"
#include "gui/shell/message_box_prompt.h"
#include "gui/shell/shell_simulation.h"

namespace tokarium {

class MainWindow;

// Made after the main window and destroyed before it; takes everything out of it again on destruction.
class ProgramServices {
public:
    // Installs everything in the window; the engines are found through the settings.
    ProgramServices(MainWindow& window, BridgeSettings settings);
    ~ProgramServices();

    ShellSimulation& simulation() { return *m_simulation; }

private:
    MainWindow& m_window;
    PropertyDialogs m_propertyDialogs;
    GraphDrawer m_graphDrawer;
    MessageBoxPrompt m_prompt;
    std::unique_ptr<ShellSimulation> m_simulation;
};

} // namespace tokarium
