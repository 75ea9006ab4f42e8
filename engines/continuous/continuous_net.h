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

    void resize(int places, int transitions);
    bool isInput(int p, int t) const { return pre(p, t) > 0; }
    bool isOutput(int p, int t) const { return post(p, t) > 0; }
    bool hasInputPlace(int t) const;
    int outputCount(int p) const;
    // Sum over all transitions of W[p][t] * speeds[t], accumulated in transition order.
    Real balance(int p, const Vector& speeds) const;
};

}  // namespace flowrun
