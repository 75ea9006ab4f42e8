// Base behaviour of drawable objects: handles, hit tests, moving and resizing.
#include "gui/model/net_object.h"

#include "gui/model/model_constants.h"

namespace tokarium {

NetObject::NetObject(ObjectKind kind) : m_kind(kind) {}

NetObject::~NetObject() = default;

void NetObject::centreOn(Point centre) {
    m_rect = Rect::centredOn(centre, m_rect.width(), m_rect.height());
}

bool NetObject::isValid() const {
    return !m_rect.isEmpty();
}

Rect NetObject::bounds() const {
    return m_rect;
}

int NetObject::handleCount() const {
    return 8;
}

Point NetObject::handlePoint(int handle) const {
    const Point c = m_rect.centre();
    switch (handle) {
    case 1: return {m_rect.left, c.y};
    case 2: return {c.x, m_rect.top};
    case 3: return {m_rect.right, c.y};
    case 4: return {c.x, m_rect.bottom};
    case 5: return {m_rect.left, m_rect.top};
    case 6: return {m_rect.right, m_rect.top};
    case 7: return {m_rect.left, m_rect.bottom};
    default: return {m_rect.right, m_rect.bottom};
    }
}

std::optional<Rect> NetObject::handleRect(int handle, bool grow) const {
    if (handle < 1 || handle > handleCount())
        return std::nullopt;
    const Point p = handlePoint(handle);
    Rect r{p.x - kHandleBefore, p.y - kHandleBefore, p.x + kHandleAfter, p.y + kHandleAfter};
    return grow ? r.inflated(kHandleHitGrowth, kHandleHitGrowth) : r;
}

int NetObject::hitTest(Point point) const {
    for (int handle = 1; handle <= handleCount(); ++handle) {
        std::optional<Rect> r = handleRect(handle, true);
        if (r && r->contains(point))
            return handle;
    }
    return bounds().inflated(kBodyHitGrowth, kBodyHitGrowth).contains(point) ? kBodyHit : kMiss;
}

void NetObject::offset(std::int32_t dx, std::int32_t dy) {
    m_rect = m_rect.translated(dx, dy);
}

void NetObject::beginTrack() {
    m_savedRect = m_rect;
    m_trackBegun = true;
}

void NetObject::track(int handle, std::int32_t dx, std::int32_t dy) {
    if (!m_trackBegun)
        beginTrack();
    Rect r = m_savedRect;
    if (handle == kBodyHit) {
        m_rect = r.translated(dx, dy);
        return;
    }
    // A moved edge stops kMinimumObjectSize units from the opposite one.
    if (handle == 1 || handle == 5 || handle == 7)
        r.left = std::min(r.left + dx, r.right - kMinimumObjectSize);
    if (handle == 3 || handle == 6 || handle == 8)
        r.right = std::max(r.right + dx, r.left + kMinimumObjectSize);
    if (handle == 2 || handle == 5 || handle == 6)
        r.top = std::min(r.top + dy, r.bottom - kMinimumObjectSize);
    if (handle == 4 || handle == 7 || handle == 8)
        r.bottom = std::max(r.bottom + dy, r.top + kMinimumObjectSize);
    m_rect = r;
}

void NetObject::draw(DrawingSurface& surface, const DrawContext& context) const {
    drawHandles(surface, context);
}

void NetObject::drawOutline(DrawingSurface& surface) const {
    surface.drawRectangle(m_rect, Pen{kBlack, 1, PenStyle::kDotted}, Brush{});
}

void NetObject::drawHandles(DrawingSurface& surface, const DrawContext& context) const {
    if (!m_selected || !context.showHandles)
        return;
    for (int handle = 1; handle <= handleCount(); ++handle)
        if (std::optional<Rect> r = handleRect(handle, false))
            surface.drawRectangle(*r, Pen{kBlack, 1, PenStyle::kSolid}, Brush{kHandleFill});
}

void NetObject::copyFrom(const NetObject& source) {
    m_rect = source.m_rect;
    const bool sameFamily = timingFamilyOf(source.m_kind) == timingFamilyOf(m_kind);
    const ObjectFormat own = m_format;
    m_format = source.m_format;
    if (!sameFamily) {
        m_format.back = own.back;
        m_format.fore = own.fore;
        m_format.line = own.line;
    }
    copyContentFrom(source);
}

} // namespace tokarium
