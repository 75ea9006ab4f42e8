// tokarium: the Petri net editor and simulation front end.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "gui/bridge/batch_mode.h"
#include "gui/bridge/batch_tools.h"
#include "gui/shell/command_line.h"
#include "gui/shell/main_window.h"
#include "gui/shell/picture_command.h"
#include "gui/shell/program_services.h"
#include "gui/shell/settings_file.h"
#include "gui/shell/qt_text.h"

namespace {

// Time the window is given to lay itself out and paint before a screenshot is taken.
constexpr int kScreenshotDelayMs = 300;
// Size of the window in a screenshot, whatever the (possibly virtual) screen is.
constexpr QSize kScreenshotSize(1280, 800);

} // namespace

int main(int argc, char* argv[]) {
    // Modes that need no display (batch simulation, --help) are handled here, before the windows' own
    // arguments are read and before the application exists.
    if (tokarium::wantsBatchTool(argc, argv))
        return tokarium::runBatchTool(argc, argv, std::cout, std::cerr);
    if (tokarium::wantsPictureExport(argc, argv))
        return tokarium::runPictureExport(argc, argv, std::cout, std::cerr);
    if (tokarium::wantsBatchMode(argc, argv))
        return tokarium::runBatch(argc, argv, std::cout, std::cerr);

    const tokarium::CommandLine commandLine =
        tokarium::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "tokarium: %s\nusage: tokarium [--keep-runs] [--screenshot FILE.png [--start]] [DOCUMENT.pn]\n",
                     commandLine.error.c_str());
        return 2;
    }
    QApplication application(argc, argv);
    // QApplication took the desktop's locale; numbers in files are always written in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    tokarium::MainWindow window(QCoreApplication::applicationDirPath());
    tokarium::BridgeSettings bridge = tokarium::BridgeSettings::forRunningProgram();
    bridge.keepRuns = commandLine.keepRuns || tokarium::keepRunsSetting(window.settingsPath());
    tokarium::ProgramServices services(window, bridge);
    // The frame takes its size before documents open, so that their windows are sized for it.
    window.resize(commandLine.screenshot ? kScreenshotSize : window.screen()->availableGeometry().size());
    window.startUp(commandLine.document);
    if (!commandLine.screenshot) {
        window.showAsLeft();
        return application.exec();
    }

    window.show();
    if (commandLine.start)
        if (QAction* start = window.commands().simulation[static_cast<std::size_t>(tokarium::SimulationCommand::kStart)]) {
            window.refreshNow();
            start->trigger();
        }
    const QString target = tokarium::fromPath(*commandLine.screenshot);
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, target] {
        window.refreshNow();
        const bool saved = window.grab().save(target, "PNG");
        if (!saved)
            std::fprintf(stderr, "tokarium: cannot write %s\n", target.toLocal8Bit().constData());
        // Ends without the Exit questions and without touching the recent-file list.
        QCoreApplication::exit(saved ? 0 : 1);
    });
    return application.exec();
}
