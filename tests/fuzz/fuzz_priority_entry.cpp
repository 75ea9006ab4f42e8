// Fuzzes the "Priority:" and "Sharing:" fields of the conflicts dialog: any typed text, on any
// element, must leave the entry in normal form with a summary that can be shown.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gui/check/entry_text.h"
#include "gui/check/priority_rules.h"
#include "tests/gui/check/net_builder.h"

using namespace tokarium;
using namespace tokarium::testing;

namespace {

// A place in conflict between three continuous transitions and a discrete one.
struct ConflictNet {
    NetSheet sheet;
    Place* place = nullptr;

    ConflictNet() {
        place = &continuousPlace(sheet, 1);
        addArc(sheet, *place, continuousTransition(sheet, 3));
        addArc(sheet, *place, discreteTransition(sheet, 1));
        addArc(sheet, *place, continuousTransition(sheet, 2));
        addArc(sheet, *place, continuousTransition(sheet, 4));
    }
};

// Ascending transitions, continuous ones from 1 upwards and the discrete one from -1 downwards, a
// ratio of 0 alone in a class and a finite positive ratio in a class of several.
void checkNormalForm(const PriorityEntry& entry) {
    if (entry.elementCount() != 4)
        __builtin_trap();
    for (std::size_t i = 0; i < 4; ++i) {
        if (entry.transitionIndices[i] != static_cast<std::int32_t>(i + 1))
            __builtin_trap();
        const bool continuous = i != 0;
        if (continuous ? entry.priorities[i] < 1 : entry.priorities[i] > -1)
            __builtin_trap();
        std::size_t classSize = 0;
        for (std::int32_t priority : entry.priorities)
            classSize += priority == entry.priorities[i] ? 1 : 0;
        const double ratio = entry.ratios[i];
        if (classSize == 1 ? ratio != 0.0 : !(ratio > 0.0 && std::isfinite(ratio)))
            __builtin_trap();
    }
    if (entryText(entry).empty())
        __builtin_trap();
}

} // namespace

// The input is a list of edits, one per line: a byte choosing the field and the element, then the
// text typed into it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ConflictNet net;
    PriorityEntry entry = createEntry(net.sheet, *net.place);
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        std::string_view line = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        if (line.empty())
            continue;
        const auto choice = static_cast<unsigned char>(line[0]);
        const std::size_t element = (choice >> 1) % entry.elementCount();
        line.remove_prefix(1);
        if (choice & 1)
            applyRatioText(entry, element, line, net.sheet);
        else
            applyPriorityText(entry, element, line, net.sheet);
        checkNormalForm(entry);
    }
    return 0;
}
