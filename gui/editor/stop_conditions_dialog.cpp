// The "Stop Conditions" dialog.
#include "gui/editor/stop_conditions_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/check/setting_text.h"
#include "gui/model/number_text.h"

namespace tokarium {

StopConditionsDialog::StopConditionsDialog(QWidget* parent, NetSheet& sheet) : QDialog(parent), m_sheet(sheet) {
    setWindowTitle(tr("Stop Conditions"));
    m_duration = new QLineEdit(QString::fromStdString(durationText(sheet.duration())), this);
    auto* form = new QFormLayout;
    form->addRow(tr("Simulation duration:"), m_duration);
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
    const std::string text = m_duration->text().toStdString();
    m_sheet.setDuration(durationFromText(trimBlanks(text)));
    QDialog::accept();
}

} // namespace tokarium
