// "Step Back" and the time slider over the states a run of the active document has shown.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QLabel;
class QSlider;
class QToolBar;

namespace tokarium {

class NetDocument;

class StepControls : public QObject {
    Q_OBJECT

public:
    // The controls act on the document the callback names (none: disabled) and call `shown` after they
    // changed what its sheets show. "Step Back", the command stepping forward and the slider go into
    // the toolbar.
    StepControls(QToolBar& toolbar, QAction& stepForward, std::function<NetDocument*()> activeDocument,
                 std::function<void()> shown);

    QAction* stepBack() const { return m_stepBack; }
    QSlider* slider() const { return m_slider; }
    // "step 3 / 12" beside the slider.
    QLabel* position() const { return m_position; }

    // Range and position of the slider and the state of "Step Back", from the active document.
    void refresh();
    // Shows the recorded state on every sheet of the active document.
    void showState(int state);

private:
    void goBack();

    std::function<NetDocument*()> m_activeDocument;
    std::function<void()> m_shown;
    QAction* m_stepBack;
    QSlider* m_slider;
    QLabel* m_position;
};

} // namespace tokarium
