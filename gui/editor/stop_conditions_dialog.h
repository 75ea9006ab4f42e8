// The "Stop Conditions" dialog: the sheet's simulation duration.
#pragma once

#include <QDialog>

#include "gui/model/net_sheet.h"

class QDialogButtonBox;
class QLineEdit;

namespace tokarium {

// Shows the duration with "%.12lg"; OK stores the typed real ("," accepted, anything else 0) without
// further checks; Cancel changes nothing.
class StopConditionsDialog : public QDialog {
    Q_OBJECT

public:
    StopConditionsDialog(QWidget* parent, NetSheet& sheet);

    QLineEdit* durationField() const { return m_duration; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

private:
    NetSheet& m_sheet;
    QLineEdit* m_duration = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
