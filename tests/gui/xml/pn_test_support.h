// Helpers of the .pn tests: building small nets and moving documents through text.
#pragma once

#include "gui/model/arc.h"
#include "gui/model/graph.h"
#include "gui/model/legend.h"
#include "gui/model/net_document.h"
#include "gui/model/object_factory.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/model/user_prompt.h"
#include "gui/xml/pn_document.h"

#include <string>
#include <vector>

namespace tokarium::test {

template <typename Kind>
Kind& addObject(ObjectContainer& container, ObjectKind kind) {
    return static_cast<Kind&>(container.add(createObject(kind)));
}

Place& addPlace(ObjectContainer& container, ObjectKind kind, std::int32_t index, Point centre);
Transition& addTransition(ObjectContainer& container, ObjectKind kind, std::int32_t index, Point centre);
Arc& addArc(ObjectContainer& container, ObjectKind kind, NetNode& from, NetNode& to);

// The document as written, with one maximised view per listed sheet id.
std::string documentText(const NetDocument& document, const std::vector<ViewPlacement>& views);

struct ReadOutcome {
    DocumentReadStatus status = DocumentReadStatus::kIncorrectFormat;
    std::vector<SheetWindow> windows;
    int versionQuestions = 0;
};
ReadOutcome readDocumentText(NetDocument& document, const std::string& text, bool acceptMissingVersion = true);

// The "sheet" element of one sheet as written.
std::string sheetText(const NetSheet& sheet);

// Records messages and answers questions with preset answers.
class RecordingPrompt : public UserPrompt {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        return yes;
    }
    Answer askYesNoCancel(const std::string& text) override {
        questions.push_back(text);
        return yes ? Answer::kYes : Answer::kNo;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool yes = true;
};

} // namespace tokarium::test
