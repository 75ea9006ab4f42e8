// Places: markings, round resizing, and drawing with token dots or a number.
#include "gui/model/place.h"

#include <cmath>
#include <numbers>

#include "gui/model/model_constants.h"
#include "gui/model/number_text.h"

namespace tokarium {

Place::Place(ObjectKind kind) : NetNode(kind) {
    setRect({0, 0, kPlaceDiameter, kPlaceDiameter});
    format().back = kind == ObjectKind::kContinuousPlace ? kContinuousPlaceBack : kDiscretePlaceBack;
}

void Place::reset() {
    NetNode::reset();
    m_workingMarking = m_initialMarking;
    m_shownMarking = m_initialMarking;
}

void Place::recordHistory(double time) {
    appendHistory(time, m_shownMarking);
}

void Place::track(int handle, std::int32_t dx, std::int32_t dy) {
    NetObject::track(handle, dx, dy);
    if (handle == kBodyHit)
        return;
    // Stay a circle: a vertical handle sets the width from the height, any other the height from the width.
    const Rect r = rect();
    const std::int32_t diameter = (handle == 2 || handle == 4) ? r.height() : r.width();
    setRect(Rect::centredOn(r.centre(), diameter, diameter));
}

void Place::draw(DrawingSurface& surface, const DrawContext& context) const {
    const Rect& r = rect();
    const ObjectFormat& f = format();
    const Pen outline{f.line, f.width, PenStyle::kSolid};
    surface.drawEllipse(r, outline, Brush{f.back});

    // The label sits just outside the circle's upper-left diagonal.
    const Point c = r.centre();
    drawNameLabel(surface, context, {c.x - 7 * r.width() / 20 - kLabelGap, c.y - 7 * r.height() / 20}, HAlign::kRight,
                  VAlign::kTop);
    drawMarking(surface, context);

    if (kind() == ObjectKind::kContinuousPlace) {
        const Rect inner = r.inflated(-(f.width + 2), -(f.width + 3));
        surface.drawEllipse(inner, outline, Brush{});
    }
    drawHandles(surface, context);
}

void Place::drawMarking(DrawingSurface& surface, const DrawContext& context) const {
    const Rect& r = rect();
    const Colour fore = format().fore;
    if (kind() == ObjectKind::kDiscretePlace && m_shownMarking >= 0.0 && m_shownMarking < kMaximumDotMarking) {
        const Pen pen{fore, 1, PenStyle::kSolid};
        for (Point p : tokenDotCentres(r, static_cast<int>(m_shownMarking)))
            surface.drawEllipse({p.x - kTokenDotSize / 2, p.y - kTokenDotSize / 2, p.x + kTokenDotSize / 2 + 1,
                                 p.y + kTokenDotSize / 2 + 1},
                                pen, Brush{fore});
        return;
    }
    // The number, centred, broken into as many lines as the box needs.
    const Rect box = r.inflated(-r.width() / 7, -r.height() / 7);
    const std::string text = markingText(m_shownMarking);
    std::string lines;
    std::string line;
    for (char ch : text) {
        std::string longer = line + ch;
        if (!line.empty() && surface.measureText(longer, context.sheetFont).width > box.width()) {
            lines += line + '\n';
            line = std::string(1, ch);
        } else {
            line = std::move(longer);
        }
    }
    lines += line;
    TextStyle style;
    style.font = context.sheetFont;
    style.colour = fore;
    style.horizontal = HAlign::kCentre;
    style.vertical = VAlign::kCentre;
    surface.drawTextBlock(box, lines, style);
}

void Place::drawOutline(DrawingSurface& surface) const {
    surface.drawEllipse(rect(), Pen{kBlack, 1, PenStyle::kDotted}, Brush{});
}

Point Place::borderPointTowards(Point toward) const {
    const Rect& r = rect();
    const Point c = r.centre();
    const double dx = toward.x - c.x;
    const double dy = toward.y - c.y;
    const double a = r.width() / 2.0;
    const double b = r.height() / 2.0;
    const double denominator = std::sqrt(b * b * dx * dx + a * a * dy * dy);
    if (denominator == 0.0)
        return c;
    const double t = a * b / denominator;
    return {c.x + static_cast<std::int32_t>(std::lround(t * dx)), c.y + static_cast<std::int32_t>(std::lround(t * dy))};
}

void Place::copyContentFrom(const NetObject& source) {
    NetNode::copyContentFrom(source);
    if (const auto* place = dynamic_cast<const Place*>(&source)) {
        m_initialMarking = place->m_initialMarking;
        m_workingMarking = place->m_workingMarking;
        m_shownMarking = place->m_shownMarking;
    }
}

std::string markingText(double marking) {
    return marking == kInfinitesimalMarking ? std::string("0+") : formatReal(marking);
}

std::vector<Point> tokenDotCentres(const Rect& rect, int count) {
    std::vector<Point> centres;
    if (count < 1 || count > 7)
        return centres;
    const Point c = rect.centre();
    const bool centreDot = count == 1 || count == 5 || count == 7;
    if (centreDot)
        centres.push_back(c);
    const int ringCount = centreDot ? count - 1 : count;
    if (ringCount == 0)
        return centres;
    const double step = 2.0 * std::numbers::pi / ringCount;
    double shift = 0.0;
    if (count == 3)
        shift = step / 4.0;
    else if (count == 4 || count == 5)
        shift = step / 2.0;
    const double radius = rect.width() / 4;
    // Angles grow clockwise on the screen, where y points down.
    for (int k = 0; k < ringCount; ++k) {
        // The centre dot, when there is one, is dot 0: the ring dots are then 1 .. ringCount.
        const double angle = (centreDot ? k + 1 : k) * step + shift;
        centres.push_back({c.x + static_cast<std::int32_t>(std::lround(radius * std::cos(angle))),
                           c.y + static_cast<std::int32_t>(std::lround(radius * std::sin(angle)))});
    }
    return centres;
}

} // namespace tokarium
