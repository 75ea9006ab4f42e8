// Comparison of two IB-states for the repetition test.
#include "engines/hybrid/verif_ib1.h"

#include "engines/hybrid/constants.h"

#include <algorithm>
#include <cmath>

namespace mixsim {

namespace {

Vec compareElements(const Vec& a, const Vec& b)
{
    if (a.size() != b.size()) {
        return Vec{0.0};
    }
    Vec c;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        c.push_back(std::fabs(a(i) - b(i)) <= kStateTolerance ? 1.0 : 0.0);
    }
    return c;
}

// The residual times of all transitions in one list, each transition's times
// preceded by their count so that different splits never compare equal.
Vec flattenResidual(const std::vector<Residual>& residual)
{
    Vec flat;
    for (const Residual& r : residual) {
        flat.push_back(static_cast<double>(r.timp.size()));
        flat.append(r.timp);
    }
    return flat;
}

}  // namespace

Vec verif_ib1(const std::vector<IbState>& IB, std::size_t stare, std::size_t contor_s)
{
    const IbState& a = IB.at(stare - 1);
    const IbState& b = IB.at(contor_s - 1);
    const Vec pairs[][2] = {
        {a.marcaj, b.marcaj},
        {a.enable, b.enable},
        {a.viteze, b.viteze},
        {a.mc_before, b.mc_before},
        {flattenResidual(a.residual), flattenResidual(b.residual)},
    };
    Vec c;
    for (const auto& pair : pairs) {
        if (pair[0].empty() && pair[1].empty()) {
            continue;
        }
        c = compareElements(pair[0], pair[1]);
        if (std::find(c.begin(), c.end(), 0.0) != c.end()) {
            break;
        }
    }
    return c;
}

}  // namespace mixsim
