// The "Stop Conditions" dialog: the sheet's simulation duration.
#pragma once

#include <QDialog>

#include "gui/editor/dialog_fields.h"
#include "gui/model/net_sheet.h"

class QDialogButtonBox;
class QLineEdit;

namespace tokarium {

// Shows the duration with "%.12lg"; the field takes numbers only ("," accepted); OK stores the typed real
// (OK on a text that is not yet a number shows the allowed form and keeps the dialog open); Cancel
// changes nothing.
class StopConditionsDialog : public QDialog {
    Q_OBJECT

public:
    StopConditionsDialog(QWidget* parent, NetSheet& sheet, DialogMessenger messenger = messageBoxMessenger());

    QLineEdit* durationField() const { return m_duration; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

private:
    NetSheet& m_sheet;
    DialogMessenger m_messenger;
    QLineEdit* m_duration = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
