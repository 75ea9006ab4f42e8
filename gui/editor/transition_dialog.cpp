// The transition dialog.
#include "gui/editor/transition_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

#include "gui/editor/dialog_constants.h"
#include "gui/editor/number_field.h"
#include "gui/model/model_constants.h"

namespace tokarium {
namespace {

constexpr const char* kInfiniteText = "inf";

} // namespace

double transitionValueFromText(const QString& text) {
    if (text.trimmed().compare(QLatin1String(kInfiniteText), Qt::CaseInsensitive) == 0)
        return kInfiniteValue;
    return realFromText(text);
}

TransitionDialog::TransitionDialog(QWidget* parent, NetSheet& sheet, Transition& transition,
                                   DialogMessenger messenger)
    : NodeDialog(parent, transitionValues(transition).node,
                 tr("Transition") + ' '
                     + (transition.isContinuous() ? tr("Constant Maximal Speed") : tr("Constant Duration")),
                 tr(kTransitionIndexUsed), std::move(messenger)),
      m_sheet(sheet), m_transition(transition) {
    const QString value = QString::fromStdString(transitionValueText(transition.ft()));
    const bool continuous = transition.isContinuous();
    m_duration = new QLineEdit(continuous ? QString() : value, this);
    m_speed = new QLineEdit(continuous ? value : QString(), this);
    m_instantaneous = new QLineEdit(QString::fromStdString(transitionValueText(transition.shownValue())), this);
    m_instantaneous->setReadOnly(true);
    form()->addRow(tr("Duration value:"), m_duration);
    form()->addRow(tr("Speed value:"), m_speed);
    form()->addRow(tr("Instantaneous speed:"), m_instantaneous);
    m_duration->setEnabled(!continuous);
    m_speed->setEnabled(continuous);
    form()->labelForField(m_duration)->setEnabled(!continuous);
    form()->labelForField(m_speed)->setEnabled(continuous);
    constrainField(*form(), *valueField(), transitionValueForm());
}

QLineEdit* TransitionDialog::valueField() const {
    return m_transition.isContinuous() ? m_speed : m_duration;
}

bool TransitionDialog::applyValues(const NodeValues& values) {
    return applyTransitionValues(m_sheet, m_transition,
                                 TransitionValues{values, transitionValueFromText(valueField()->text())});
}

} // namespace tokarium
