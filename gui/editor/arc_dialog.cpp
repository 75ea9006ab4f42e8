// The arc dialog.
#include "gui/editor/arc_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/editor/dialog_values.h"
#include "gui/editor/number_field.h"

namespace tokarium {

ArcDialog::ArcDialog(QWidget* parent, Arc& arc, DialogMessenger messenger)
    : QDialog(parent), m_arc(arc), m_messenger(std::move(messenger)) {
    setWindowTitle(tr("Arc"));
    const ObjectFormat& format = arc.format();
    m_fill = new ColourPicker(format.back, false, this);
    m_text = new ColourPicker(format.fore, false, this);
    m_line = new ColourPicker(format.line, false, this);
    m_width = new LineWidthBox(format.width, this);
    m_type = new QComboBox(this);
    m_type->addItems({tr("Ordinary"), tr("Generalized")});
    const bool generalized = arc.kind() == ObjectKind::kGeneralizedArc;
    m_type->setCurrentIndex(generalized ? 1 : 0);
    m_type->setEnabled(false);
    m_weight = new QLineEdit(realText(arc.weight()), this);

    auto* form = new QFormLayout;
    form->addRow(tr("Fill:"), m_fill);
    form->addRow(tr("Text:"), m_text);
    form->addRow(tr("Line:"), m_line);
    form->addRow(tr("Width:"), m_width);
    form->addRow(tr("Type:"), m_type);
    form->addRow(tr("Weight:"), m_weight);
    m_weight->setEnabled(generalized);
    form->labelForField(m_weight)->setEnabled(generalized);
    if (generalized)
        constrainField(*form, *m_weight, weightForm());

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ArcDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ArcDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
}

void ArcDialog::accept() {
    if (const QString refusal = fieldRefusal(*m_weight); !refusal.isEmpty()) {
        if (m_messenger)
            m_messenger(this, refusal);
        m_weight->setFocus();
        return;
    }
    ArcValues values = arcValues(m_arc);
    values.format.back = m_fill->colour();
    values.format.fore = m_text->colour();
    values.format.line = m_line->colour();
    values.format.width = m_width->width();
    if (m_weight->isEnabled())
        values.weight = realFromText(m_weight->text());
    applyArcValues(m_arc, values);
    QDialog::accept();
}

} // namespace tokarium
