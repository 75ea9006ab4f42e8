// The Yes-answering prompt of the headless commands.
#include "gui/bridge/batch_prompt.h"

namespace tokarium {

void BatchPrompt::showMessage(const std::string& text) {
    m_err << utf8(text) << '\n';
}

bool BatchPrompt::askYesNo(const std::string& text) {
    m_err << utf8(text) << " Yes.\n";
    return true;
}

Answer BatchPrompt::askYesNoCancel(const std::string& text) {
    m_err << utf8(text) << " Yes.\n";
    return Answer::kYes;
}

} // namespace tokarium
