// Sizing and small queries of the continuous net.
#include "engines/continuous/continuous_net.h"

namespace flowrun {

void ContinuousNet::resize(int places, int transitions)
{
    n = places;
    m = transitions;
    pre = Matrix(n, m, 0);
    post = Matrix(n, m, 0);
    incidence = Matrix(n, m, 0);
    priority = Matrix(n, m, -1);
    shareRatio = Matrix(n, m, 0);
    m0.assign(n, 0);
    maxSpeed.assign(m, 0);
    level.assign(m, 0);
    group.assign(m, 0);
}

bool ContinuousNet::hasInputPlace(int t) const
{
    for (int p = 0; p < n; ++p) {
        if (isInput(p, t))
            return true;
    }
    return false;
}

int ContinuousNet::outputCount(int p) const
{
    int count = 0;
    for (int t = 0; t < m; ++t) {
        if (isInput(p, t))
            ++count;
    }
    return count;
}

Real ContinuousNet::balance(int p, const Vector& speeds) const
{
    Real sum = 0;
    for (int t = 0; t < m; ++t)
        sum += incidence(p, t) * speeds[t];
    return sum;
}

}  // namespace flowrun
