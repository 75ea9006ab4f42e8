// Keeps the window painted while an engine runs, with a busy cursor and a way to cancel the run.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <chrono>

class QWidget;

namespace tokarium {

// Lives for one simulation command. The busy cursor shows from construction to destruction. Each call
// of keepWaiting() handles pending paint and timer events (no user input, so no other command can
// start); once an engine has run for offerDelay, a modal "Simulation" box with "Cancel" appears, and
// after a cancel every later engine run of the same command is stopped at once.
class EngineWait {
public:
    EngineWait(QWidget* parent, std::chrono::milliseconds offerDelay);
    ~EngineWait();
    EngineWait(const EngineWait&) = delete;
    EngineWait& operator=(const EngineWait&) = delete;

    // For BridgeSettings::keepWaiting: false once the user has cancelled.
    bool keepWaiting();
    // What the box's "Cancel" does.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    // Hides the box while the command shows a message; the next long engine run offers it again.
    void hideCancelBox();
    // The cancel box once it has been offered, else none.
    QProgressDialog* cancelBox() const { return m_box; }

private:
    QWidget* m_parent;
    std::chrono::milliseconds m_offerDelay;
    QElapsedTimer m_running;
    QPointer<QProgressDialog> m_box;
    bool m_cancelled = false;
};

} // namespace tokarium
