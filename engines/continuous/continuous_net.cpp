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
    indexArcs();
}

void ContinuousNet::indexArcs()
{
    arcs.inputs.assign(m, {});
    arcs.outputs.assign(m, {});
    arcs.consumers.assign(n, {});
    arcs.producers.assign(n, {});
    for (int p = 0; p < n; ++p) {
        for (int t = 0; t < m; ++t) {
            incidence(p, t) = post(p, t) - pre(p, t);
            if (isInput(p, t)) {
                arcs.inputs[t].push_back(p);
                arcs.consumers[p].push_back(t);
            }
            if (isOutput(p, t)) {
                arcs.outputs[t].push_back(p);
                arcs.producers[p].push_back(t);
            }
        }
    }
    arcs.row = nonZeroRows(incidence);
}

std::vector<std::vector<Entry>> nonZeroRows(const Matrix& matrix)
{
    std::vector<std::vector<Entry>> rows(matrix.rows());
    for (int row = 0; row < matrix.rows(); ++row) {
        for (int col = 0; col < matrix.cols(); ++col) {
            if (matrix(row, col) != 0)
                rows[row].push_back({col, matrix(row, col)});
        }
    }
    return rows;
}

Real ContinuousNet::balance(int p, const Vector& speeds) const
{
    // The cells left out are zero and add nothing to the sum.
    Real sum = 0;
    for (const Entry& entry : arcs.row[p])
        sum += entry.weight * speeds[entry.index];
    return sum;
}

}  // namespace flowrun
