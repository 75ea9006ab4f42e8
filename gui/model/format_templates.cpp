// The per-kind prototypes of a sheet.
#include "gui/model/format_templates.h"

#include "gui/model/object_factory.h"

namespace tokarium {

FormatTemplates::FormatTemplates() {
    for (std::size_t i = 0; i < m_templates.size(); ++i)
        m_templates[i] = createObject(kKindsInTemplateOrder[i]);
}

NetObject& FormatTemplates::of(ObjectKind kind) const {
    for (std::size_t i = 0; i < m_templates.size(); ++i)
        if (kKindsInTemplateOrder[i] == kind)
            return *m_templates[i];
    return *m_templates.front();
}

void FormatTemplates::copyFrom(const FormatTemplates& other) {
    for (std::size_t i = 0; i < m_templates.size(); ++i)
        m_templates[i] = copyObject(*other.m_templates[i]);
}

} // namespace tokarium
