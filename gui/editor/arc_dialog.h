// The arc dialog: colours, width, the kind shown and the weight of a generalized arc.
#pragma once

#include <QDialog>

#include "gui/editor/dialog_fields.h"
#include "gui/model/arc.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

namespace tokarium {

// "Weight:" is enabled only for a generalized arc and takes a number greater than 0; OK with any other
// text shows the allowed form through the messenger and keeps the dialog open.
class ArcDialog : public QDialog {
    Q_OBJECT

public:
    ArcDialog(QWidget* parent, Arc& arc, DialogMessenger messenger = messageBoxMessenger());

    ColourPicker* fillPicker() const { return m_fill; }
    ColourPicker* textPicker() const { return m_text; }
    ColourPicker* linePicker() const { return m_line; }
    LineWidthBox* widthBox() const { return m_width; }
    QComboBox* typeBox() const { return m_type; }
    QLineEdit* weightField() const { return m_weight; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

private:
    Arc& m_arc;
    DialogMessenger m_messenger;
    ColourPicker* m_fill = nullptr;
    ColourPicker* m_text = nullptr;
    ColourPicker* m_line = nullptr;
    LineWidthBox* m_width = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_weight = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
