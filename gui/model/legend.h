// Free text box of a sheet.
#pragma once

#include <string>

#include "gui/model/net_object.h"

namespace tokarium {

class Legend : public NetObject {
public:
    Legend();

    // Multi-line text (lines separated by line feeds).
    const std::string& text() const { return m_text; }
    void setText(std::string text) { m_text = std::move(text); }
    const Font& font() const { return m_font; }
    void setFont(Font font) { m_font = std::move(font); }

    void draw(DrawingSurface& surface, const DrawContext& context) const override;

protected:
    void copyContentFrom(const NetObject& source) override;

private:
    std::string m_text;
    Font m_font;
};

} // namespace tokarium
