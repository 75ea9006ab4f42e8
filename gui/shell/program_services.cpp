// ProgramServices.
#include "gui/shell/program_services.h"

#include "gui/shell/main_window.h"

namespace tokarium {

ProgramServices::ProgramServices(MainWindow& window, BridgeSettings settings)
    : m_window(window), m_prompt(&window),
      m_simulation(std::make_unique<ShellSimulation>(window, std::move(settings), m_prompt)) {
    EditorSession& session = window.editorSession();
    session.propertiesEditor = &m_propertyDialogs;
    session.graphRenderer = &m_graphDrawer;
    window.setSimulationCommands(m_simulation.get());
}

ProgramServices::~ProgramServices() {
    m_window.setSimulationCommands(nullptr);
    EditorSession& session = m_window.editorSession();
    session.propertiesEditor = nullptr;
    session.graphRenderer = nullptr;
}

} // namespace tokarium
