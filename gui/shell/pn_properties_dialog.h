// "PN's Properties": the net's name, paper, size and orientation.
#pragma once

#include <QDialog>
#include <string>

#include "gui/model/net_sheet.h"
#include "gui/model/paper_editor.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tokarium {

class PnPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    PnPropertiesDialog(const std::string& name, const PageSettings& page, QWidget* parent = nullptr);

    // The values to store on OK: the name as typed (Latin-1) and the paper settings.
    std::string name() const;
    PageSettings page() const { return m_paper.result(); }

    QComboBox* paperList() const { return m_paperList; }
    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QLineEdit* nameField() const { return m_name; }
    QRadioButton* portraitButton() const { return m_portrait; }
    QRadioButton* landscapeButton() const { return m_landscape; }

private:
    void choosePaper(int position);
    void chooseOrientation(std::int32_t orientation);
    // Shows the editor's state in the widgets without reacting to the changes.
    void showPaper();

    PaperEditor m_paper;
    QLineEdit* m_name;
    QComboBox* m_paperList;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    bool m_showing = false;
};

} // namespace tokarium
