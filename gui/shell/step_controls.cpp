// StepControls.
#include "gui/shell/step_controls.h"

#include <QAction>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>

#include "gui/bridge/step_history.h"
#include "gui/shell/shell_icons.h"

namespace tokarium {

namespace {

constexpr int kSliderWidth = 160;

} // namespace

StepControls::StepControls(QToolBar& toolbar, QAction& stepForward, std::function<NetDocument*()> activeDocument,
                           std::function<void()> shown)
    : QObject(&toolbar), m_activeDocument(std::move(activeDocument)), m_shown(std::move(shown)),
      m_stepBack(new QAction(tr("Step Back"), this)), m_slider(new QSlider(Qt::Horizontal, &toolbar)),
      m_position(new QLabel(&toolbar)) {
    m_stepBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_B));
    m_stepBack->setIcon(shellIcon(QStringLiteral("step_back")));
    m_stepBack->setToolTip(commandToolTip(*m_stepBack));
    connect(m_stepBack, &QAction::triggered, this, &StepControls::goBack);
    m_slider->setObjectName(QStringLiteral("stepSlider"));
    m_slider->setToolTip(tr("Recorded steps: drag to show any of them"));
    m_slider->setMinimumWidth(kSliderWidth);
    m_slider->setPageStep(1);
    connect(m_slider, &QSlider::valueChanged, this, &StepControls::showState);
    toolbar.addActions({m_stepBack, &stepForward});
    toolbar.addWidget(m_slider);
    toolbar.addWidget(m_position);
    refresh();
}

void StepControls::refresh() {
    NetDocument* document = m_activeDocument();
    const int last = document ? static_cast<int>(LastRecordedState(*document)) : 0;
    const int shown = document ? static_cast<int>(ShownState(*document)) : 0;
    const QSignalBlocker quiet(m_slider);
    m_slider->setRange(0, last);
    m_slider->setValue(shown);
    m_slider->setEnabled(last > 0);
    m_stepBack->setEnabled(shown > 0);
    m_position->setText(last > 0 ? tr("step %1 / %2").arg(shown).arg(last) : QString());
}

void StepControls::showState(int state) {
    NetDocument* document = m_activeDocument();
    if (!document || state < 0)
        return;
    ShowStateAll(*document, static_cast<std::size_t>(state));
    refresh();
    m_shown();
}

void StepControls::goBack() {
    if (NetDocument* document = m_activeDocument(); document && StepBackAll(*document)) {
        refresh();
        m_shown();
    }
}

} // namespace tokarium
