// Discrete and continuous places.
#pragma once

#include <string>

#include "gui/model/net_node.h"

namespace tokarium {

class Place : public NetNode {
public:
    // kind: ObjectKind::kDiscretePlace or kContinuousPlace.
    explicit Place(ObjectKind kind);

    // Saved initial marking; -1 is "0+".
    double initialMarking() const { return m_initialMarking; }
    void setInitialMarking(double marking) { m_initialMarking = marking; }
    double workingMarking() const { return m_workingMarking; }
    void setWorkingMarking(double marking) { m_workingMarking = marking; }
    // The marking drawn and recorded.
    double shownMarking() const { return m_shownMarking; }
    void setShownMarking(double marking) { m_shownMarking = marking; }

    void reset() override;
    void recordHistory(double time) override;
    // Resizes, then stays a circle: the other dimension takes the same size, centred where it was.
    void track(int handle, std::int32_t dx, std::int32_t dy) override;
    void draw(DrawingSurface& surface, const DrawContext& context) const override;
    void drawOutline(DrawingSurface& surface) const override;
    Point borderPointTowards(Point toward) const override;

protected:
    void copyContentFrom(const NetObject& source) override;

private:
    void drawMarking(DrawingSurface& surface, const DrawContext& context) const;

    double m_initialMarking = 0.0;
    double m_workingMarking = 0.0;
    double m_shownMarking = 0.0;
};

// Text of a marking: "0+" for -1, otherwise the real as "%.12lg".
std::string markingText(double marking);

// Centres of the token dots of a discrete place holding `count` tokens (1..7) in the rectangle;
// empty for any other count.
std::vector<Point> tokenDotCentres(const Rect& rect, int count);

} // namespace tokarium
