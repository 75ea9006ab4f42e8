// Group building: feeding closure, merges by sharing places and conflicts, ordering.
#include "engines/continuous/groups.h"

#include <algorithm>
#include <numeric>

namespace flowrun {
namespace {

class GroupBuilder {
public:
    explicit GroupBuilder(const ContinuousNet& net)
        : m_net(net), m_feeds(static_cast<std::size_t>(net.m) * net.m, false), m_group(net.m, 0)
    {
        for (int a = 0; a < net.m; ++a) {
            for (int b = 0; b < net.m; ++b) {
                if (a == b)
                    continue;
                for (int p = 0; p < net.n && !feeds(a, b); ++p) {
                    if (net.isOutput(p, a) && net.isInput(p, b))
                        m_feeds[index(a, b)] = true;
                }
            }
        }
    }

    std::vector<int> build()
    {
        numberByFeeders();
        mergeUnfed();
        mergeCommonSharing();
        mergeConflicting();
        order();
        closeGaps();
        mergeBackFeeding();
        return m_group;
    }

private:
    std::size_t index(int a, int b) const { return static_cast<std::size_t>(a) * m_net.m + b; }
    bool feeds(int a, int b) const { return m_feeds[index(a, b)]; }
    int count() const { return groupCount(m_group); }

    void numberByFeeders()
    {
        std::vector<bool> closure = m_feeds;
        const int m = m_net.m;
        for (int k = 0; k < m; ++k) {
            for (int a = 0; a < m; ++a) {
                if (!closure[index(a, k)])
                    continue;
                for (int b = 0; b < m; ++b) {
                    if (closure[index(k, b)] && a != b)
                        closure[index(a, b)] = true;
                }
            }
        }
        std::vector<int> up(m, 0);
        for (int a = 0; a < m; ++a) {
            for (int b = 0; b < m; ++b) {
                if (closure[index(a, b)])
                    ++up[b];
            }
        }
        std::vector<int> order(m);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&up](int a, int b) { return up[a] < up[b]; });
        for (int i = 0; i < m; ++i)
            m_group[order[i]] = i;
    }

    std::vector<int> members(int x) const
    {
        std::vector<int> list;
        for (int t = 0; t < m_net.m; ++t) {
            if (m_group[t] == x)
                list.push_back(t);
        }
        return list;
    }

    // Some place is an output of a transition of group x and an input of one of group y.
    bool groupFeeds(int x, int y) const
    {
        const std::vector<int> from = members(x);
        const std::vector<int> to = members(y);
        for (int a : from) {
            for (int b : to) {
                if (feeds(a, b))
                    return true;
            }
        }
        return false;
    }

    bool fedByOther(int c) const
    {
        for (int x = 0; x < count(); ++x) {
            if (x != c && groupFeeds(x, c))
                return true;
        }
        return false;
    }

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
    }

    void exchange(int x, int y)
    {
        for (int& g : m_group) {
            if (g == x)
                g = y;
            else if (g == y)
                g = x;
        }
    }

    // Place p is an input of transition i of group x and of a different j of group y.
    bool commonInput(int x, int y, bool equalLevelOnly) const
    {
        const std::vector<int> first = members(x);
        const std::vector<int> second = members(y);
        for (int p = 0; p < m_net.n; ++p) {
            for (int i : first) {
                if (!m_net.isInput(p, i))
                    continue;
                for (int j : second) {
                    if (j != i && m_net.isInput(p, j) && (!equalLevelOnly || m_net.level[i] == m_net.level[j]))
                        return true;
                }
            }
        }
        return false;
    }

    // The last place (in place order) where two transitions of the group of equal level
    // are both outputs; -1 when the group has no sharing conflict.
    int sharingPlace(int x) const
    {
        const std::vector<int> list = members(x);
        for (int p = m_net.n - 1; p >= 0; --p) {
            for (std::size_t r = 0; r < list.size(); ++r) {
                if (!m_net.isInput(p, list[r]))
                    continue;
                for (std::size_t s = r + 1; s < list.size(); ++s) {
                    if (m_net.isInput(p, list[s]) && m_net.level[list[r]] == m_net.level[list[s]])
                        return p;
                }
            }
        }
        return -1;
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
                if (commonInput(x, y, true))
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
                    if (commonInput(x, y, false)) {
                        const int sx = sharingPlace(x);
                        const int sy = sharingPlace(y);
                        const bool both = sx >= 0 && sy >= 0;
                        if (!both || sx == sy) {
                            merge(x, y);
                            changed = true;
                        }
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
                    const bool bothSharing = sharingPlace(x) >= 0 && sharingPlace(y) >= 0;
                    if ((yFeedsX && !bothSharing) || (yFeedsX && xFeedsY)) {
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

    void closeGaps()
    {
        bool gap = true;
        while (gap) {
            gap = false;
            const int top = m_group.empty() ? 0 : *std::max_element(m_group.begin(), m_group.end());
            for (int g = 0; g < top && !gap; ++g) {
                if (std::find(m_group.begin(), m_group.end(), g) == m_group.end()) {
                    for (int& value : m_group) {
                        if (value > g)
                            --value;
                    }
                    gap = true;
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
