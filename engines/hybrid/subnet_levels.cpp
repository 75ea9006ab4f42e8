// Priority levels of the sub-nets.
#include "engines/hybrid/subnet_levels.h"

#include <algorithm>

namespace mixsim {

namespace {

double largestOf(const std::vector<double>& priorities, const LevelEntry& entry)
{
    double largest = 0.0;
    for (std::size_t position : entry.positions) {
        largest = std::max(largest, priorities.at(position));
    }
    return largest;
}

}  // namespace

std::optional<std::vector<double>> subnetLevels(std::vector<std::vector<double>> priorities,
                                                const std::vector<std::vector<LevelEntry>>& subnets,
                                                int maxPasses)
{
    std::vector<double> levels(subnets.size(), 0.0);
    for (int pass = 1; pass <= maxPasses; ++pass) {
        bool changed = false;
        for (std::size_t q = 0; q < subnets.size(); ++q) {
            double M = 0.0;
            for (const LevelEntry& entry : subnets[q]) {
                M = std::max(M, largestOf(priorities.at(entry.conflict), entry));
            }
            levels[q] = M;
            for (const LevelEntry& entry : subnets[q]) {
                std::vector<double>& conflict = priorities.at(entry.conflict);
                const double p = largestOf(conflict, entry);
                if (p < M) {
                    for (double& priority : conflict) {
                        if (priority >= p) {
                            priority += M - p;
                        }
                    }
                    changed = true;
                }
            }
        }
        if (!changed) {
            return levels;
        }
    }
    return std::nullopt;
}

}  // namespace mixsim
