// The transition dialog: identity, colours, width and the duration or speed ("inf" for -1).
#pragma once

#include "gui/editor/node_dialog.h"
#include "gui/model/transition.h"

namespace tokarium {

// A discrete transition edits its value in "Duration value:", a continuous one in "Speed value:"; the
// other field is disabled. "Instantaneous speed:" shows the value drawn while stepping.
class TransitionDialog : public NodeDialog {
    Q_OBJECT

public:
    TransitionDialog(QWidget* parent, NetSheet& sheet, Transition& transition,
                     DialogMessenger messenger = messageBoxMessenger());

    // The enabled value field of the transition's kind.
    QLineEdit* valueField() const override;
    QLineEdit* durationField() const { return m_duration; }
    QLineEdit* speedField() const { return m_speed; }
    QLineEdit* instantaneousField() const { return m_instantaneous; }

protected:
    bool applyValues(const NodeValues& values) override;

private:
    NetSheet& m_sheet;
    Transition& m_transition;
    QLineEdit* m_duration = nullptr;
    QLineEdit* m_speed = nullptr;
    QLineEdit* m_instantaneous = nullptr;
};

// "inf" in any letter case is the value -1; any other text is a real read leniently.
double transitionValueFromText(const QString& text);

} // namespace tokarium
