// RunProgress and its texts.
#include "gui/shell/run_progress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace tokarium {
namespace {

constexpr int kBarSteps = 1000;

bool bounded(double duration) {
    return std::isfinite(duration) && duration > 0.0;
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

} // namespace

QString runProgressText(const EngineProgress& progress) {
    const QString sheet = QObject::tr("Simulating \"%1\"").arg(QString::fromStdString(progress.sheetName));
    if (!progress.clock)
        return sheet + QStringLiteral("...");
    const QString clock = QStringLiteral("t = ") + number(*progress.clock);
    return sheet + QStringLiteral(": ") +
           (bounded(progress.duration) ? clock + QStringLiteral(" / ") + number(progress.duration) : clock);
}

std::optional<int> runProgressPermille(const EngineProgress& progress) {
    if (!bounded(progress.duration))
        return std::nullopt;
    const double share = progress.clock ? std::clamp(*progress.clock / progress.duration, 0.0, 1.0) : 0.0;
    return static_cast<int>(std::lround(share * kBarSteps));
}

RunProgress::RunProgress(QWidget* parent)
    : QWidget(parent), m_text(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("runProgress"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(160);
    m_cancel->setToolTip(tr("Stop the simulation engine (Esc)"));
    hide();
}

void RunProgress::showProgress(const EngineProgress& progress) {
    m_text->setText(runProgressText(progress));
    if (const std::optional<int> permille = runProgressPermille(progress)) {
        m_bar->setRange(0, kBarSteps);
        m_bar->setValue(*permille);
    } else {
        m_bar->setRange(0, 0);
    }
}

QString RunProgress::text() const {
    return m_text->text();
}

} // namespace tokarium
