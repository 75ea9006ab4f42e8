// EngineWait.
#include "gui/shell/engine_wait.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "gui/shell/run_progress.h"

namespace tokarium {
namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

EngineWait::EngineWait(RunProgress& display, std::chrono::milliseconds showDelay)
    : m_display(display), m_showDelay(showDelay) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    connect(&m_display.cancelButton(), &QPushButton::clicked, this, &EngineWait::cancel);
    m_running.start();
}

EngineWait::~EngineWait() {
    m_display.hide();
    QApplication::restoreOverrideCursor();
}

void EngineWait::hideProgress() {
    if (m_shown) {
        m_display.hide();
        m_shown = false;
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
    m_running.restart();
}

bool EngineWait::keepWaiting(const EngineProgress& progress) {
    if (m_cancelled)
        return false;
    if (!m_shown && m_running.elapsed() >= m_showDelay.count()) {
        m_shown = true;
        m_display.show();
        // "Cancel" takes clicks, so the arrow shows beside the busy sign.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    }
    if (m_shown) {
        m_display.showProgress(progress);
        qApp->installEventFilter(this);
        QApplication::processEvents(QEventLoop::AllEvents);
        qApp->removeEventFilter(this);
    } else {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !m_cancelled;
}

bool EngineWait::eventFilter(QObject* watched, QEvent* event) {
    // Closing the main window would take the running documents away.
    if (event->type() == QEvent::Close && watched == m_display.window()) {
        event->ignore();
        return true;
    }
    // Input reaches a widget through its window first; the widget is where it is held back.
    if (!isUserInput(event->type()) || watched->isWindowType() || watched == &m_display.cancelButton())
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        cancel();
    // A shortcut asked for is taken here, so that it reaches no command.
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    else
        event->ignore();
    return true;
}

} // namespace tokarium
