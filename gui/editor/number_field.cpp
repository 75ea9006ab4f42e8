// Number fields of the property dialogs.
#include "gui/editor/number_field.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "gui/model/number_text.h"

namespace tokarium {
namespace {

bool mayLeadToNumber(const QString& text, bool signAllowed) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() || c == '.' || c == ',' || c == 'e' || c == 'E')
            continue;
        const bool afterExponent = i > 0 && (text[i - 1] == 'e' || text[i - 1] == 'E');
        if ((c == '+' || c == '-') && (afterExponent || (i == 0 && (signAllowed || c == '+'))))
            continue;
        return false;
    }
    return true;
}

} // namespace

NumberValidator::NumberValidator(NumberForm form, QObject* parent) : QValidator(parent), m_form(std::move(form)) {}

QValidator::State NumberValidator::validate(QString& input, int&) const {
    const QString text = input.trimmed();
    if (!m_form.word.isEmpty() && text.compare(m_form.word, Qt::CaseInsensitive) == 0)
        return Acceptable;
    const bool wordStart = !m_form.word.isEmpty() && !text.isEmpty() && m_form.word.startsWith(text, Qt::CaseInsensitive);
    if (!mayLeadToNumber(text, m_form.anySign))
        return wordStart ? Intermediate : Invalid;
    const std::optional<double> value = parseReal(text.toStdString());
    if (!value || !std::isfinite(*value))
        return Intermediate;
    const bool signOk = m_form.anySign || (m_form.positiveOnly ? *value > 0 : *value >= 0);
    const bool wholeOk = !m_form.wholeOnly || std::floor(*value) == *value;
    return signOk && wholeOk ? Acceptable : Intermediate;
}

void constrainField(QFormLayout& form, QLineEdit& field, NumberForm numberForm) {
    auto* hint = new QLabel(numberForm.description, field.parentWidget());
    hint->setEnabled(false);
    field.setToolTip(numberForm.description);
    field.setValidator(new NumberValidator(std::move(numberForm), &field));
    int row = 0;
    QFormLayout::ItemRole role{};
    form.getWidgetPosition(&field, &row, &role);
    form.insertRow(row + 1, QString(), hint);
}

QString fieldRefusal(const QLineEdit& field) {
    if (!field.isEnabled() || field.hasAcceptableInput())
        return {};
    const auto* validator = dynamic_cast<const NumberValidator*>(field.validator());
    return validator ? QObject::tr("The value must be %1.").arg(validator->form().description) : QString();
}

NumberForm markingForm(bool continuous) {
    if (continuous)
        return {false, false, false, "0+", QObject::tr("a number of 0 or more, or 0+")};
    return {true, false, false, "0+", QObject::tr("a whole number of 0 or more, or 0+")};
}

NumberForm transitionValueForm() {
    return {false, false, false, "inf", QObject::tr("a number of 0 or more, or inf")};
}

NumberForm weightForm() {
    return {false, true, false, {}, QObject::tr("a number greater than 0")};
}

NumberForm durationForm() {
    return {false, false, true, {}, QObject::tr("a number")};
}

} // namespace tokarium
