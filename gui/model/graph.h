// Plot object of a sheet: title, axis labels and the curves of place markings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/model/net_object.h"

namespace tokarium {

class NetSheet;
class Place;

// Graph::display bits.
constexpr std::int32_t kGraphShowAxis = 1;
constexpr std::int32_t kGraphShowGrid = 2;

struct GraphCurve {
    // Saved fields.
    std::int32_t sheetId = 0;    // "rdp": id of the sheet whose place is plotted
    std::int32_t placeIndex = 0; // "place"
    Colour colour = kBlack;      // "color"
    // Run-time data, never saved: the bound sheet and place, and the recorded samples.
    const NetSheet* boundSheet = nullptr;
    const Place* boundPlace = nullptr;
    std::vector<double> times;
    std::vector<double> beforeValues;
    std::vector<double> afterValues;
};

class Graph : public NetObject {
public:
    Graph();

    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    const std::string& xLabel() const { return m_xLabel; }
    void setXLabel(std::string label) { m_xLabel = std::move(label); }
    const std::string& yLabel() const { return m_yLabel; }
    void setYLabel(std::string label) { m_yLabel = std::move(label); }
    const std::vector<GraphCurve>& curves() const { return m_curves; }
    std::vector<GraphCurve>& curves() { return m_curves; }

    // Draws the content through the context's renderer, or only the frame when there is none.
    void draw(DrawingSurface& surface, const DrawContext& context) const override;

protected:
    void copyContentFrom(const NetObject& source) override;

private:
    std::string m_title;
    std::string m_xLabel;
    std::string m_yLabel;
    std::vector<GraphCurve> m_curves;
};

} // namespace tokarium
