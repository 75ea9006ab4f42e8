// The common part of the place and transition dialogs.
#include "gui/editor/node_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/editor/painter_surface.h"

namespace tokarium {

NodeDialog::NodeDialog(QWidget* parent, NetSheet& sheet, NetNode& node, const QString& title,
                       QString indexUsedMessage, DialogMessenger messenger)
    : QDialog(parent), m_sheet(sheet), m_node(node), m_indexUsedMessage(std::move(indexUsedMessage)),
      m_messenger(std::move(messenger)) {
    setWindowTitle(title);
    m_index = new QLineEdit(QString::number(node.index()), this);
    m_name = new QLineEdit(fromModelText(node.name()), this);
    const ObjectFormat& format = node.format();
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

void NodeDialog::accept() {
    const std::int32_t index = indexFromText(m_index->text());
    m_index->setText(QString::number(index));
    const KindMask family = indexFamilyOf(m_node.kind());
    const NetNode* holder = m_sheet.findByIndex(family, index);
    if (holder && holder != &m_node) {
        if (m_messenger)
            m_messenger(this, m_indexUsedMessage);
        m_index->setFocus();
        m_index->selectAll();
        return;
    }
    m_node.setName(toModelText(m_name->text()));
    ObjectFormat& format = m_node.format();
    format.back = m_fill->colour();
    format.fore = m_text->colour();
    format.line = m_border->colour();
    format.width = m_width->width();
    storeKindFields();
    if (!m_sheet.setIndex(family, m_node, index))
        return;
    m_node.reset();
    QDialog::accept();
}

} // namespace tokarium
