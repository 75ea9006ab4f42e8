// The place dialog: identity, colours, width and the initial marking ("0+" for -1).
#pragma once

#include "gui/editor/node_dialog.h"
#include "gui/model/place.h"

namespace tokarium {

class PlaceDialog : public NodeDialog {
    Q_OBJECT

public:
    PlaceDialog(QWidget* parent, NetSheet& sheet, Place& place, DialogMessenger messenger = messageBoxMessenger());

    QLineEdit* initialField() const { return m_initial; }
    QLineEdit* valueField() const override { return m_initial; }
    QLineEdit* beforeField() const { return m_before; }
    QLineEdit* afterField() const { return m_after; }

protected:
    bool applyValues(const NodeValues& values) override;

private:
    NetSheet& m_sheet;
    Place& m_place;
    QLineEdit* m_initial = nullptr;
    QLineEdit* m_before = nullptr;
    QLineEdit* m_after = nullptr;
};

// "0+" is the marking -1; any other text is a real read leniently.
double markingFromText(const QString& text);

} // namespace tokarium
