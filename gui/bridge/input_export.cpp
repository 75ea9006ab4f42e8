// Writing the engine input files.
#include "gui/bridge/input_export.h"

#include <algorithm>
#include <vector>

#include "gui/bridge/bridge_constants.h"
#include "gui/check/priority_rules.h"
#include "gui/model/arc.h"
#include "gui/model/number_text.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/xml/file_replace.h"

namespace tokarium {
namespace {

// The nodes in the order of the file, built once per export.
struct ExportNet {
    std::vector<const Place*> places;
    std::vector<const Transition*> transitions;

    explicit ExportNet(const NetSheet& sheet) {
        for (NetObject* object : sheet.sortedByIndex(kPlaceKinds))
            places.push_back(static_cast<const Place*>(object));
        for (NetObject* object : sheet.sortedByIndex(kTransitionKinds))
            transitions.push_back(static_cast<const Transition*>(object));
    }
};

class InputText {
public:
    void line(std::string_view text) {
        m_text += text;
        m_text += kInputLineEnd;
    }
    void integer(std::int64_t value) { line(formatInteger(value)); }
    void real(double value) { line(formatReal(value)); }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

// The first line: the sheet's name on one line, cut to what the engines read as a title.
std::string titleLine(const std::string& name) {
    std::string title = name.substr(0, std::min(name.size(), kMaxInputTitleLength));
    std::replace(title.begin(), title.end(), '\r', ' ');
    std::replace(title.begin(), title.end(), '\n', ' ');
    return title;
}

void writeWeight(InputText& text, const NetNode& from, const NetNode& to) {
    for (const Arc* arc : from.outputArcs())
        if (arc->to() == &to) {
            text.real(arc->weight());
            return;
        }
    text.line("0");
}

// Pre block, Post block, initial markings and transition values.
void writeMatrices(InputText& text, const ExportNet& net) {
    for (const Place* place : net.places)
        for (const Transition* transition : net.transitions)
            writeWeight(text, *place, *transition);
    for (const Place* place : net.places)
        for (const Transition* transition : net.transitions)
            writeWeight(text, *transition, *place);
    for (const Place* place : net.places)
        text.real(place->initialMarking());
    for (const Transition* transition : net.transitions)
        text.real(transition->ft());
}

// Per conflict place: the priorities, then the ratios of every priority class that holds one.
void writeConflicts(InputText& text, const NetSheet& sheet, const ExportNet& net) {
    for (const Place* place : net.places) {
        if (!isInConflict(*place))
            continue;
        // Verification has normalised the table; a copy normalised again keeps the lines in step with
        // the arcs even for a sheet written without it.
        const PriorityTable& table = sheet.priorities();
        auto stored = std::find_if(table.begin(), table.end(),
                                   [&](const PriorityEntry& entry) { return entry.placeIndex == place->index(); });
        PriorityEntry entry = stored != table.end() ? *stored : createEntry(sheet, *place);
        (void)normalizeEntry(entry, sheet);
        for (std::int32_t priority : entry.priorities)
            text.integer(priority);
        std::vector<bool> written(entry.elementCount(), false);
        for (std::size_t i = 0; i < entry.elementCount(); ++i) {
            if (entry.ratios[i] == 0.0)
                continue;
            for (std::size_t j = 0; j < entry.elementCount(); ++j)
                if (entry.priorities[j] == entry.priorities[i] && !written[j]) {
                    text.real(entry.ratios[j]);
                    written[j] = true;
                }
        }
    }
}

// 1-based positions of the nodes of the kind within the ascending list.
template <typename Node>
std::vector<std::int32_t> positionsOfKind(const std::vector<const Node*>& nodes, ObjectKind kind) {
    std::vector<std::int32_t> positions;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i]->kind() == kind)
            positions.push_back(static_cast<std::int32_t>(i + 1));
    return positions;
}

bool writeFile(const std::filesystem::path& path, const std::string& text) {
    return replaceFile(path.string(), text);
}

} // namespace

std::string continuousInputText(const NetSheet& sheet) {
    const ExportNet net(sheet);
    InputText text;
    text.line(titleLine(sheet.name()));
    text.integer(static_cast<std::int64_t>(net.places.size()));
    text.integer(static_cast<std::int64_t>(net.transitions.size()));
    writeMatrices(text, net);
    writeConflicts(text, sheet, net);
    return text.take();
}

std::string hybridInputText(const NetSheet& sheet) {
    const ExportNet net(sheet);
    const auto discretePlaces = positionsOfKind(net.places, ObjectKind::kDiscretePlace);
    const auto discreteTransitions = positionsOfKind(net.transitions, ObjectKind::kDiscreteTransition);
    InputText text;
    text.line(titleLine(sheet.name()));
    text.integer(static_cast<std::int64_t>(net.places.size()));
    text.integer(static_cast<std::int64_t>(discretePlaces.size()));
    text.integer(static_cast<std::int64_t>(net.transitions.size()));
    text.integer(static_cast<std::int64_t>(discreteTransitions.size()));
    for (std::int32_t position : discretePlaces)
        text.integer(position);
    for (std::int32_t position : discreteTransitions)
        text.integer(position);
    writeMatrices(text, net);
    writeConflicts(text, sheet, net);
    return text.take();
}

bool WriteContinuousInput(const NetSheet& sheet, const std::filesystem::path& path) {
    return writeFile(path, continuousInputText(sheet));
}

bool WriteHybridInput(const NetSheet& sheet, const std::filesystem::path& path) {
    return writeFile(path, hybridInputText(sheet));
}

} // namespace tokarium
