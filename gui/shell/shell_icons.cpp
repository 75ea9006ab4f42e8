// Icons and tool tips of the commands.
#include "gui/shell/shell_icons.h"

#include <QAction>
#include <utility>

#include "gui/shell/main_window.h"

// The resources live in a static library: they are registered on first use so that the linker keeps them.
static void registerIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace tokarium {

QIcon shellIcon(const QString& name) {
    static const bool registered = (registerIcons(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QString commandToolTip(const QAction& action) {
    QString text = action.text();
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    const QKeySequence key = action.shortcut();
    return key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
}

void decorateCommands(const ShellActions& a) {
    const auto step = [&a](SimulationCommand command) { return a.simulation[static_cast<std::size_t>(command)]; };
    const std::pair<QAction*, const char*> icons[] = {
        {a.newFile, "new"},
        {a.open, "open"},
        {a.save, "save"},
        {a.print, "print"},
        {a.undo, "undo"},
        {a.redo, "redo"},
        {a.cut, "cut"},
        {a.copy, "copy"},
        {a.paste, "paste"},
        {a.deleteSelection, "delete"},
        {a.discretePlace, "place"},
        {a.continuousPlace, "place"},
        {a.discreteTransition, "transition"},
        {a.continuousTransition, "transition"},
        {a.ordinaryArc, "arc"},
        {a.generalizedArc, "arc"},
        {a.placeButton, "place"},
        {a.transitionButton, "transition"},
        {a.arcButton, "arc"},
        {a.graphs, "graphs"},
        {a.legend, "legend"},
        {a.zoomIn, "zoom_in"},
        {a.zoomOut, "zoom_out"},
        {a.fitToWindow, "fit_to_window"},
        {step(SimulationCommand::kVerify), "verify"},
        {step(SimulationCommand::kInitialization), "initialization"},
        {step(SimulationCommand::kOneStepForward), "step_forward"},
        {step(SimulationCommand::kStart), "start"},
    };
    for (const auto& [action, name] : icons)
        action->setIcon(shellIcon(QString::fromLatin1(name)));
    for (QAction* action : {a.newFile, a.open, a.save, a.print, a.undo, a.redo, a.cut, a.copy, a.paste,
                            a.deleteSelection, a.placeButton, a.transitionButton, a.arcButton, a.graphs, a.legend,
                            a.zoomIn, a.zoomOut, a.fitToWindow})
        action->setToolTip(commandToolTip(*action));
    for (QAction* action : a.simulation)
        action->setToolTip(commandToolTip(*action));
}

} // namespace tokarium
