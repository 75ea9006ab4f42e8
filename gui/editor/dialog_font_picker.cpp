// The legend dialog's font group.
#include "gui/editor/dialog_font_picker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/editor/dialog_constants.h"
#include "gui/editor/dialog_fields.h"
#include "gui/editor/painter_surface.h"

namespace tokarium {
namespace {

struct StyleChoice {
    const char* label;
    int value;
};
constexpr StyleChoice kStyleChoices[] = {{"Normal", 0}, {"Bold", kFontBold}, {"Italic", kFontItalic}};

// Which of bold and italic the family offers; a family the platform does not know offers both.
std::pair<bool, bool> boldAndItalicOf(const QString& family) {
    const QStringList styles = QFontDatabase::styles(family);
    if (styles.isEmpty())
        return {true, true};
    bool bold = false;
    bool italic = false;
    for (const QString& style : styles) {
        bold = bold || QFontDatabase::weight(family, style) >= QFont::DemiBold;
        italic = italic || QFontDatabase::italic(family, style);
    }
    return {bold, italic};
}

} // namespace

FontPicker::FontPicker(const Font& font, QWidget* parent) : QGroupBox(tr("Font"), parent) {
    m_face = new QComboBox(this);
    m_face->setObjectName(QStringLiteral("face"));
    const QString face = fromModelText(font.face);
    QStringList families = QFontDatabase::families();
    if (!face.isEmpty() && !families.contains(face))
        families.prepend(face);
    m_face->addItems(families);
    m_face->setCurrentIndex(m_face->findText(face));

    m_size = new QComboBox(this);
    m_style = new QComboBox(this);
    m_underline = new QCheckBox(tr("Underline"), this);
    m_underline->setChecked((font.style & kFontUnderline) != 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_face);
    auto* form = new QFormLayout;
    form->addRow(tr("Size:"), m_size);
    form->addRow(tr("Style:"), m_style);
    layout->addLayout(form);
    layout->addWidget(m_underline);

    fillForFace(font.size, font.style & ~kFontUnderline);
    connect(m_face, &QComboBox::currentIndexChanged, this, [this] {
        fillForFace(m_size->currentData().toInt(), m_style->currentData().toInt());
    });
}

void FontPicker::fillForFace(int wantedSize, int wantedStyle) {
    const QString family = m_face->currentText();
    m_size->clear();
    QList<int> sizes;
    if (family.isEmpty() || !QFontDatabase::families().contains(family) || QFontDatabase::isSmoothlyScalable(family))
        sizes = QList<int>(kScalableFontSizes.begin(), kScalableFontSizes.end());
    else
        sizes = QFontDatabase::pointSizes(family);
    if (sizes.isEmpty())
        sizes = QList<int>(kScalableFontSizes.begin(), kScalableFontSizes.end());
    for (int size : sizes)
        m_size->addItem(QString::number(size), size);
    int sizePosition = m_size->findData(wantedSize);
    if (sizePosition < 0 && wantedSize > 0) {
        m_size->addItem(QString::number(wantedSize), wantedSize);
        sizePosition = m_size->count() - 1;
    }
    m_size->setCurrentIndex(sizePosition < 0 ? 0 : sizePosition);

    m_style->clear();
    const auto [bold, italic] = boldAndItalicOf(family);
    for (const StyleChoice& choice : kStyleChoices) {
        if ((choice.value == kFontBold && !bold) || (choice.value == kFontItalic && !italic))
            continue;
        m_style->addItem(tr(choice.label), choice.value);
    }
    const int stylePosition = m_style->findData(wantedStyle);
    m_style->setCurrentIndex(stylePosition < 0 ? 0 : stylePosition);
}

std::optional<Font> FontPicker::font() const {
    if (m_face->currentIndex() < 0 || m_face->currentText().isEmpty())
        return std::nullopt;
    Font font;
    font.face = toModelText(m_face->currentText());
    font.size = m_size->currentData().toInt();
    font.style = m_style->currentData().toInt() + (m_underline->isChecked() ? kFontUnderline : 0);
    return font;
}

} // namespace tokarium
