// The Simulation menu's commands, carried out by whoever installs an implementation in the main window.
#pragma once

#include <cstddef>

class QWidget;

namespace tokarium {

class NetDocument;
class NetSheet;

enum class SimulationCommand {
    kVerify,
    kConflictsResolution,
    kStopConditions,
    kInitialization,
    kOneStepForward,
    kStart,
    kPlotter,
    kShortResults,
    kLongResults,
};

constexpr std::size_t kSimulationCommandCount = 9;

// What a command works on: the active window's document and sheet, and the window to put dialogs over.
struct SimulationTarget {
    QWidget* parent = nullptr;
    NetDocument* document = nullptr;
    NetSheet* sheet = nullptr;
};

class SimulationCommands {
public:
    virtual ~SimulationCommands() = default;
    // Whether the menu item is enabled for the target; asked whenever the menus are refreshed.
    virtual bool isEnabled(SimulationCommand command, const SimulationTarget& target) const = 0;
    // Carries the command out; the main window repaints every view afterwards.
    virtual void run(SimulationCommand command, const SimulationTarget& target) = 0;
};

} // namespace tokarium
