// Page decoration, sheet, feedback and selection pictures on a QPainter.
#include "gui/editor/sheet_painting.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "gui/editor/editor_constants.h"
#include "gui/editor/page_geometry.h"
#include "gui/editor/painter_surface.h"
#include "gui/editor/svg_surface.h"

namespace tokarium {

namespace {

// Arrowhead of the arc feedback line: length and half base in logical units.
constexpr double kFeedbackArrowLength = 12.0;
constexpr double kFeedbackArrowHalfBase = 4.0;

QRect toQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

QPen cosmeticPen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, 0, style);
    pen.setCosmetic(true);
    return pen;
}

// A device pixel of a printer is too fine for a grid dot (it vanishes or prints as a hairline): the dots
// keep the size of a pixel of the reference device, round.
QPen gridDotPen(const QPaintDevice& device) {
    QPen pen = cosmeticPen(Qt::black);
    const int width = device.logicalDpiX() / kReferenceDpi;
    if (width > 1) {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
    }
    return pen;
}

void drawObjects(QPainter& painter, const NetSheet& sheet, const DrawContext& context, bool selectionOnly) {
    PainterSurface surface(painter);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawSheetObjects(surface, sheet, context, selectionOnly);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The part of the image holding its non-white pixels, plus one pixel of white all round; the whole
// image when it is all white.
QRect contentRect(const QImage& image) {
    const QRgb white = qRgb(255, 255, 255);
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == white)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return image.rect();
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-1, -1, 1, 1).intersected(image.rect());
}

} // namespace

// Draws the sheet's objects, arcs first: on a window or page those meeting the drawable area, in a
// picture of the selection the selected ones (arcs only with both ends selected).
void drawSheetObjects(DrawingSurface& surface, const NetSheet& sheet, const DrawContext& context, bool selectionOnly) {
    const Rect area = drawableArea(sheet);
    for (KindMask kinds : {kArcKinds, kAllKinds & ~kArcKinds}) {
        for (const NetObject* object : sheet.objects(kinds, selectionOnly)) {
            if (selectionOnly) {
                if (const auto* arc = dynamic_cast<const Arc*>(object))
                    if (!arc->isLinked() || !arc->from()->isSelected() || !arc->to()->isSelected())
                        continue;
            } else if (!object->bounds().intersects(area)) {
                continue;
            }
            object->draw(surface, context);
        }
    }
}

DrawContext drawContextFor(const NetSheet& sheet, const EditorSession& session, bool showHandles) {
    DrawContext context;
    context.sheetFont = sheet.font();
    context.showHandles = showHandles;
    context.graphRenderer = session.graphRenderer;
    context.curveLegend = true;
    return context;
}

void paintPageDecoration(QPainter& painter, const NetSheet& sheet, const QColor& windowColour) {
    const Rect page = pageRect(sheet).inflated(-kPageFrameInset, -kPageFrameInset);
    const QRect r = toQRect(page);
    painter.fillRect(r, windowColour);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(cosmeticPen(Qt::black));
    painter.drawRect(r);
    // Shadow: two lines along the right edge and two along the bottom edge.
    for (int offset : {1, 2}) {
        painter.drawLine(page.right + offset, page.top + offset * 2, page.right + offset, page.bottom + offset);
        painter.drawLine(page.left + offset * 2, page.bottom + offset, page.right + offset, page.bottom + offset);
    }
    const Rect margin = drawableArea(sheet).inflated(1, 1);
    painter.setPen(cosmeticPen(Qt::black, Qt::DotLine));
    painter.drawRect(toQRect(margin));
}

void paintSheet(QPainter& painter, const NetSheet& sheet, const DrawContext& context) {
    const Rect area = drawableArea(sheet);
    painter.fillRect(toQRect(area), Qt::white);
    const double spacing = sheet.grid().step * std::min(std::abs(painter.worldTransform().m11()),
                                                        std::abs(painter.worldTransform().m22()));
    if (sheet.grid().shown && spacing >= kMinimumGridDotSpacing) {
        // Only the dots the device can show.
        const QRect device(0, 0, painter.device()->width(), painter.device()->height());
        const QRect visible = painter.worldTransform().inverted().mapRect(device).adjusted(-1, -1, 1, 1);
        QPolygon dots;
        for (const Point& p : gridDots(sheet, {visible.left(), visible.top(), visible.right() + 1, visible.bottom() + 1}))
            dots.append(QPoint(p.x, p.y));
        painter.setPen(gridDotPen(*painter.device()));
        painter.drawPoints(dots);
    }
    drawObjects(painter, sheet, context, false);
}

void paintModeFeedback(QPainter& painter, const SheetEditor& editor) {
    painter.save();
    switch (editor.mode()) {
    case EditorMode::kArcDrawing: {
        if (!editor.arcTail())
            break;
        const Point from = editor.startPoint();
        const Point to = editor.arcFeedbackEnd();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(cosmeticPen(Qt::black));
        painter.drawLine(from.x, from.y, to.x, to.y);
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const double length = std::hypot(dx, dy);
        if (length > 0.0) {
            const double ux = dx / length;
            const double uy = dy / length;
            const QPointF tip(to.x, to.y);
            const QPointF base(to.x - kFeedbackArrowLength * ux, to.y - kFeedbackArrowLength * uy);
            const QPointF side(-uy * kFeedbackArrowHalfBase, ux * kFeedbackArrowHalfBase);
            const QPointF head[] = {base + side, tip, base - side};
            painter.setBrush(Qt::black);
            painter.drawPolygon(head, 3);
        }
        break;
    }
    case EditorMode::kRubberBand:
        painter.setBrush(Qt::NoBrush);
        painter.setPen(cosmeticPen(Qt::black, Qt::DotLine));
        painter.drawRect(toQRect(editor.rubberBand()));
        break;
    default:
        if (const NetObject* ghost = editor.ghost()) {
            PainterSurface surface(painter);
            ghost->drawOutline(surface);
        }
        break;
    }
    painter.restore();
}

SelectionPicture selectionPicture(const NetSheet& sheet, const EditorSession& session) {
    const Rect bounds = sheet.boundsOf(kAllKinds, true);
    if (bounds.isEmpty())
        return {};
    const Rect frame = bounds.inflated(kPictureMargin, kPictureMargin);
    if (frame.isEmpty() || frame.width() > kMaximumPictureSize || frame.height() > kMaximumPictureSize)
        return {};
    const DrawContext context = drawContextFor(sheet, session, false);
    QImage image(frame.width(), frame.height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-frame.left, -frame.top);
    drawObjects(painter, sheet, context, true);
    painter.end();
    // The bitmap is at one pixel per unit, so its content rectangle is also the vector picture's view box.
    const QRect content = contentRect(image);
    SvgSurface svg;
    drawSheetObjects(svg, sheet, context, true);
    const Rect viewBox{frame.left + content.left(), frame.top + content.top(), frame.left + content.right() + 1,
                       frame.top + content.bottom() + 1};
    return {image.copy(content), svg.document(viewBox)};
}

} // namespace tokarium
