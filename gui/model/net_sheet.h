// One net ("PN"): its objects, page, font, grid, zoom, duration, templates and conflict settings.
#pragma once

#include <cstdint>
#include <string>

#include "gui/model/drawing_surface.h"
#include "gui/model/format_templates.h"
#include "gui/model/object_container.h"
#include "gui/model/priority_table.h"
#include "gui/model/simulation_run.h"

namespace tokarium {

constexpr std::int32_t kPortrait = 1;
constexpr std::int32_t kLandscape = 2;
constexpr std::int32_t kDefaultPaperCode = 9; // A4
constexpr std::int32_t kDefaultZoom = 100;
constexpr double kDefaultDuration = 100.0;

// Paper in tenths of a millimetre.
struct PageSettings {
    std::int32_t paperCode = kDefaultPaperCode;
    std::int32_t width = 2100;
    std::int32_t height = 2970;
    std::int32_t orientation = kPortrait;
    friend bool operator==(const PageSettings&, const PageSettings&) = default;
};

struct GridSettings {
    std::int32_t step = 10; // logical units
    bool shown = true;
    bool align = true;
    friend bool operator==(const GridSettings&, const GridSettings&) = default;
};

class NetSheet : public ObjectContainer {
public:
    NetSheet() = default;

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // Nonzero and unique within the document once the document assigned it.
    std::int32_t id() const { return m_id; }
    void setId(std::int32_t id) { m_id = id; }

    PageSettings& page() { return m_page; }
    const PageSettings& page() const { return m_page; }
    Font& font() { return m_font; }
    const Font& font() const { return m_font; }
    GridSettings& grid() { return m_grid; }
    const GridSettings& grid() const { return m_grid; }
    std::int32_t zoom() const { return m_zoom; }
    void setZoom(std::int32_t zoom) { m_zoom = zoom; }
    // Simulated time span.
    double duration() const { return m_duration; }
    void setDuration(double duration) { m_duration = duration; }

    FormatTemplates& templates() { return m_templates; }
    const FormatTemplates& templates() const { return m_templates; }
    PriorityTable& priorities() { return m_priorities; }
    const PriorityTable& priorities() const { return m_priorities; }

    bool isInitialised() const { return m_initialised; }
    void setInitialised(bool initialised) { m_initialised = initialised; }
    // Discards the simulation state: the next simulation command initialises the sheet again.
    void resetSimulation() { m_initialised = false; }
    SimulationRun& simulationRun() { return m_run; }
    const SimulationRun& simulationRun() const { return m_run; }

private:
    std::string m_name;
    std::int32_t m_id = 0;
    PageSettings m_page;
    Font m_font;
    GridSettings m_grid;
    std::int32_t m_zoom = kDefaultZoom;
    double m_duration = kDefaultDuration;
    FormatTemplates m_templates;
    PriorityTable m_priorities;
    bool m_initialised = false;
    SimulationRun m_run;
};

} // namespace tokarium
