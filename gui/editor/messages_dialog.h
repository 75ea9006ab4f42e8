// The modal "Messages" dialog listing the faults a failed verification found.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tokarium {

// One message per line and a "Close" button.
class MessagesDialog : public QDialog {
    Q_OBJECT

public:
    MessagesDialog(QWidget* parent, const std::vector<std::string>& messages);

    QListWidget* messageList() const { return m_list; }
    QPushButton* closeButton() const { return m_close; }

private:
    QListWidget* m_list = nullptr;
    QPushButton* m_close = nullptr;
};

// Shows the messages modally over the parent and returns when the user closes them.
void showMessages(QWidget* parent, const std::vector<std::string>& messages);

} // namespace tokarium
