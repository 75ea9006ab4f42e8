// Pointer shapes: standard ones where they exist, small drawn ones for the insertion modes.
#include "gui/editor/editor_cursors.h"

#include <QPainter>
#include <QPixmap>

namespace tokarium {

namespace {

constexpr int kCursorSize = 32;

// An arrow in the top-left corner with a small picture of what is inserted below and right of it.
QCursor drawnCursor(void (*drawSymbol)(QPainter&)) {
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF arrow[] = {{1, 1}, {1, 13}, {4, 10}, {7, 15}, {9, 14}, {6, 9}, {10, 9}};
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 7);
    painter.translate(12, 12);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    drawSymbol(painter);
    painter.end();
    return QCursor(pixmap, 1, 1);
}

void drawPlace(QPainter& painter) {
    painter.drawEllipse(QRectF(1, 1, 16, 16));
}

void drawTransition(QPainter& painter) {
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(0, 7, 18, 4));
}

void drawGraph(QPainter& painter) {
    painter.drawRect(QRectF(0, 2, 18, 14));
    painter.drawPolyline(QPolygonF({{2, 13}, {7, 8}, {11, 11}, {16, 4}}));
}

void drawLegend(QPainter& painter) {
    painter.drawRect(QRectF(0, 2, 18, 14));
    painter.drawLine(QPointF(3, 6), QPointF(15, 6));
    painter.drawLine(QPointF(3, 10), QPointF(12, 10));
}

void drawArcWithoutHead(QPainter& painter) {
    painter.drawLine(QPointF(1, 17), QPointF(15, 3));
}

void drawArcWithHead(QPainter& painter) {
    painter.drawLine(QPointF(1, 17), QPointF(15, 3));
    painter.setBrush(Qt::black);
    const QPointF head[] = {{17, 1}, {9, 4}, {14, 9}};
    painter.drawPolygon(head, 3);
}

void drawAddPoint(QPainter& painter) {
    painter.drawLine(QPointF(9, 2), QPointF(9, 16));
    painter.drawLine(QPointF(2, 9), QPointF(16, 9));
}

} // namespace

QCursor editorCursor(EditorCursor shape) {
    switch (shape) {
    case EditorCursor::kArcWithoutHead: return drawnCursor(drawArcWithoutHead);
    case EditorCursor::kArcWithHead: return drawnCursor(drawArcWithHead);
    case EditorCursor::kPlace: return drawnCursor(drawPlace);
    case EditorCursor::kTransition: return drawnCursor(drawTransition);
    case EditorCursor::kGraph: return drawnCursor(drawGraph);
    case EditorCursor::kLegend: return drawnCursor(drawLegend);
    case EditorCursor::kAddRoutePoint: return drawnCursor(drawAddPoint);
    case EditorCursor::kMoving: return QCursor(Qt::SizeAllCursor);
    case EditorCursor::kRubberBand: return QCursor(Qt::CrossCursor);
    case EditorCursor::kResizeHorizontal: return QCursor(Qt::SizeHorCursor);
    case EditorCursor::kResizeVertical: return QCursor(Qt::SizeVerCursor);
    case EditorCursor::kResizeDiagonal: return QCursor(Qt::SizeFDiagCursor);
    case EditorCursor::kResizeAntiDiagonal: return QCursor(Qt::SizeBDiagCursor);
    case EditorCursor::kArrow: break;
    }
    return QCursor(Qt::ArrowCursor);
}

EditorCursor handleCursor(int handle) {
    switch (handle) {
    case 1:
    case 3: return EditorCursor::kResizeHorizontal;
    case 2:
    case 4: return EditorCursor::kResizeVertical;
    case 5:
    case 8: return EditorCursor::kResizeDiagonal;
    case 6:
    case 7: return EditorCursor::kResizeAntiDiagonal;
    default: return EditorCursor::kMoving;
    }
}

} // namespace tokarium
