// Messages and questions to the user; the GUI shows them, tests record them.
#pragma once

#include <string>
#include <string_view>

namespace tokarium {

enum class Answer { kYes, kNo, kCancel };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A warning or a failure.
    virtual void showMessage(const std::string& text) = 0;
    // A piece of information ("Valid PN.", "End of simulation."); shown like a message unless the
    // prompt tells the two apart.
    virtual void showInformation(const std::string& text) { showMessage(text); }
    // True for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    virtual Answer askYesNoCancel(const std::string& text) = 0;
};

// Texts of the document commands; "%s" stands for a path or file name (see formatMessage).
constexpr std::string_view kCantOpenFileMessage = "Can't open file \"%s\".";
constexpr std::string_view kIncorrectFormatMessage = "Incorrect file format \"%s\".";
// Follows the format message when the reader found where the file is damaged.
constexpr std::string_view kDamagedLineMessage = "The file is damaged at line %s.";
constexpr std::string_view kIncorrectVersionQuestion =
    "The version number of the file \"%s\" is incorrect. Do you want to continue?";
constexpr std::string_view kSaveChangesQuestion = "Save the changes made to \"%s\" ?";
constexpr std::string_view kPlaceIndexUsedMessage = "A place with the same index already exists.";
constexpr std::string_view kTransitionIndexUsedMessage = "A transition with the same index already exists";

// The message with its first "%s" replaced by the argument.
// The message with each "%s" replaced, in turn, by the next of the given texts (plain substitution,
// never through a printf format).
std::string formatMessage(std::string_view message, std::string_view first, std::string_view second = {});

} // namespace tokarium
