// Keeps the window painted while an engine runs, with a busy cursor, the run's progress in the
// status bar and a way to cancel the run.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <chrono>

#include "gui/bridge/engine_progress.h"

namespace tokarium {

class RunProgress;

// Lives for one simulation command. The busy cursor shows from construction to destruction. Each call
// of keepWaiting() handles pending events; once an engine has run for showDelay, the status bar shows
// its clock against the duration and "Cancel" (Esc does the same). Meanwhile the rest of the window
// takes no input, so no other command can start. After a cancel every later engine run of the same
// command is stopped at once.
class EngineWait : public QObject {
public:
    EngineWait(RunProgress& display, std::chrono::milliseconds showDelay);
    ~EngineWait() override;
    EngineWait(const EngineWait&) = delete;
    EngineWait& operator=(const EngineWait&) = delete;

    // For BridgeSettings::keepWaiting: false once the user has cancelled.
    bool keepWaiting(const EngineProgress& progress);
    // What "Cancel" does.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    // Hides the progress while the command shows a message; the next long engine run shows it again.
    void hideProgress();

protected:
    // While the progress shows: user input reaches "Cancel" only.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RunProgress& m_display;
    std::chrono::milliseconds m_showDelay;
    QElapsedTimer m_running;
    bool m_shown = false;
    bool m_cancelled = false;
};

} // namespace tokarium
