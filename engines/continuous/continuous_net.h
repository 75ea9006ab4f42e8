// The continuous net as flowrun reads it from "date.dat".
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/constants.h"

namespace flowrun {

// Dense place-by-transition table, 0-based.
class Matrix {
public:
    Matrix() = default;
    Matrix(int rows, int cols, Real fill)
        : m_rows(rows), m_cols(cols), m_cells(static_cast<std::size_t>(rows) * cols, fill) {}

    Real& operator()(int row, int col) { return m_cells[static_cast<std::size_t>(row) * m_cols + col]; }
    Real operator()(int row, int col) const { return m_cells[static_cast<std::size_t>(row) * m_cols + col]; }
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<Real> m_cells;
};

using Flags = std::vector<bool>;
using Vector = std::vector<Real>;

// One non-zero cell of a matrix row: the column and its value.
struct Entry {
    int index = 0;
    Real weight = 0;
};

// The arcs of a net by index, each list in increasing order, built once from its matrices so
// that the algorithms visit the arcs of a node instead of scanning a whole row or column.
struct NetArcs {
    std::vector<std::vector<int>> inputs;     // per transition, the places p with pre[p][t] > 0
    std::vector<std::vector<int>> outputs;    // per transition, the places p with post[p][t] > 0
    std::vector<std::vector<int>> consumers;  // per place, the transitions t with pre[p][t] > 0
    std::vector<std::vector<int>> producers;  // per place, the transitions t with post[p][t] > 0
    std::vector<std::vector<Entry>> row;      // per place, the transitions t with W[p][t] != 0
};

// The non-zero cells of each row, in increasing column order.
std::vector<std::vector<Entry>> nonZeroRows(const Matrix& matrix);

struct ContinuousNet {
    std::string title;
    int n = 0;  // places
    int m = 0;  // transitions
    Matrix pre;
    Matrix post;
    Matrix incidence;   // post - pre, the W of the reports
    Vector m0;          // kZeroPlus for "0+"
    Vector maxSpeed;    // kInfiniteSpeed for an infinite speed
    Matrix priority;    // -1 where the transition is not an output of the place
    Matrix shareRatio;  // 0 = none
    Vector level;       // global priority level, whole numbers from 0
    std::vector<int> group;
    NetArcs arcs;

    void resize(int places, int transitions);
    // Computes the incidence matrix from pre and post, and the arc lists; called once the
    // matrices are filled, and again whenever they change.
    void indexArcs();
    bool isInput(int p, int t) const { return pre(p, t) > 0; }
    bool isOutput(int p, int t) const { return post(p, t) > 0; }
    bool hasInputPlace(int t) const { return !arcs.inputs[t].empty(); }
    int outputCount(int p) const { return static_cast<int>(arcs.consumers[p].size()); }
    // Sum over all transitions of W[p][t] * speeds[t], accumulated in transition order.
    Real balance(int p, const Vector& speeds) const;
};

}  // namespace flowrun
