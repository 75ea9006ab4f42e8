// Legends: a framed box with text in its own font.
#include "gui/model/legend.h"

#include "gui/model/framed_box.h"
#include "gui/model/model_constants.h"

namespace tokarium {

Legend::Legend() : NetObject(ObjectKind::kLegend) {
    setRect({0, 0, kLegendWidth, kLegendHeight});
    format().back = kNoColour;
    format().line = kNoColour;
}

void Legend::draw(DrawingSurface& surface, const DrawContext& context) const {
    drawFramedBox(surface, rect(), format());
    TextStyle style;
    style.font = m_font;
    style.colour = format().fore;
    const std::int32_t margin = format().width + kLabelGap;
    surface.drawTextBlock(rect().inflated(-margin, -margin), m_text, style);
    drawHandles(surface, context);
}

void Legend::copyContentFrom(const NetObject& source) {
    if (const auto* legend = dynamic_cast<const Legend*>(&source)) {
        m_text = legend->m_text;
        m_font = legend->m_font;
    }
}

} // namespace tokarium
