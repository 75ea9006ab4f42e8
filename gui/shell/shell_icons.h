// The icons of the program and its commands: SVG pictures compiled into the program, sharp at any scale.
#pragma once

#include <QIcon>
#include <QString>

class QAction;

namespace tokarium {

struct ShellActions;

// The picture ":/icons/<name>.svg" ("tokarium" is the program's own icon).
QIcon shellIcon(const QString& name);

// Gives the commands their icons (shown on the toolbar and in the menus) and tool tips naming the
// command and its first shortcut, "Save (Ctrl+S)".
void decorateCommands(const ShellActions& actions);

// "Print..." with the shortcut Ctrl+P gives "Print (Ctrl+P)".
QString commandToolTip(const QAction& action);

} // namespace tokarium
