// Helpers of the dialog tests: showing and activating dialogs, typing, modal driving and screenshots.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <functional>

#include "gui/editor/dialog_fields.h"

class QLineEdit;

namespace tokarium::test {

// Shows the widget, makes its window active (so that focus changes send focus events) and waits for it.
void showActive(QWidget& widget);

// Focuses the field, replaces its text by typing, then moves the focus to `next` (a focus-out).
void typeInto(QLineEdit* field, const QString& text, QWidget* next = nullptr);

void clickOk(QDialogButtonBox* buttons);
void clickCancel(QDialogButtonBox* buttons);

// Runs the action on the next modal dialog once it is shown (for code that calls exec()).
void whenModalShows(std::function<void(QDialog&)> action);

// Saves a picture of the widget as <name>.png in the folder named by TOKARIUM_SCREENSHOT_DIR, when set.
void saveScreenshot(QWidget& widget, const QString& name);

// Collects the messages a dialog would show in a message box.
struct MessageRecorder {
    QStringList messages;
    DialogMessenger messenger() {
        return [this](QWidget*, const QString& text) { messages.append(text); };
    }
};

} // namespace tokarium::test
