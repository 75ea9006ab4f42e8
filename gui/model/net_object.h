// Base of every drawable object of a net: kind, rectangle, format, selection, handles and tracking.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/model/drawing_surface.h"
#include "gui/model/geometry.h"
#include "gui/model/object_format.h"
#include "gui/model/object_kind.h"

namespace tokarium {

class Graph;
struct DrawContext;

// Draws the content of a Graph (axes, curves, texts); the plotter supplies it.
class GraphRenderer {
public:
    virtual ~GraphRenderer() = default;
    virtual void drawGraph(const Graph& graph, DrawingSurface& surface, const DrawContext& context) const = 0;
    // What the graph shows at the point, as lines of text ("t = 2", "P1: 4"); empty outside its plot.
    virtual std::string describeAt(const Graph& graph, Point point, DrawingSurface& measure, const Font& font) const = 0;
};

// What a view tells the objects when they draw.
struct DrawContext {
    Font sheetFont;                             // texts of places, transitions and arcs
    bool showHandles = true;                    // off while a clipboard picture is made
    const GraphRenderer* graphRenderer = nullptr; // none: a graph draws its frame only
    bool curveLegend = false;                   // graphs name their curves in a legend box
};

// Handle numbers: 0 is the body, -1 a miss; 1 left, 2 top, 3 right, 4 bottom edge middles,
// 5 top-left, 6 top-right, 7 bottom-left, 8 bottom-right corners; for arcs, the n-th route point.
constexpr int kBodyHit = 0;
constexpr int kMiss = -1;

class NetObject {
public:
    explicit NetObject(ObjectKind kind);
    virtual ~NetObject();
    NetObject(const NetObject&) = delete;
    NetObject& operator=(const NetObject&) = delete;

    ObjectKind kind() const { return m_kind; }
    bool isKindIn(KindMask mask) const { return tokarium::isKindIn(m_kind, mask); }
    std::string_view typeName() const { return elementNameOf(m_kind); }

    const Rect& rect() const { return m_rect; }
    void setRect(const Rect& rect) { m_rect = rect; }
    // Moves the rectangle so that its centre is the point, keeping its size.
    void centreOn(Point centre);

    const ObjectFormat& format() const { return m_format; }
    ObjectFormat& format() { return m_format; }
    void setFormat(const ObjectFormat& format) { m_format = format; }
    void copyFormat(const NetObject& from) { m_format = from.m_format; }

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }

    virtual bool isValid() const;
    virtual Rect bounds() const;
    // Number of the highest handle the object may offer (some numbers below it may be absent).
    virtual int handleCount() const;
    // The handle's 7 x 7 rectangle (grown by 3 on each side when grow is set), or none when the object
    // does not offer that handle.
    virtual std::optional<Rect> handleRect(int handle, bool grow) const;
    // Handle number >= 1, kBodyHit for the body, kMiss otherwise.
    virtual int hitTest(Point point) const;
    virtual void offset(std::int32_t dx, std::int32_t dy);

    // Saves the geometry at the start of a drag; every track() of that drag starts again from it. It is
    // a separate call rather than a track() with a zero offset, because a drag that comes back to its
    // start would otherwise save the moved geometry. An object that never began a drag saves it at once.
    virtual void beginTrack();
    // Restores the saved geometry, then moves (handle 0) or resizes by the offset from the drag's start.
    virtual void track(int handle, std::int32_t dx, std::int32_t dy);

    virtual void draw(DrawingSurface& surface, const DrawContext& context) const;
    // Dotted outline shown while the object is dragged or inserted.
    virtual void drawOutline(DrawingSurface& surface) const;

    // Brings working values back to the saved ones and clears histories (nodes only).
    virtual void reset() {}
    // Appends the shown value to the history (nodes only).
    virtual void recordHistory(double time) { (void)time; }

    // Copies what this object can take from another object (possibly of another kind): rectangle,
    // format (colours only within the same discrete/continuous family) and the kind's own fields.
    // Links of arcs are not copied; their saved ends are.
    void copyFrom(const NetObject& source);

protected:
    Point handlePoint(int handle) const;
    void drawHandles(DrawingSurface& surface, const DrawContext& context) const;
    // The kind's own fields; called by copyFrom.
    virtual void copyContentFrom(const NetObject& source) { (void)source; }

    Rect m_savedRect;
    bool m_trackBegun = false;

private:
    ObjectKind m_kind;
    Rect m_rect;
    ObjectFormat m_format;
    bool m_selected = false;
};

} // namespace tokarium
