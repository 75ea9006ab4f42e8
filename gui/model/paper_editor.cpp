// The paper list, sizes and orientation of the PN's Properties dialog.
#include "gui/model/paper_editor.h"


namespace tokarium {

PaperEditor::PaperEditor(const PageSettings& page) : m_code(page.paperCode), m_orientation(page.orientation) {
    showSize(page.width, page.height);
}

int PaperEditor::listPosition() const {
    for (std::size_t i = 0; i < kPaperChoices.size(); ++i)
        if (kPaperChoices[i].code == m_code)
            return static_cast<int>(i);
    return -1;
}

void PaperEditor::choosePaper(std::int32_t code) {
    m_code = code;
    if (code == kCustomPaperCode)
        return;
    const Size size = orientedPaperSize(code, m_orientation);
    showSize(size.width, size.height);
}

void PaperEditor::setOrientation(std::int32_t orientation) {
    if (!orientationEnabled() || orientation == m_orientation)
        return;
    m_orientation = orientation;
    const Size size = orientedPaperSize(m_code, m_orientation);
    showSize(size.width, size.height);
}

void PaperEditor::typeWidth(std::string text) {
    m_code = kCustomPaperCode;
    m_widthText = std::move(text);
}

void PaperEditor::typeHeight(std::string text) {
    m_code = kCustomPaperCode;
    m_heightText = std::move(text);
}

PageSettings PaperEditor::result() const {
    return {m_code, parsePaperSize(m_widthText), parsePaperSize(m_heightText), m_orientation};
}

void PaperEditor::showSize(std::int32_t width, std::int32_t height) {
    m_widthText = paperSizeText(width);
    m_heightText = paperSizeText(height);
}

} // namespace tokarium
