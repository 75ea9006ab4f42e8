// The status bar's view of a long engine run: the clock against the duration, a bar and "Cancel".
#pragma once

#include <QWidget>

#include "gui/bridge/engine_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tokarium {

// Hidden until a long run shows it; the wait for the engine connects "Cancel".
class RunProgress : public QWidget {
public:
    explicit RunProgress(QWidget* parent = nullptr);

    void showProgress(const EngineProgress& progress);

    QString text() const;
    QProgressBar& bar() const { return *m_bar; }
    QPushButton& cancelButton() const { return *m_cancel; }

private:
    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};

// "Simulating "Tanks": t = 12.5 / 100", "t = 12.5" when the duration is unbounded, no clock before
// the engine's first report.
QString runProgressText(const EngineProgress& progress);
// The bar's position in thousandths of the duration; none (a busy bar) when the duration is unbounded.
std::optional<int> runProgressPermille(const EngineProgress& progress);

} // namespace tokarium
