// Temporary folders, a recording prompt and small document helpers for the shell tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "gui/model/user_prompt.h"

class QString;
class QWidget;

namespace tokarium::test {

// A fresh empty folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Records every message and question and answers with the prepared answers.
class RecordingPrompt : public UserPrompt {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    // Information is recorded with the messages and, apart, as information.
    void showInformation(const std::string& text) override {
        messages.push_back(text);
        informations.push_back(text);
    }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        return yesNoAnswer;
    }
    Answer askYesNoCancel(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> informations;
    bool yesNoAnswer = false;
    Answer answer = Answer::kNo;
};

// A valid document with one net of the given name holding a place, written to the path.
void writeDocumentFile(const std::string& path, const std::string& sheetName = "Feeder");

std::string readBytes(const std::string& path);

// "PN n°" + number as the model stores it (Latin-1).
std::string pnName(int number);

// Saves a picture of the widget as <name>.png for the manual, when TOKARIUM_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget& widget, const QString& name);

} // namespace tokarium::test
