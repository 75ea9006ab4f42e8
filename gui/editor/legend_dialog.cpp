// The legend dialog.
#include "gui/editor/legend_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/editor/dialog_values.h"
#include "gui/editor/painter_surface.h"

namespace tokarium {

LegendDialog::LegendDialog(QWidget* parent, Legend& legend) : QDialog(parent), m_legend(legend) {
    setWindowTitle(tr("Legend"));
    m_textField = new QPlainTextEdit(fromModelText(legend.text()), this);
    const ObjectFormat& format = legend.format();
    m_fill = new ColourPicker(format.back, true, this);
    m_text = new ColourPicker(format.fore, false, this);
    m_border = new ColourPicker(format.line, true, this);
    m_width = new LineWidthBox(format.width, this);
    m_frame = new FrameShapeBox(format.style, this);
    m_font = new FontPicker(legend.font(), this);

    auto* form = new QFormLayout;
    form->addRow(tr("Fill:"), m_fill);
    form->addRow(tr("Text:"), m_text);
    form->addRow(tr("Border:"), m_border);
    form->addRow(tr("Width:"), m_width);
    form->addRow(tr("Frame:"), m_frame);
    auto* settings = new QHBoxLayout;
    settings->addLayout(form);
    settings->addWidget(m_font);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &LegendDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &LegendDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* textForm = new QFormLayout;
    textForm->addRow(tr("Text:"), m_textField);
    layout->addLayout(textForm);
    layout->addLayout(settings);
    layout->addWidget(m_buttons);

    m_textField->selectAll();
    m_textField->setFocus();
}

void LegendDialog::accept() {
    LegendValues values = legendValues(m_legend);
    values.text = toModelText(m_textField->toPlainText());
    values.format.back = m_fill->colour();
    values.format.fore = m_text->colour();
    values.format.line = m_border->colour();
    values.format.width = m_width->width();
    values.format.style = m_frame->style();
    values.font = m_font->font();
    applyLegendValues(m_legend, values);
    QDialog::accept();
}

} // namespace tokarium
