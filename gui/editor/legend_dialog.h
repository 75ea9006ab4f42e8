// The legend dialog: text, colours (fill and border may be transparent), width, frame shape and font.
#pragma once

#include <QDialog>

#include "gui/editor/dialog_fields.h"
#include "gui/editor/dialog_font_picker.h"
#include "gui/model/legend.h"

class QDialogButtonBox;
class QPlainTextEdit;

namespace tokarium {

// The text opens fully selected and focused. The editor removes a legend left with an empty text.
class LegendDialog : public QDialog {
    Q_OBJECT

public:
    LegendDialog(QWidget* parent, Legend& legend);

    QPlainTextEdit* textField() const { return m_textField; }
    ColourPicker* fillPicker() const { return m_fill; }
    ColourPicker* textPicker() const { return m_text; }
    ColourPicker* borderPicker() const { return m_border; }
    LineWidthBox* widthBox() const { return m_width; }
    FrameShapeBox* frameBox() const { return m_frame; }
    FontPicker* fontPicker() const { return m_font; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

private:
    Legend& m_legend;
    QPlainTextEdit* m_textField = nullptr;
    ColourPicker* m_fill = nullptr;
    ColourPicker* m_text = nullptr;
    ColourPicker* m_border = nullptr;
    LineWidthBox* m_width = nullptr;
    FrameShapeBox* m_frame = nullptr;
    FontPicker* m_font = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
