// Places and transitions: names, arc lists, histories.
#include "gui/model/net_node.h"

#include <algorithm>

#include "gui/model/arc.h"
#include "gui/model/number_text.h"

namespace tokarium {

NetNode::NetNode(ObjectKind kind) : NetObject(kind) {}

NetNode::~NetNode() {
    // Arcs are not owned: leave none pointing at a destroyed node.
    while (!m_inputArcs.empty())
        m_inputArcs.back()->unlink();
    while (!m_outputArcs.empty())
        m_outputArcs.back()->unlink();
}

std::string NetNode::defaultName() const {
    return (isPlace() ? "P" : "T") + formatInteger(m_index);
}

std::string NetNode::displayName() const {
    return m_name.empty() ? defaultName() : m_name;
}

bool NetNode::hasOutputArcTo(const NetNode& other) const {
    return std::any_of(m_outputArcs.begin(), m_outputArcs.end(), [&](const Arc* arc) { return arc->to() == &other; });
}

void NetNode::appendHistory(double time, double value) {
    if (!m_historyValues.empty() && m_historyValues.back() == value)
        return;
    m_historyTimes.push_back(time);
    m_historyValues.push_back(value);
}

bool NetNode::isValid() const {
    return NetObject::isValid() && m_index >= 1;
}

std::optional<Rect> NetNode::handleRect(int handle, bool grow) const {
    if (handle < 1 || handle > 4)
        return std::nullopt;
    return NetObject::handleRect(handle, grow);
}

void NetNode::reset() {
    m_historyTimes.clear();
    m_historyValues.clear();
}

void NetNode::copyContentFrom(const NetObject& source) {
    if (const auto* node = dynamic_cast<const NetNode*>(&source)) {
        m_index = node->m_index;
        m_name = node->m_name;
    }
}

void NetNode::drawNameLabel(DrawingSurface& surface, const DrawContext& context, Point anchor, HAlign horizontal,
                            VAlign vertical) const {
    TextStyle style;
    style.font = context.sheetFont;
    style.colour = format().fore;
    style.horizontal = horizontal;
    style.vertical = vertical;
    surface.drawText(anchor, displayName(), style);
}

} // namespace tokarium
