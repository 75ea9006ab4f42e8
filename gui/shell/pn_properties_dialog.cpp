// The PN's Properties dialog over a PaperEditor.
#include "gui/shell/pn_properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/model/paper_sizes.h"
#include "gui/shell/qt_text.h"

namespace tokarium {

PnPropertiesDialog::PnPropertiesDialog(const std::string& name, const PageSettings& page, QWidget* parent)
    : QDialog(parent), m_paper(page), m_name(new QLineEdit(fromLatin1Text(name), this)),
      m_paperList(new QComboBox(this)), m_width(new QLineEdit(this)), m_height(new QLineEdit(this)),
      m_portrait(new QRadioButton(tr("Portrait"), this)), m_landscape(new QRadioButton(tr("Landscape"), this)) {
    setWindowTitle(tr("PN's Properties"));
    for (const PaperChoice& choice : kPaperChoices)
        m_paperList->addItem(QString::fromLatin1(choice.label.data(), static_cast<qsizetype>(choice.label.size())),
                             choice.code);

    auto* paperBox = new QGroupBox(tr("Paper"), this);
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(tr("Size:"), m_paperList);
    paperForm->addRow(tr("Width:"), m_width);
    paperForm->addRow(tr("Height:"), m_height);
    auto* orientationBox = new QGroupBox(tr("Orientation"), this);
    auto* orientationLayout = new QHBoxLayout(orientationBox);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* nameForm = new QFormLayout;
    nameForm->addRow(tr("Name:"), m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(paperBox);
    layout->addWidget(orientationBox);
    layout->addWidget(buttons);

    connect(m_paperList, &QComboBox::currentIndexChanged, this, &PnPropertiesDialog::choosePaper);
    connect(m_portrait, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseOrientation(kPortrait);
    });
    connect(m_landscape, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseOrientation(kLandscape);
    });
    connect(m_width, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_paper.typeWidth(toLatin1Text(text));
        showPaper();
    });
    connect(m_height, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_paper.typeHeight(toLatin1Text(text));
        showPaper();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showPaper();
}

std::string PnPropertiesDialog::name() const {
    return toLatin1Text(m_name->text());
}

void PnPropertiesDialog::choosePaper(int position) {
    if (m_showing || position < 0)
        return;
    m_paper.choosePaper(kPaperChoices[static_cast<std::size_t>(position)].code);
    showPaper();
}

void PnPropertiesDialog::chooseOrientation(std::int32_t orientation) {
    if (m_showing)
        return;
    m_paper.setOrientation(orientation);
    showPaper();
}

void PnPropertiesDialog::showPaper() {
    m_showing = true;
    m_paperList->setCurrentIndex(m_paper.listPosition());
    // Typed text stays as the user left it (cursor included); only other texts are replaced.
    const QString width = fromLatin1Text(m_paper.widthText());
    const QString height = fromLatin1Text(m_paper.heightText());
    if (m_width->text() != width)
        m_width->setText(width);
    if (m_height->text() != height)
        m_height->setText(height);
    const bool portrait = m_paper.orientation() != kLandscape;
    m_portrait->setChecked(portrait);
    m_landscape->setChecked(!portrait);
    m_portrait->setEnabled(m_paper.orientationEnabled());
    m_landscape->setEnabled(m_paper.orientationEnabled());
    m_showing = false;
}

} // namespace tokarium
