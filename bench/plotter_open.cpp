// Opens the Plotter on a sheet whose nodes recorded a long run and prints how long that took and the
// peak memory of the process, before and after.
// Usage: plotter_open [steps]   (default 1000000; run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/shell/plotter_window.h"

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Three places and two transitions whose values change at every step.
void recordRun(tokarium::NetSheet& sheet, long steps) {
    using tokarium::ObjectKind;
    for (int i = 1; i <= 3; ++i) {
        auto place = tokarium::createObject(ObjectKind::kContinuousPlace);
        static_cast<tokarium::NetNode&>(*place).setIndex(i);
        sheet.add(std::move(place));
    }
    for (int i = 1; i <= 2; ++i) {
        auto transition = tokarium::createObject(ObjectKind::kContinuousTransition);
        static_cast<tokarium::NetNode&>(*transition).setIndex(i);
        sheet.add(std::move(transition));
    }
    for (long step = 0; step < steps; ++step) {
        int column = 0;
        for (tokarium::NetObject* object : sheet.objects(tokarium::kNodeKinds))
            static_cast<tokarium::NetNode&>(*object).appendHistory(0.5 * step, (step * (column++ + 3)) % 97);
    }
    sheet.setDuration(0.5 * (steps - 1));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const long steps = argc > 1 ? std::atol(argv[1]) : 1000000;
    tokarium::NetSheet sheet;
    recordRun(sheet, steps);
    const double before = peakMegabytes();
    const auto start = std::chrono::steady_clock::now();
    {
        tokarium::PlotterWindow window(nullptr, sheet, "unused.txt", [](QWidget*, const QString&) { return QString(); });
        window.show();
        QApplication::processEvents();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("steps %ld: Plotter open and painted in %.3f s; peak memory %.0f MB before, %.0f MB after\n",
                    steps, seconds, before, peakMegabytes());
    }
    return 0;
}
