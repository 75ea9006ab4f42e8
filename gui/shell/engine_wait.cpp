// EngineWait.
#include "gui/shell/engine_wait.h"

#include <QApplication>
#include <QProgressDialog>

namespace tokarium {

EngineWait::EngineWait(QWidget* parent, std::chrono::milliseconds offerDelay)
    : m_parent(parent), m_offerDelay(offerDelay) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_running.start();
}

EngineWait::~EngineWait() {
    delete m_box.data();
    QApplication::restoreOverrideCursor();
}

void EngineWait::hideCancelBox() {
    delete m_box.data();
    m_running.restart();
}

bool EngineWait::keepWaiting() {
    if (m_cancelled)
        return false;
    if (!m_box && m_running.elapsed() >= m_offerDelay.count()) {
        m_box = new QProgressDialog(QObject::tr("The simulation engine is running."), QObject::tr("Cancel"), 0, 0,
                                    m_parent);
        m_box->setWindowTitle(QObject::tr("Simulation"));
        m_box->setWindowModality(Qt::ApplicationModal);
        m_box->setMinimumDuration(0);
        m_box->setAutoReset(false);
        m_box->setAutoClose(false);
        // The box takes clicks again, so the arrow shows over it.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
        m_box->show();
    }
    // Only the modal box may take input: the main window stays blocked until the command ends.
    QApplication::processEvents(m_box ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    if (m_box && m_box->wasCanceled())
        m_cancelled = true;
    return !m_cancelled;
}

} // namespace tokarium
