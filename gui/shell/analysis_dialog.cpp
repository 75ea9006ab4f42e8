// Listing the analysis and highlighting the nodes of the chosen row.
#include "gui/shell/analysis_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/shell/qt_text.h"

namespace tokarium {
namespace {

constexpr int kDialogWidth = 520;
constexpr int kDialogHeight = 420;

} // namespace

AnalysisDialog::AnalysisDialog(QWidget* parent, NetSheet& sheet, std::function<void()> refresh)
    : QDialog(parent), m_sheet(sheet), m_refresh(std::move(refresh)), m_analysis(analyseSheet(sheet)) {
    setWindowTitle(tr("Analysis - %1").arg(fromLatin1Text(sheet.name())));
    m_list = new QListWidget(this);
    for (AnalysisLine& line : analysisLines(m_analysis)) {
        m_list->addItem(fromLatin1Text(line.text));
        m_rowNodes.push_back(std::move(line.nodes));
    }
    connect(m_list, &QListWidget::currentRowChanged, this, &AnalysisDialog::highlightRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(kDialogWidth, kDialogHeight);
}

void AnalysisDialog::highlightRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rowNodes.size() || m_rowNodes[static_cast<std::size_t>(row)].empty())
        return;
    const std::vector<const NetNode*>& chosen = m_rowNodes[static_cast<std::size_t>(row)];
    for (NetObject* object : m_sheet.objects(kAllKinds, false))
        object->setSelected(std::find(chosen.begin(), chosen.end(), object) != chosen.end());
    if (m_refresh)
        m_refresh();
}

} // namespace tokarium
