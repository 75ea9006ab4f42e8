// Names, bounds and texts of the application shell.
#pragma once

#include <cstddef>
#include <string_view>

#include "gui/editor/editor_constants.h"

namespace tokarium {

// The settings file (beside the program, or in the user's configuration folder when the program's
// folder cannot be written), and where it keeps the recent files.
constexpr std::string_view kSettingsFileName = "tokarium.ini";
constexpr std::string_view kRecentFilesSection = "Files";
constexpr std::string_view kRecentFileKeyPrefix = "File";
constexpr std::size_t kMaxRecentFiles = 4;
// Where it keeps the layout of the main window's toolbars (Qt's saved state, in base 64).
constexpr std::string_view kWindowSection = "Window";
constexpr std::string_view kLayoutKey = "Layout";
// ... and the main window's place, its size when not maximised and whether it was maximised.
constexpr std::string_view kGeometryKey = "Geometry";
// The File menu's single disabled item when there are no recent files.
constexpr std::string_view kNoRecentFilesText = "...";

// The program's own file name; the Plotter proposes it for the table of a document never saved.
constexpr std::string_view kProgramFileName = "tokarium";

// The manual opened by "Help...", beside the program.
constexpr std::string_view kHelpFileName = "howto.pdf";

// Default placement of child windows: cascade offset and steps, and the smallest default size.
constexpr int kCascadeOffset = 24;
constexpr std::size_t kCascadeSteps = 10;
constexpr int kDefaultFrameWidth = 640;
constexpr int kDefaultFrameHeight = 480;

// Told when no program can be started to show a report or the manual.
constexpr std::string_view kNoViewerMessage = "No program could be started to show \"%s\"; the file is there to open by hand.";

// Told when a document cannot be written (the previous file stays as it was).
constexpr std::string_view kCantSaveFileMessage = "Can't save file \"%s\".";

} // namespace tokarium
