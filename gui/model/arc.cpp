// Arcs: links, route editing, end geometry, Bézier chains, arrowheads and weight boxes.
#include "gui/model/arc.h"

#include <algorithm>
#include <cmath>

#include "gui/model/model_constants.h"
#include "gui/model/number_text.h"
#include "gui/model/transition.h"

namespace tokarium {

namespace {

double distanceToSegment(Point p, Point a, Point b) {
    const double vx = b.x - a.x;
    const double vy = b.y - a.y;
    const double wx = p.x - a.x;
    const double wy = p.y - a.y;
    const double lengthSquared = vx * vx + vy * vy;
    double t = lengthSquared > 0.0 ? (wx * vx + wy * vy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(wx - t * vx, wy - t * vy);
}

Point midpoint(Point a, Point b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

void eraseArc(std::vector<Arc*>& arcs, const Arc* arc) {
    arcs.erase(std::remove(arcs.begin(), arcs.end(), arc), arcs.end());
}

} // namespace

Arc::Arc(ObjectKind kind) : NetObject(kind) {
    format().back = kBlack;
    format().fore = kWhite;
}

Arc::~Arc() {
    unlink();
}

void Arc::link(NetNode& from, NetNode& to) {
    unlink();
    m_from = &from;
    m_to = &to;
    from.m_outputArcs.push_back(this);
    to.m_inputArcs.push_back(this);
    updateReferences();
}

void Arc::unlink() {
    if (m_from)
        eraseArc(m_from->m_outputArcs, this);
    if (m_to)
        eraseArc(m_to->m_inputArcs, this);
    m_from = nullptr;
    m_to = nullptr;
}

void Arc::updateReferences() {
    if (!isLinked())
        return;
    m_up = m_from->reference();
    m_down = m_to->reference();
}

bool Arc::addRoutePoint(Point point) {
    if (m_route.empty()) {
        m_route.push_back(point);
        return true;
    }
    const auto [start, end] = endPoints();
    if (distanceToSegment(point, start, m_route.front()) <= kArcHitDistance) {
        m_route.insert(m_route.begin(), {midpoint(start, point), point});
        return true;
    }
    if (distanceToSegment(point, m_route.back(), end) <= kArcHitDistance) {
        m_route.push_back(point);
        m_route.push_back(midpoint(point, end));
        return true;
    }
    for (std::size_t i = 1; i < m_route.size(); ++i) {
        if (distanceToSegment(point, m_route[i - 1], m_route[i]) > kArcHitDistance)
            continue;
        const auto at = m_route.begin() + static_cast<std::ptrdiff_t>(i);
        // The new point passes through at an odd position; a new control point joins it to the
        // neighbouring pass-through point.
        if (i % 2 == 1)
            m_route.insert(at, {point, midpoint(point, m_route[i])});
        else
            m_route.insert(at, {midpoint(point, m_route[i - 1]), point});
        return true;
    }
    return false;
}

bool Arc::removeRoutePoint(int handle) {
    const int position = handle - 1;
    if (position < 0 || position >= static_cast<int>(m_route.size()))
        return false;
    if (m_route.size() == 1) {
        m_route.clear();
        return true;
    }
    if (position % 2 == 0)
        return false;
    // A pass-through point goes with the control point that follows it.
    const auto at = m_route.begin() + position;
    m_route.erase(at, position + 1 < static_cast<int>(m_route.size()) ? at + 2 : at + 1);
    return true;
}

const Arc* Arc::sideBySidePartner() const {
    if (!isLinked() || !m_route.empty())
        return nullptr;
    for (const Arc* other : m_to->outputArcs())
        if (other != this && other->m_to == m_from && other->m_route.empty())
            return other;
    return nullptr;
}

std::array<Point, 2> Arc::endPoints() const {
    if (!isLinked()) {
        const Point only = m_route.empty() ? Point{} : m_route.front();
        return {only, m_route.empty() ? only : m_route.back()};
    }
    const Point fromCentre = m_from->rect().centre();
    const Point toCentre = m_to->rect().centre();
    Point start = m_from->borderPointTowards(m_route.empty() ? toCentre : m_route.front());
    Point end = m_to->borderPointTowards(m_route.empty() ? fromCentre : m_route.back());
    if (sideBySidePartner()) {
        // Both directions joined by straight arcs: the ends on the bar move apart along it, to opposite
        // sides, by half the bar's length times the component of the arc's direction across the bar.
        const double dx = toCentre.x - fromCentre.x;
        const double dy = toCentre.y - fromCentre.y;
        const double length = std::hypot(dx, dy);
        if (length > 0.0) {
            const bool tailIsBar = m_from->isTransition();
            const Transition& bar = static_cast<const Transition&>(tailIsBar ? *m_from : *m_to);
            Point& barEnd = tailIsBar ? start : end;
            const Rect& r = bar.rect();
            if (bar.isHorizontal()) {
                const auto shift = static_cast<std::int32_t>(r.width() / 2.0 * dy / length);
                barEnd.x = std::clamp(barEnd.x + shift, r.left, r.right);
            } else {
                const auto shift = static_cast<std::int32_t>(r.height() / 2.0 * dx / length);
                barEnd.y = std::clamp(barEnd.y + shift, r.top, r.bottom);
            }
        }
    }
    return {start, end};
}

std::vector<Point> Arc::pathPoints() const {
    const auto [start, end] = endPoints();
    std::vector<Point> points;
    points.reserve(m_route.size() + 2);
    points.push_back(start);
    points.insert(points.end(), m_route.begin(), m_route.end());
    points.push_back(end);
    return points;
}

std::vector<Point> Arc::bezierPoints() const {
    const auto [start, end] = endPoints();
    std::vector<Point> points{start};
    for (std::size_t i = 0; i < m_route.size(); ++i) {
        points.push_back(m_route[i]);
        if (i % 2 == 0)
            points.push_back(m_route[i]);
    }
    points.push_back(end);
    return points;
}

std::array<Point, 3> Arc::arrowHead() const {
    const auto [start, end] = endPoints();
    const Point before = m_route.empty() ? start : m_route.back();
    const double w = std::max(format().width, 1);
    const double length = 3 * w + 12;
    const double halfBase = static_cast<std::int32_t>(length) / 3;
    double ux = end.x - before.x;
    double uy = end.y - before.y;
    const double norm = std::hypot(ux, uy);
    if (norm > 0.0) {
        ux /= norm;
        uy /= norm;
    } else {
        ux = uy = 0.0;
    }
    const double bx = end.x - length * ux;
    const double by = end.y - length * uy;
    auto truncated = [](double x, double y) { return Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}; };
    return {truncated(bx + halfBase * -uy, by + halfBase * ux), truncated(end.x + 2 * w * ux, end.y + 2 * w * uy),
            truncated(bx - halfBase * -uy, by - halfBase * ux)};
}

Point Arc::middlePoint() const {
    const std::size_t n = m_route.size();
    if (n % 2 == 1)
        return m_route[n / 2];
    if (n > 0)
        return midpoint(m_route[n / 2 - 1], m_route[n / 2]);
    const auto [start, end] = endPoints();
    return midpoint(start, end);
}

bool Arc::showsWeight() const {
    return kind() == ObjectKind::kGeneralizedArc && m_weight != 1.0;
}

bool Arc::isValid() const {
    return m_weight >= 0.0;
}

Rect Arc::bounds() const {
    if (!isLinked() && m_route.empty())
        return {};
    const std::vector<Point> points = pathPoints();
    Rect r{points.front().x, points.front().y, points.front().x, points.front().y};
    for (Point p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    r.right += 1;
    r.bottom += 1;
    return r;
}

std::optional<Rect> Arc::handleRect(int handle, bool grow) const {
    if (handle < 1 || handle > static_cast<int>(m_route.size()))
        return std::nullopt;
    const Point p = m_route[static_cast<std::size_t>(handle - 1)];
    const Rect r{p.x - kHandleBefore, p.y - kHandleBefore, p.x + kHandleAfter, p.y + kHandleAfter};
    return grow ? r.inflated(kHandleHitGrowth, kHandleHitGrowth) : r;
}

int Arc::hitTest(Point point) const {
    for (int handle = 1; handle <= handleCount(); ++handle)
        if (handleRect(handle, true)->contains(point))
            return handle;
    if (!isLinked())
        return kMiss;
    const std::vector<Point> points = pathPoints();
    for (std::size_t i = 1; i < points.size(); ++i)
        if (distanceToSegment(point, points[i - 1], points[i]) < kArcHitDistance)
            return kBodyHit;
    return kMiss;
}

void Arc::offset(std::int32_t dx, std::int32_t dy) {
    for (Point& p : m_route) {
        p.x += dx;
        p.y += dy;
    }
}

void Arc::beginTrack() {
    NetObject::beginTrack();
    m_savedRoute = m_route;
}

void Arc::track(int handle, std::int32_t dx, std::int32_t dy) {
    if (!m_trackBegun)
        beginTrack();
    m_route = m_savedRoute;
    if (handle == kBodyHit) {
        offset(dx, dy);
    } else if (handle >= 1 && handle <= static_cast<int>(m_route.size())) {
        Point& p = m_route[static_cast<std::size_t>(handle - 1)];
        p.x += dx;
        p.y += dy;
    }
}

void Arc::draw(DrawingSurface& surface, const DrawContext& context) const {
    if (!isLinked())
        return;
    const ObjectFormat& f = format();
    const Colour colour = isSelected() && context.showHandles ? kSelectedArcColour : f.line;
    const Pen pen{colour, f.width, PenStyle::kSolid};
    if (m_route.empty()) {
        const auto [start, end] = endPoints();
        surface.drawLine(start, end, pen);
    } else {
        surface.drawBeziers(bezierPoints(), pen);
    }
    const std::array<Point, 3> head = arrowHead();
    surface.drawPolygon({head.begin(), head.end()}, Pen{colour, 1, PenStyle::kSolid}, Brush{colour});

    if (showsWeight()) {
        const std::string text = formatReal(m_weight);
        const Size size = surface.measureText(text, context.sheetFont);
        const Point middle = middlePoint();
        const Rect box = Rect::centredOn(middle, size.width + kWeightBoxCornerRadius, size.height + kWeightBoxCornerRadius / 2);
        surface.drawRoundedRectangle(box, kWeightBoxCornerRadius, Pen{f.line, f.width, PenStyle::kSolid}, Brush{f.back});
        TextStyle style;
        style.font = context.sheetFont;
        style.colour = f.fore;
        style.horizontal = HAlign::kCentre;
        style.vertical = VAlign::kCentre;
        surface.drawText(middle, text, style);
    }
    drawHandles(surface, context);
}

void Arc::drawOutline(DrawingSurface& surface) const {
    surface.drawPolyline(pathPoints(), Pen{kBlack, 1, PenStyle::kDotted});
}

void Arc::copyContentFrom(const NetObject& source) {
    if (const auto* arc = dynamic_cast<const Arc*>(&source)) {
        m_up = arc->isLinked() ? arc->m_from->reference() : arc->m_up;
        m_down = arc->isLinked() ? arc->m_to->reference() : arc->m_down;
        m_weight = arc->m_weight;
        m_route = arc->m_route;
    }
}

} // namespace tokarium
