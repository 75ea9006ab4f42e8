// The "Analysis" window: the structural analysis of a net, whose rows highlight their nodes.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "gui/check/net_analysis.h"

class QListWidget;

namespace tokarium {

class AnalysisDialog : public QDialog {
    Q_OBJECT

public:
    // Lists analysisLines of the sheet. Choosing a row that stands for nodes (an invariant, a siphon,
    // a trap, the places in no P-invariant) selects them in the sheet, and nothing else, then calls
    // refresh so that the window on the sheet shows them.
    AnalysisDialog(QWidget* parent, NetSheet& sheet, std::function<void()> refresh);

    QListWidget* list() const { return m_list; }

private:
    void highlightRow(int row);

    NetSheet& m_sheet;
    std::function<void()> m_refresh;
    NetAnalysis m_analysis;
    // Per row of the list, the nodes it stands for (none for titles and verdicts).
    std::vector<std::vector<const NetNode*>> m_rowNodes;
    QListWidget* m_list = nullptr;
};

} // namespace tokarium
