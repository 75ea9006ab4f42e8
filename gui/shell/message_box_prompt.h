// The user's answers through message boxes over the main window.
#pragma once

#include "gui/model/user_prompt.h"

class QWidget;

namespace tokarium {

class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent) : m_parent(parent) {}

    void showMessage(const std::string& text) override;
    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    Answer askYesNoCancel(const std::string& text) override;

private:
    QWidget* m_parent;
};

} // namespace tokarium
