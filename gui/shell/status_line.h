// The main window's status bar: current tool, pointer position, zoom, net kind and simulation clock.
#pragma once

#include <QPoint>
#include <QString>

class QLabel;
class QStatusBar;

namespace tokarium {

class SheetView;

class StatusLine {
public:
    // The fields are added to the bar, which owns them.
    explicit StatusLine(QStatusBar& bar);

    // Tool, zoom, net kind and clock of the view; without a view the fields are empty.
    void showView(const SheetView* view);
    // The pointer's position on the page in logical units.
    void showPointer(QPoint logical);

    QString tool() const;
    QString position() const;
    QString zoom() const;
    QString netKind() const;
    QString clock() const;

private:
    QLabel* m_tool;
    QLabel* m_position;
    QLabel* m_zoom;
    QLabel* m_netKind;
    QLabel* m_clock;
};

// "Select", "Place: Discrete", "Arc: Generalized", "Graphs", ... for the view's mouse mode.
QString toolText(const SheetView& view);
// "Discrete net", "Continuous net" or "Hybrid net" (an empty net counts as continuous, as its engine does).
QString netKindText(const SheetView& view);
// "t = 12.5 / 100   step 3" once the sheet has been simulated, empty before.
QString clockText(const SheetView& view);

} // namespace tokarium
