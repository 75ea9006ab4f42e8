// Transitions: values, bar resizing along its length, rotation and drawing.
#include "gui/model/transition.h"

#include <cmath>

#include "gui/model/model_constants.h"
#include "gui/model/number_text.h"

namespace tokarium {

Transition::Transition(ObjectKind kind) : NetNode(kind) {
    setRect({0, 0, kTransitionLength, kTransitionThickness});
    const bool continuous = kind == ObjectKind::kContinuousTransition;
    format().back = continuous ? kContinuousTransitionBack : kDiscreteTransitionBack;
    format().line = continuous ? kContinuousTransitionLine : kDiscreteTransitionLine;
}

void Transition::rotate() {
    const Rect& r = rect();
    setRect(Rect::centredOn(r.centre(), r.height(), r.width()));
}

std::string Transition::valueLabel() const {
    if (kind() == ObjectKind::kDiscreteTransition)
        return "d" + formatInteger(index()) + "=" + transitionValueText(m_ft);
    return (historyValues().empty() ? "u" : "v") + formatInteger(index()) + "=" + transitionValueText(m_shownValue);
}

std::optional<Rect> Transition::handleRect(int handle, bool grow) const {
    // Only the two handles at the ends of the bar's long axis.
    const bool alongLength = isHorizontal() ? (handle == 1 || handle == 3) : (handle == 2 || handle == 4);
    if (!alongLength)
        return std::nullopt;
    return NetNode::handleRect(handle, grow);
}

void Transition::reset() {
    NetNode::reset();
    m_shownValue = m_ft;
}

void Transition::recordHistory(double time) {
    appendHistory(time, m_shownValue);
}

void Transition::track(int handle, std::int32_t dx, std::int32_t dy) {
    // A bar is only lengthened or shortened: whatever the handle, its thickness stays.
    if (!m_trackBegun)
        beginTrack();
    const bool horizontal = m_savedRect.width() >= m_savedRect.height();
    int alongHandle = handle;
    if (handle != kBodyHit) {
        if (horizontal)
            alongHandle = (handle == 1 || handle == 5 || handle == 7) ? 1 : (handle == 3 || handle == 6 || handle == 8) ? 3 : -1;
        else
            alongHandle = (handle == 2 || handle == 5 || handle == 6) ? 2 : (handle == 4 || handle == 7 || handle == 8) ? 4 : -1;
    }
    if (alongHandle < 0) {
        setRect(m_savedRect);
        return;
    }
    NetNode::track(alongHandle, dx, dy);
}

void Transition::draw(DrawingSurface& surface, const DrawContext& context) const {
    const Rect& r = rect();
    const ObjectFormat& f = format();
    surface.drawRectangle(r, Pen{f.line, f.width, PenStyle::kSolid}, Brush{f.back});
    const std::int32_t middle = r.centre().y;
    drawNameLabel(surface, context, {r.left - kLabelGap, middle}, HAlign::kRight, VAlign::kCentre);
    TextStyle style;
    style.font = context.sheetFont;
    style.colour = f.fore;
    style.horizontal = HAlign::kLeft;
    style.vertical = VAlign::kCentre;
    surface.drawText({r.right + kLabelGap, middle}, valueLabel(), style);
    drawHandles(surface, context);
}

Point Transition::borderPointTowards(Point toward) const {
    const Rect& r = rect();
    // Facing the long side: the perpendicular foot on that side.
    if (isHorizontal() && toward.x >= r.left && toward.x <= r.right) {
        if (toward.y < r.top)
            return {toward.x, r.top};
        if (toward.y > r.bottom)
            return {toward.x, r.bottom};
    } else if (!isHorizontal() && toward.y >= r.top && toward.y <= r.bottom) {
        if (toward.x < r.left)
            return {r.left, toward.y};
        if (toward.x > r.right)
            return {r.right, toward.y};
    }
    // Otherwise on the line towards the centre, clipped to the bar.
    const Point c = r.centre();
    const double dx = toward.x - c.x;
    const double dy = toward.y - c.y;
    double t = 1.0;
    if (dx != 0.0)
        t = std::min(t, (dx > 0 ? r.right - c.x : c.x - r.left) / std::abs(dx));
    if (dy != 0.0)
        t = std::min(t, (dy > 0 ? r.bottom - c.y : c.y - r.top) / std::abs(dy));
    return {c.x + static_cast<std::int32_t>(std::lround(t * dx)), c.y + static_cast<std::int32_t>(std::lround(t * dy))};
}

void Transition::copyContentFrom(const NetObject& source) {
    NetNode::copyContentFrom(source);
    if (const auto* transition = dynamic_cast<const Transition*>(&source)) {
        m_ft = transition->m_ft;
        m_shownValue = transition->m_shownValue;
    }
}

std::string transitionValueText(double value) {
    return value == kInfiniteValue ? std::string("inf") : formatReal(value);
}

} // namespace tokarium
