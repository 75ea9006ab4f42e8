// The legend dialog's "Font" group: face, "Size:", "Style:" and "Underline".
#pragma once

#include <QGroupBox>
#include <optional>

#include "gui/model/drawing_surface.h"

class QCheckBox;
class QComboBox;

namespace tokarium {

// Faces are the families the platform reports (the given face is kept in the list when it is missing);
// sizes are the usual list for scalable faces and the face's own sizes otherwise; styles "Normal",
// "Bold", "Italic" (0, 1, 2) as far as the face offers them; "Underline" adds 4 to the style.
class FontPicker : public QGroupBox {
    Q_OBJECT

public:
    explicit FontPicker(const Font& font, QWidget* parent = nullptr);

    // The chosen font, or none when no face is chosen.
    std::optional<Font> font() const;

    QComboBox* faceBox() const { return m_face; }
    QComboBox* sizeBox() const { return m_size; }
    QComboBox* styleBox() const { return m_style; }
    QCheckBox* underlineBox() const { return m_underline; }

private:
    // Refills sizes and styles for the chosen face, keeping the wanted values where offered.
    void fillForFace(int wantedSize, int wantedStyle);

    QComboBox* m_face = nullptr;
    QComboBox* m_size = nullptr;
    QComboBox* m_style = nullptr;
    QCheckBox* m_underline = nullptr;
};

} // namespace tokarium
