// Discrete (constant duration) and continuous (constant maximal speed) transitions.
#pragma once

#include <string>
#include <string_view>

#include "gui/model/net_node.h"

namespace tokarium {

class Transition : public NetNode {
public:
    // kind: ObjectKind::kDiscreteTransition or kContinuousTransition.
    explicit Transition(ObjectKind kind);

    // Firing duration (discrete) or maximal speed (continuous); -1 is "inf".
    double ft() const { return m_ft; }
    void setFt(double ft) { m_ft = ft; }
    // The value drawn and recorded (a continuous transition's speed while stepping).
    double shownValue() const { return m_shownValue; }
    void setShownValue(double value) { m_shownValue = value; }

    std::string_view alternateTypeName() const { return alternateElementNameOf(kind()); }
    // True for a bar at least as wide as high.
    bool isHorizontal() const { return rect().width() >= rect().height(); }
    // Exchanges width and height around the centre.
    void rotate();
    // The label right of the bar: "d" + index + "=" + ft, or "u"/"v" + index + "=" + shown value.
    std::string valueLabel() const;

    std::optional<Rect> handleRect(int handle, bool grow) const override;
    void reset() override;
    void recordHistory(double time) override;
    // Only the bar's length changes, whatever the handle; its thickness stays.
    void track(int handle, std::int32_t dx, std::int32_t dy) override;
    void draw(DrawingSurface& surface, const DrawContext& context) const override;
    Point borderPointTowards(Point toward) const override;

protected:
    void copyContentFrom(const NetObject& source) override;

private:
    double m_ft = 1.0;
    double m_shownValue = 1.0;
};

// Text of a transition value: "inf" for -1, otherwise the real as "%.12lg".
std::string transitionValueText(double value);

} // namespace tokarium
