// readSpeedCauses.
#include "gui/bridge/speed_cause_import.h"

#include <charconv>
#include <vector>

namespace tokarium {
namespace {

std::vector<const NetNode*> nodesInOrder(const NetSheet& sheet, KindMask kinds) {
    std::vector<const NetNode*> nodes;
    for (NetObject* object : sheet.sortedByIndex(kinds))
        nodes.push_back(static_cast<const NetNode*>(object));
    return nodes;
}

bool readCount(std::string_view text, std::size_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "{P2}" and "{T1}" become the display names of the second place and the first transition; a
// marker that names no node keeps its name without the braces.
std::string withNames(std::string_view cause, const std::vector<const NetNode*>& places,
                      const std::vector<const NetNode*>& transitions) {
    std::string text;
    while (!cause.empty()) {
        const std::size_t open = cause.find('{');
        const std::size_t close = open == std::string_view::npos ? open : cause.find('}', open);
        if (close == std::string_view::npos) {
            text += cause;
            break;
        }
        text += cause.substr(0, open);
        const std::string_view marker = cause.substr(open + 1, close - open - 1);
        std::size_t number = 0;
        const auto& nodes = !marker.empty() && marker[0] == 'P' ? places : transitions;
        if (marker.size() > 1 && (marker[0] == 'P' || marker[0] == 'T') && readCount(marker.substr(1), number) &&
            number >= 1 && number <= nodes.size())
            text += nodes[number - 1]->displayName();
        else
            text += marker;
        cause.remove_prefix(close + 1);
    }
    return text;
}

} // namespace

void readSpeedCauses(std::string_view text, NetSheet& sheet) {
    SimulationRun& run = sheet.simulationRun();
    const std::vector<const NetNode*> places = nodesInOrder(sheet, kPlaceKinds);
    const std::vector<const NetNode*> transitions = nodesInOrder(sheet, kTransitionKinds);
    run.speedCauses.clear();
    run.speedCausesKnown = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t first = line.find('\t');
        const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
        EngineSpeedCause cause;
        if (second == std::string_view::npos || !readCount(line.substr(0, first), cause.row) ||
            !readCount(line.substr(first + 1, second - first - 1), cause.transition) || cause.transition < 1 ||
            cause.transition > transitions.size())
            continue;
        cause.transition -= 1;
        cause.text = withNames(line.substr(second + 1), places, transitions);
        run.speedCauses.push_back(std::move(cause));
    }
}

} // namespace tokarium
