// Seeded random hybrid nets for the tests that check properties and outputs of whole runs.
#pragma once

#include "tests/engines/hybrid/data_text.h"

#include <algorithm>
#include <random>
#include <vector>

namespace mixsim::testing {

// A seeded random hybrid net: places and transitions of both kinds, arcs of weight 1 or 2,
// markings with 0+, zero durations and infinite speeds, and a priority for every output of a
// place with several outputs (equal priorities sharing by ratios).
inline NetText randomHybridNet(std::mt19937& random)
{
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    NetText net;
    net.P = 2 + pick(7);
    net.T = 1 + pick(7);
    for (int p = 1; p <= net.P; ++p) {
        if (pick(2) == 0) {
            net.pozdis.push_back(p);
        }
    }
    for (int t = 1; t <= net.T; ++t) {
        if (pick(2) == 0) {
            net.trandis.push_back(t);
        }
    }
    const auto size = [](int n) { return static_cast<std::size_t>(n); };
    net.pre.assign(size(net.P), std::vector<double>(size(net.T), 0.0));
    net.post = net.pre;
    for (std::size_t t = 0; t < size(net.T); ++t) {
        for (int k = pick(3); k >= 0; --k) {
            net.pre[size(pick(net.P))][t] = 1 + pick(2);
        }
        for (int k = pick(3); k >= 0; --k) {
            net.post[size(pick(net.P))][t] = 1 + pick(2);
        }
    }
    const auto has = [](const std::vector<int>& set, int n) { return std::find(set.begin(), set.end(), n) != set.end(); };
    for (int p = 1; p <= net.P; ++p) {
        const double continuous[] = {0.0, -1.0, 1.5, 3.0, 6.0};
        net.marcaj.push_back(has(net.pozdis, p) ? pick(4) : continuous[pick(5)]);
    }
    for (int t = 1; t <= net.T; ++t) {
        const double durations[] = {0.0, 1.0, 2.0, 1.5};
        const double speeds[] = {1.0, 2.0, 0.5, -1.0};
        net.valori.push_back(has(net.trandis, t) ? durations[pick(4)] : speeds[pick(4)]);
    }
    for (const std::vector<double>& row : net.pre) {
        std::vector<double> priorities;
        for (double weight : row) {
            if (weight != 0.0) {
                priorities.push_back(1 + pick(2));
            }
        }
        if (priorities.size() < 2) {
            continue;
        }
        net.conflicte.insert(net.conflicte.end(), priorities.begin(), priorities.end());
        for (double level : {priorities.front(), priorities.front() == 1.0 ? 2.0 : 1.0}) {
            const auto members = std::count(priorities.begin(), priorities.end(), level);
            for (auto k = members; members >= 2 && k > 0; --k) {
                net.conflicte.push_back(1 + pick(2));
            }
        }
    }
    return net;
}

}  // namespace mixsim::testing
