// Summary text of a priority entry.
#include "gui/check/entry_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gui/model/number_text.h"

namespace tokarium {

namespace {

constexpr const char* kClassSeparator = " < ";
constexpr const char* kMemberSeparator = ", ";

// -1, -2, ... first, then 0, 1, 2, ...
bool comesBefore(std::int32_t a, std::int32_t b) {
    bool aNegative = a < 0;
    bool bNegative = b < 0;
    if (aNegative != bNegative)
        return aNegative;
    return aNegative ? a > b : a < b;
}

std::string memberText(const PriorityEntry& entry, std::size_t element, bool shared) {
    std::string text;
    if (shared && entry.ratios[element] != 1.0)
        text = formatReal(entry.ratios[element]);
    return text + "T" + formatInteger(entry.transitionIndices[element]);
}

} // namespace

std::string entryText(const PriorityEntry& entry) {
    std::size_t count = std::min({entry.transitionIndices.size(), entry.priorities.size(), entry.ratios.size()});
    std::vector<std::int32_t> classes(entry.priorities.begin(), entry.priorities.begin() + static_cast<std::ptrdiff_t>(count));
    std::sort(classes.begin(), classes.end(), comesBefore);
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());

    std::string text;
    for (std::int32_t priority : classes) {
        std::vector<std::size_t> members;
        for (std::size_t i = 0; i < count; ++i)
            if (entry.priorities[i] == priority)
                members.push_back(i);
        if (!text.empty())
            text += kClassSeparator;
        if (members.size() == 1) {
            text += memberText(entry, members.front(), false);
            continue;
        }
        text += "[";
        for (std::size_t m = 0; m < members.size(); ++m) {
            if (m > 0)
                text += kMemberSeparator;
            text += memberText(entry, members[m], true);
        }
        text += "]";
    }
    return text;
}

} // namespace tokarium
