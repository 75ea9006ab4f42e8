// The modal "Messages" dialog listing the faults a failed verification found.
#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
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
    // Called with the message's position when the user double-clicks it (or presses Enter on it).
    void setActivationHandler(std::function<void(std::size_t message)> handler) { m_activated = std::move(handler); }

private:
    QListWidget* m_list = nullptr;
    QPushButton* m_close = nullptr;
    std::function<void(std::size_t)> m_activated;
};

// Shows the messages modally over the parent and returns when the user closes them.
void showMessages(QWidget* parent, const std::vector<std::string>& messages);

} // namespace tokarium
