// Places and transitions: index, name, arcs, history.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/model/net_object.h"

namespace tokarium {

class Arc;

// Signed node reference: place index when positive, minus the transition index otherwise.
using NetReference = std::int32_t;

class NetNode : public NetObject {
public:
    explicit NetNode(ObjectKind kind);
    ~NetNode() override;

    bool isPlace() const { return isKindIn(kPlaceKinds); }
    bool isTransition() const { return isKindIn(kTransitionKinds); }
    bool isContinuous() const { return isKindIn(kContinuousFamily); }

    std::int32_t index() const { return m_index; }
    // Sets the index without checking uniqueness; ObjectContainer::setIndex checks it.
    void setIndex(std::int32_t index) { m_index = index; }
    // The typed name; empty means automatic.
    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // "P" or "T" followed by the index.
    std::string defaultName() const;
    // The typed name, or the automatic one when it is empty.
    std::string displayName() const;
    NetReference reference() const { return isPlace() ? m_index : -m_index; }

    const std::vector<Arc*>& inputArcs() const { return m_inputArcs; }
    const std::vector<Arc*>& outputArcs() const { return m_outputArcs; }
    // True when an arc from this node to the other exists.
    bool hasOutputArcTo(const NetNode& other) const;

    const std::vector<double>& historyTimes() const { return m_historyTimes; }
    const std::vector<double>& historyValues() const { return m_historyValues; }
    // Appends (time, value) unless the value equals the last recorded one.
    void appendHistory(double time, double value);

    bool isValid() const override;
    int handleCount() const override { return 4; }
    std::optional<Rect> handleRect(int handle, bool grow) const override;
    void reset() override;

    // Where an arc towards (or from) the point meets the node's outline.
    virtual Point borderPointTowards(Point toward) const = 0;

protected:
    void copyContentFrom(const NetObject& source) override;
    void drawNameLabel(DrawingSurface& surface, const DrawContext& context, Point anchor, HAlign horizontal,
                       VAlign vertical) const;

private:
    friend class Arc;
    std::int32_t m_index = 0;
    std::string m_name;
    std::vector<Arc*> m_inputArcs;
    std::vector<Arc*> m_outputArcs;
    std::vector<double> m_historyTimes;
    std::vector<double> m_historyValues;
};

} // namespace tokarium
