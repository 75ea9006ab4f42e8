// The sheet window's navigation habits: zoom steps around a point, fit to window, wheel and panning.
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "gui/editor/editor_constants.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/sheet_view.h"

namespace tokarium {

namespace {

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

} // namespace

QPoint SheetView::windowMiddle() const {
    return {viewport()->width() / 2, viewport()->height() / 2};
}

void SheetView::zoomAround(int zoom, QPoint windowPoint) {
    const QPoint fixed = toLogical(windowPoint);
    m_editor.setZoom(zoom);
    updateScrollRange();
    const int shown = shownZoom(sheet());
    horizontalScrollBar()->setValue(mulDiv(fixed.x(), shown, 100) - windowPoint.x());
    verticalScrollBar()->setValue(mulDiv(fixed.y(), shown, 100) - windowPoint.y());
    refresh();
}

void SheetView::stepZoom(int direction, QPoint windowPoint) {
    const int current = shownZoom(sheet());
    if (direction > 0) {
        const auto next = std::find_if(kZoomLevels.begin(), kZoomLevels.end(), [&](int z) { return z > current; });
        if (next != kZoomLevels.end())
            zoomAround(*next, windowPoint);
    } else {
        const auto next = std::find_if(kZoomLevels.rbegin(), kZoomLevels.rend(), [&](int z) { return z < current; });
        if (next != kZoomLevels.rend())
            zoomAround(*next, windowPoint);
    }
}

void SheetView::fitToWindow() {
    const Rect page = pageRect(sheet());
    if (page.width() <= 0 || page.height() <= 0)
        return;
    const int across = viewport()->width() * 100 / page.width();
    const int down = viewport()->height() * 100 / page.height();
    zoomAround(std::clamp(std::min(across, down), kMinimumZoom, kMaximumZoom), windowMiddle());
}

void SheetView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        m_wheelTurn = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // Fine-grained wheels (touchpads) send small turns: a step is taken once a whole notch is reached.
    m_wheelTurn += event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    for (; m_wheelTurn >= kWheelNotch; m_wheelTurn -= kWheelNotch)
        stepZoom(1, at);
    for (; m_wheelTurn <= -kWheelNotch; m_wheelTurn += kWheelNotch)
        stepZoom(-1, at);
}

void SheetView::selectAndShow(const std::vector<NetObject*>& objects) {
    cancelMouseOperation();
    for (NetObject* object : sheet().objects())
        object->setSelected(false);
    for (NetObject* object : objects)
        object->setSelected(true);
    if (!objects.empty()) {
        const Rect bounds = objects.front()->bounds();
        const QPoint centre = toWindow(QPoint((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2));
        const QPoint middle = windowMiddle();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + centre.x() - middle.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() + centre.y() - middle.y());
    }
    refresh();
}

bool SheetView::startsPan(const QMouseEvent& event) const {
    return event.button() == Qt::MiddleButton || (event.button() == Qt::LeftButton && m_spaceHeld);
}

void SheetView::beginPan(QPoint windowPoint) {
    cancelMouseOperation();
    m_panFrom = windowPoint;
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void SheetView::panTo(QPoint windowPoint) {
    const QPoint moved = windowPoint - *m_panFrom;
    m_panFrom = windowPoint;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
}

void SheetView::endPan() {
    m_panFrom.reset();
    // The editor's cursor comes back at the next update.
    m_cursorShape = EditorCursor::kArrow;
    viewport()->setCursor(editorCursor(m_cursorShape));
    refresh();
}

} // namespace tokarium
