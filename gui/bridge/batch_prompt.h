// What the headless commands share: a prompt that answers Yes and reports on a stream.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "gui/model/user_prompt.h"
#include "gui/xml/xml_text.h"

namespace tokarium {

// Messages and questions go to the stream; every question is answered Yes.
class BatchPrompt : public UserPrompt {
public:
    explicit BatchPrompt(std::ostream& err) : m_err(err) {}
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    Answer askYesNoCancel(const std::string& text) override;

private:
    std::ostream& m_err;
};

} // namespace tokarium
