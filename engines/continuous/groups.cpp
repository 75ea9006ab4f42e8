// Group building: feeding closure, merges by sharing places and conflicts, ordering.
#include "engines/continuous/groups.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <utility>

namespace flowrun {
namespace {

// What the group steps ask about one group, kept up to date after every merge or exchange.
struct GroupFacts {
    std::vector<int> inputs;                        // places that are inputs of a member, sorted
    std::vector<int> outputs;                       // places that are outputs of a member, sorted
    std::vector<std::pair<int, Real>> inputLevels;  // (input place, level of the member), sorted
    int sharing = -1;  // last place where two members of equal level are outputs, or -1
};

// Some element in both sorted lists; each element of the shorter is looked up in the longer.
bool intersect(const std::vector<int>& a, const std::vector<int>& b)
{
    const std::vector<int>& shorter = a.size() <= b.size() ? a : b;
    const std::vector<int>& longer = a.size() <= b.size() ? b : a;
    return std::any_of(shorter.begin(), shorter.end(),
                       [&longer](int x) { return std::binary_search(longer.begin(), longer.end(), x); });
}

template <typename T>
std::vector<T> sortedUnion(const std::vector<T>& a, const std::vector<T>& b)
{
    std::vector<T> joined;
    joined.reserve(a.size() + b.size());
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(joined));
    return joined;
}

// The last place where two members have the same level: two equal neighbours in the list.
int lastSharingPlace(const std::vector<std::pair<int, Real>>& inputLevels)
{
    int place = -1;
    for (std::size_t i = 1; i < inputLevels.size(); ++i) {
        if (inputLevels[i] == inputLevels[i - 1])
            place = inputLevels[i].first;
    }
    return place;
}

class GroupBuilder {
public:
    explicit GroupBuilder(const ContinuousNet& net)
        : m_net(net), m_feeds(static_cast<std::size_t>(net.m) * net.m, false), m_group(net.m, 0),
          m_consumers(net.arcs.consumers), m_producers(net.arcs.producers)
    {
        for (int p = 0; p < net.n; ++p) {
            for (int a : m_producers[p]) {
                for (int b : m_consumers[p]) {
                    if (a != b)
                        m_feeds[index(a, b)] = true;
                }
            }
        }
    }

    std::vector<int> build()
    {
        numberByFeeders();
        refresh();
        mergeUnfed();
        mergeCommonSharing();
        mergeConflicting();
        order();
        // Merges lower the numbers above the merged group and exchanges swap two, so the
        // numbering has no gaps left to close here.
        mergeBackFeeding();
        return m_group;
    }

private:
    std::size_t index(int a, int b) const { return static_cast<std::size_t>(a) * m_net.m + b; }
    bool feeds(int a, int b) const { return m_feeds[index(a, b)]; }
    int count() const { return static_cast<int>(m_facts.size()); }

    void numberByFeeders()
    {
        // Transitive closure of the feeding relation, one bit row per transition.
        const int m = m_net.m;
        const std::size_t words = (static_cast<std::size_t>(m) + 63) / 64;
        std::vector<std::uint64_t> closure(static_cast<std::size_t>(m) * words, 0);
        const auto row = [&closure, words](int a) { return closure.data() + static_cast<std::size_t>(a) * words; };
        const auto has = [&row](int a, int b) { return (row(a)[b / 64] >> (b % 64)) & 1U; };
        for (int a = 0; a < m; ++a) {
            for (int b = 0; b < m; ++b) {
                if (feeds(a, b))
                    row(a)[b / 64] |= std::uint64_t{1} << (b % 64);
            }
        }
        for (int k = 0; k < m; ++k) {
            for (int a = 0; a < m; ++a) {
                if (a == k || !has(a, k))
                    continue;
                std::uint64_t* target = row(a);
                const std::uint64_t* source = row(k);
                for (std::size_t w = 0; w < words; ++w)
                    target[w] |= source[w];
            }
        }
        std::vector<int> up(m, 0);
        for (int a = 0; a < m; ++a) {
            for (int b = 0; b < m; ++b) {
                if (a != b && has(a, b))
                    ++up[b];
            }
        }
        std::vector<int> order(m);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&up](int a, int b) { return up[a] < up[b]; });
        for (int i = 0; i < m; ++i)
            m_group[order[i]] = i;
    }

    // Computes the facts of every group from the numbering; the numbers are consecutive
    // from 0, as merges and exchanges keep them.
    void refresh()
    {
        const int groups = groupCount(m_group);
        m_facts.assign(groups, GroupFacts{});
        for (int p = 0; p < m_net.n; ++p) {
            for (int t : m_consumers[p]) {
                GroupFacts& facts = m_facts[m_group[t]];
                if (facts.inputs.empty() || facts.inputs.back() != p)
                    facts.inputs.push_back(p);
                facts.inputLevels.emplace_back(p, m_net.level[t]);
            }
            for (int t : m_producers[p]) {
                GroupFacts& facts = m_facts[m_group[t]];
                if (facts.outputs.empty() || facts.outputs.back() != p)
                    facts.outputs.push_back(p);
            }
        }
        for (GroupFacts& facts : m_facts) {
            std::sort(facts.inputLevels.begin(), facts.inputLevels.end());
            facts.sharing = lastSharingPlace(facts.inputLevels);
        }
    }

    // Some place is an output of a transition of group x and an input of one of group y.
    bool groupFeeds(int x, int y) const { return intersect(m_facts[x].outputs, m_facts[y].inputs); }

    bool fedByOther(int c) const
    {
        for (int x = 0; x < count(); ++x) {
            if (x != c && groupFeeds(x, c))
                return true;
        }
        return false;
    }

    // Groups are disjoint, so a common input place always has two different transitions.
    bool commonInput(int x, int y) const { return intersect(m_facts[x].inputs, m_facts[y].inputs); }

    bool commonInputOfEqualLevel(int x, int y) const
    {
        const auto& first = m_facts[x].inputLevels;
        const auto& second = m_facts[y].inputLevels;
        auto i = first.begin();
        auto j = second.begin();
        while (i != first.end() && j != second.end()) {
            if (*i == *j)
                return true;
            if (*i < *j)
                ++i;
            else
                ++j;
        }
        return false;
    }

    bool bothSharing(int x, int y) const { return m_facts[x].sharing >= 0 && m_facts[y].sharing >= 0; }

    void merge(int from, int into)
    {
        for (int& g : m_group) {
            if (g == from)
                g = into;
        }
        for (int& g : m_group) {
            if (g > from)
                --g;
        }
        GroupFacts& target = m_facts[into];
        const GroupFacts& source = m_facts[from];
        target.inputs = sortedUnion(target.inputs, source.inputs);
        target.outputs = sortedUnion(target.outputs, source.outputs);
        std::vector<std::pair<int, Real>> levels;
        levels.reserve(target.inputLevels.size() + source.inputLevels.size());
        std::merge(target.inputLevels.begin(), target.inputLevels.end(), source.inputLevels.begin(),
                   source.inputLevels.end(), std::back_inserter(levels));
        target.inputLevels = std::move(levels);
        target.sharing = lastSharingPlace(target.inputLevels);
        m_facts.erase(m_facts.begin() + from);
    }

    void exchange(int x, int y)
    {
        for (int& g : m_group) {
            if (g == x)
                g = y;
            else if (g == y)
                g = x;
        }
        std::swap(m_facts[x], m_facts[y]);
    }

    void mergeUnfed()
    {
        int c = 1;
        while (c < count()) {
            if (!fedByOther(c))
                merge(c, 0);
            else
                ++c;
        }
    }

    void mergeCommonSharing()
    {
        for (int y = 0; y < count(); ++y) {
            int x = y + 1;
            while (x < count()) {
                if (commonInputOfEqualLevel(x, y))
                    merge(x, y);
                else
                    ++x;
            }
        }
    }

    void mergeConflicting()
    {
        bool changed = true;
        for (int sweep = 0; changed && sweep < kMaxGroupSweeps; ++sweep) {
            changed = false;
            for (int y = 0; y < count(); ++y) {
                for (int x = y + 1; x < count(); ++x) {
                    if (commonInput(x, y) && (!bothSharing(x, y) || m_facts[x].sharing == m_facts[y].sharing)) {
                        merge(x, y);
                        changed = true;
                    }
                    if (x < count() && groupFeeds(x, y) && groupFeeds(y, x)) {
                        merge(x, y);
                        changed = true;
                    }
                }
            }
        }
    }

    // Groups that feed each other are merged here too, so that the exchanges end.
    void order()
    {
        bool changed = true;
        for (int sweep = 0; changed && sweep < kMaxGroupSweeps; ++sweep) {
            changed = false;
            for (int y = 0; y < count(); ++y) {
                int x = y + 1;
                while (x < count()) {
                    const bool yFeedsX = groupFeeds(y, x);
                    const bool xFeedsY = groupFeeds(x, y);
                    if ((yFeedsX && !bothSharing(x, y)) || (yFeedsX && xFeedsY)) {
                        merge(x, y);
                        changed = true;
                    } else if (xFeedsY) {
                        exchange(x, y);
                        changed = true;
                    } else {
                        ++x;
                    }
                }
            }
        }
    }

    void mergeBackFeeding()
    {
        bool changed = true;
        while (changed) {
            changed = false;
            for (int y = 0; y < count(); ++y) {
                for (int x = y + 1; x < count(); ++x) {
                    if (groupFeeds(x, y)) {
                        merge(x, y);
                        changed = true;
                    }
                }
            }
        }
    }

    const ContinuousNet& m_net;
    std::vector<bool> m_feeds;
    std::vector<int> m_group;
    const std::vector<std::vector<int>>& m_consumers;  // per place, the transitions it is an input of
    const std::vector<std::vector<int>>& m_producers;  // per place, the transitions it is an output of
    std::vector<GroupFacts> m_facts;
};

}  // namespace

std::vector<int> buildGroups(const ContinuousNet& net)
{
    return GroupBuilder(net).build();
}

int groupCount(const std::vector<int>& group)
{
    return group.empty() ? 0 : *std::max_element(group.begin(), group.end()) + 1;
}

}  // namespace flowrun
