// Number fields of the property dialogs: what a field accepts, enforced while typing and shown beside it.
#pragma once

#include <QString>
#include <QValidator>

class QFormLayout;
class QLineEdit;

namespace tokarium {

struct NumberForm {
    bool wholeOnly = false;    // no fractional part
    bool positiveOnly = false; // greater than 0 rather than 0 or more
    bool anySign = false;      // negative numbers allowed too
    QString word;              // a text accepted besides numbers ("0+", "inf"), compared ignoring case
    QString description;       // the allowed form in words, shown under the field
};

// Accepts the form's finite numbers (decimal "," allowed, as the dialogs read them) and its word; refuses
// letters and signs that can never lead there, so nothing the user types turns silently into 0.
class NumberValidator : public QValidator {
public:
    NumberValidator(NumberForm form, QObject* parent);
    State validate(QString& input, int& position) const override;
    const NumberForm& form() const { return m_form; }

private:
    NumberForm m_form;
};

// Gives the field the validator and adds the allowed form as a grey line under it.
void constrainField(QFormLayout& form, QLineEdit& field, NumberForm numberForm);

// The field's text is acceptable, or the field is disabled; otherwise the text that says what it allows.
QString fieldRefusal(const QLineEdit& field);

// The forms of the value fields.
NumberForm markingForm(bool continuous);
NumberForm transitionValueForm();
NumberForm weightForm();
NumberForm durationForm();

} // namespace tokarium
