// The eight per-kind prototypes of a sheet: the format, size and value the next new object receives.
#pragma once

#include <array>
#include <memory>

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

class FormatTemplates {
public:
    // One object of each kind with the kind's defaults.
    FormatTemplates();

    // The template of the kind.
    NetObject& of(ObjectKind kind) const;
    // Templates in the order ordinary arc, generalized arc, discrete place, continuous place,
    // discrete transition, continuous transition, graph, legend.
    NetObject& at(std::size_t position) const { return *m_templates[position]; }
    static constexpr std::size_t size() { return kKindsInTemplateOrder.size(); }

    Arc& arc(ObjectKind kind) const { return static_cast<Arc&>(of(kind)); }
    Place& place(ObjectKind kind) const { return static_cast<Place&>(of(kind)); }
    Transition& transition(ObjectKind kind) const { return static_cast<Transition&>(of(kind)); }
    Graph& graph() const { return static_cast<Graph&>(of(ObjectKind::kGraph)); }
    Legend& legend() const { return static_cast<Legend&>(of(ObjectKind::kLegend)); }

    // Makes every template a copy of the other's.
    void copyFrom(const FormatTemplates& other);

private:
    std::array<std::unique_ptr<NetObject>, kKindsInTemplateOrder.size()> m_templates;
};

} // namespace tokarium
