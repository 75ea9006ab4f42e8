// The common part of the place and transition dialogs.
#include "gui/editor/node_dialog.h"

#include "gui/editor/number_field.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/editor/painter_surface.h"

namespace tokarium {

NodeDialog::NodeDialog(QWidget* parent, const NodeValues& values, const QString& title, QString indexUsedMessage,
                       DialogMessenger messenger)
    : QDialog(parent), m_format(values.format), m_indexUsedMessage(std::move(indexUsedMessage)),
      m_messenger(std::move(messenger)) {
    setWindowTitle(title);
    m_index = new QLineEdit(QString::number(values.index), this);
    m_name = new QLineEdit(fromModelText(values.name), this);
    const ObjectFormat& format = values.format;
    m_fill = new ColourPicker(format.back, false, this);
    m_text = new ColourPicker(format.fore, false, this);
    m_border = new ColourPicker(format.line, false, this);
    m_width = new LineWidthBox(format.width, this);

    m_form = new QFormLayout;
    m_form->addRow(tr("Index:"), m_index);
    m_form->addRow(tr("Designation:"), m_name);
    m_form->addRow(tr("Fill:"), m_fill);
    m_form->addRow(tr("Text:"), m_text);
    m_form->addRow(tr("Border:"), m_border);
    m_form->addRow(tr("Width:"), m_width);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &NodeDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &NodeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(m_buttons);
}

NodeValues NodeDialog::fieldValues() const {
    NodeValues values{indexFromText(m_index->text()), toModelText(m_name->text()), m_format};
    values.format.back = m_fill->colour();
    values.format.fore = m_text->colour();
    values.format.line = m_border->colour();
    values.format.width = m_width->width();
    return values;
}

void NodeDialog::accept() {
    if (const QString refusal = fieldRefusal(*valueField()); !refusal.isEmpty()) {
        if (m_messenger)
            m_messenger(this, refusal);
        valueField()->setFocus();
        valueField()->selectAll();
        return;
    }
    const NodeValues values = fieldValues();
    m_index->setText(QString::number(values.index));
    if (!applyValues(values)) {
        if (m_messenger)
            m_messenger(this, m_indexUsedMessage);
        m_index->setFocus();
        m_index->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace tokarium
