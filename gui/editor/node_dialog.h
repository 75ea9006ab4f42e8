// The common part of the place and transition dialogs: index, designation, colours and width.
#pragma once

#include <QDialog>

#include "gui/editor/dialog_fields.h"
#include "gui/editor/dialog_values.h"

class QDialogButtonBox;
class QFormLayout;
class QLineEdit;

namespace tokarium {

// OK first checks the kind's value field: a text outside its allowed form is shown by the messenger and
// the dialog stays open. OK reads "Index:" (below 1 or not a number: 1, shown as 1) and hands the values to the kind; when another
// node of the family holds that index, the messenger shows `indexUsedMessage` and the dialog stays open
// with the node untouched. Otherwise the node has taken the values and been Reset, and the dialog closes.
class NodeDialog : public QDialog {
    Q_OBJECT

public:
    QLineEdit* indexField() const { return m_index; }
    QLineEdit* nameField() const { return m_name; }
    ColourPicker* fillPicker() const { return m_fill; }
    ColourPicker* textPicker() const { return m_text; }
    ColourPicker* borderPicker() const { return m_border; }
    LineWidthBox* widthBox() const { return m_width; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

protected:
    NodeDialog(QWidget* parent, const NodeValues& values, const QString& title, QString indexUsedMessage,
               DialogMessenger messenger);
    // The rows of the kind, below the common ones.
    QFormLayout* form() const { return m_form; }
    // Applies the common values with the kind's own fields; false when the index is used.
    virtual bool applyValues(const NodeValues& values) = 0;
    // The kind's value field, checked against its allowed form before anything is applied.
    virtual QLineEdit* valueField() const = 0;

private:
    NodeValues fieldValues() const;

    ObjectFormat m_format;
    QString m_indexUsedMessage;
    DialogMessenger m_messenger;
    QFormLayout* m_form = nullptr;
    QLineEdit* m_index = nullptr;
    QLineEdit* m_name = nullptr;
    ColourPicker* m_fill = nullptr;
    ColourPicker* m_text = nullptr;
    ColourPicker* m_border = nullptr;
    LineWidthBox* m_width = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace tokarium
