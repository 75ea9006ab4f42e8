// Message boxes titled with the program's name.
#include "gui/shell/message_box_prompt.h"

#include <QMessageBox>

#include "gui/model/net_document.h"
#include "gui/shell/qt_text.h"

namespace tokarium {

namespace {

QString caption() {
    return QString::fromLatin1(kDocumentTypeName.data(), static_cast<qsizetype>(kDocumentTypeName.size()));
}

} // namespace

void MessageBoxPrompt::showMessage(const std::string& text) {
    QMessageBox::warning(m_parent, caption(), fromMessageText(text));
}

void MessageBoxPrompt::showInformation(const std::string& text) {
    QMessageBox::information(m_parent, caption(), fromMessageText(text));
}

bool MessageBoxPrompt::askYesNo(const std::string& text) {
    return QMessageBox::question(m_parent, caption(), fromMessageText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

Answer MessageBoxPrompt::askYesNoCancel(const std::string& text) {
    const auto button = QMessageBox::question(m_parent, caption(), fromMessageText(text),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    return button == QMessageBox::Yes ? Answer::kYes : button == QMessageBox::No ? Answer::kNo : Answer::kCancel;
}

} // namespace tokarium
