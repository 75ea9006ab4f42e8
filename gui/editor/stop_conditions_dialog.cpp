// The "Stop Conditions" dialog.
#include "gui/editor/stop_conditions_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/check/setting_text.h"
#include "gui/editor/number_field.h"
#include "gui/model/number_text.h"

namespace tokarium {

StopConditionsDialog::StopConditionsDialog(QWidget* parent, NetSheet& sheet, DialogMessenger messenger)
    : QDialog(parent), m_sheet(sheet), m_messenger(std::move(messenger)) {
    setWindowTitle(tr("Stop Conditions"));
    m_duration = new QLineEdit(QString::fromStdString(durationText(sheet.duration())), this);
    auto* form = new QFormLayout;
    form->addRow(tr("Simulation duration:"), m_duration);
    constrainField(*form, *m_duration, durationForm());
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &StopConditionsDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &StopConditionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    m_duration->selectAll();
    m_duration->setFocus();
}

void StopConditionsDialog::accept() {
    if (const QString refusal = fieldRefusal(*m_duration); !refusal.isEmpty()) {
        if (m_messenger)
            m_messenger(this, refusal);
        m_duration->setFocus();
        return;
    }
    const std::string text = m_duration->text().toStdString();
    m_sheet.setDuration(durationFromText(trimBlanks(text)));
    QDialog::accept();
}

} // namespace tokarium
