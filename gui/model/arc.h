// Ordinary and generalized arcs between a place and a transition.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gui/model/net_node.h"

namespace tokarium {

class Arc : public NetObject {
public:
    // kind: ObjectKind::kOrdinaryArc or kGeneralizedArc.
    explicit Arc(ObjectKind kind);
    ~Arc() override;

    // The joined nodes (not owned); none while unlinked.
    NetNode* from() const { return m_from; }
    NetNode* to() const { return m_to; }
    bool isLinked() const { return m_from != nullptr && m_to != nullptr; }
    // Sets the ends and appends the arc to from's output arcs and to's input arcs (unlinks first).
    void link(NetNode& from, NetNode& to);
    // Removes the arc from both nodes' lists and clears the ends.
    void unlink();

    // Saved form of the ends, resolved into from/to after reading or copying.
    NetReference up() const { return m_up; }
    NetReference down() const { return m_down; }
    void setUp(NetReference up) { m_up = up; }
    void setDown(NetReference down) { m_down = down; }
    // Sets up/down from the linked ends (nothing when unlinked).
    void updateReferences();

    double weight() const { return m_weight; }
    void setWeight(double weight) { m_weight = weight; }

    // Intermediate points: even positions are control points, odd positions pass-through points.
    const std::vector<Point>& route() const { return m_route; }
    std::vector<Point>& route() { return m_route; }
    void setRoute(std::vector<Point> route) { m_route = std::move(route); }
    // Ctrl+click on the arc's body; false when the point lies on no segment.
    bool addRoutePoint(Point point);
    // Ctrl+click on route handle n (1-based); false when nothing changes.
    bool removeRoutePoint(int handle);

    // Drawn start and end on the borders of from and to (side-by-side rule applied).
    std::array<Point, 2> endPoints() const;
    // Start, every route point, end: the straight lines used for hit tests and bounds.
    std::vector<Point> pathPoints() const;
    // Points of the Bézier chain drawn for a routed arc: start, each control point twice, each
    // pass-through point once, end.
    std::vector<Point> bezierPoints() const;
    // Triangle of the arrowhead at the end: two base corners around the tip.
    std::array<Point, 3> arrowHead() const;
    // Centre of the weight box: the middle route point, the midpoint of the two middle ones, or of the line.
    Point middlePoint() const;
    // True when the weight is shown (a generalized arc whose weight is not 1).
    bool showsWeight() const;

    bool isValid() const override;
    Rect bounds() const override;
    int handleCount() const override { return static_cast<int>(m_route.size()); }
    std::optional<Rect> handleRect(int handle, bool grow) const override;
    int hitTest(Point point) const override;
    void offset(std::int32_t dx, std::int32_t dy) override;
    void beginTrack() override;
    void track(int handle, std::int32_t dx, std::int32_t dy) override;
    void draw(DrawingSurface& surface, const DrawContext& context) const override;
    void drawOutline(DrawingSurface& surface) const override;

protected:
    void copyContentFrom(const NetObject& source) override;

private:
    // The reverse arc when both are straight and join the same two nodes; none otherwise.
    const Arc* sideBySidePartner() const;

    NetNode* m_from = nullptr;
    NetNode* m_to = nullptr;
    NetReference m_up = 0;
    NetReference m_down = 0;
    double m_weight = 1.0;
    std::vector<Point> m_route;
    std::vector<Point> m_savedRoute;
};

} // namespace tokarium
