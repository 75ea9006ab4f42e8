// A starting basis near a guessed solution.
#include "engines/continuous/lp_start_basis.h"

#include <cmath>

#include "engines/continuous/lp_solve_model.h"

namespace flowrun {

bool startNear(lprec* lp, const std::vector<double>& guess, const std::vector<char>& preferred)
{
    const int rows = get_Nrows(lp);
    const int columns = get_Ncolumns(lp);
    if (static_cast<int>(guess.size()) != columns + 1)
        return false;

    // A column made basic takes as its pivot a row no earlier basic column touches: the chosen columns
    // restricted to their pivot rows form a triangle with a non-zero diagonal, and the slacks
    // of the other rows complete a regular basis.
    std::vector<char> touched(rows + 1, 0);
    std::vector<char> pivotRow(rows + 1, 0);
    std::vector<char> basicColumn(columns + 1, 0);
    std::vector<double> value(rows + 1);
    std::vector<int> row(rows + 1);
    const auto makeBasic = [&](int column) {
        const int count = get_columnex(lp, column, value.data(), row.data());
        int pivot = 0;
        double largest = 0;
        for (int k = 0; k < count; ++k) {
            if (row[k] > 0 && !touched[row[k]] && std::fabs(value[k]) > largest) {
                pivot = row[k];
                largest = std::fabs(value[k]);
            }
        }
        if (pivot == 0)
            return;
        pivotRow[pivot] = 1;
        basicColumn[column] = 1;
        for (int k = 0; k < count; ++k)
            touched[row[k] > 0 ? row[k] : 0] = 1;
    };
    if (static_cast<int>(preferred.size()) == columns + 1) {
        for (int column = 1; column <= columns; ++column) {
            if (preferred[column])
                makeBasic(column);
        }
    }
    for (int column = 1; column <= columns; ++column) {
        const double lower = get_lowbo(lp, column);
        const double upper = get_upbo(lp, column);
        const bool inside = clearAbove(guess[column], lower) && clearBelow(guess[column], upper);
        if (inside && !basicColumn[column])
            makeBasic(column);
    }

    // Basic variables first (negative: the library's mark of a variable not at its upper
    // bound), then the non-basic ones, positive where they sit at their upper bound.
    std::vector<int> basis(1 + rows + columns, 0);
    int basic = 0;
    int nonBasic = rows;
    for (int r = 1; r <= rows; ++r) {
        if (pivotRow[r])
            basis[++nonBasic] = -r;
        else
            basis[++basic] = -r;
    }
    for (int column = 1; column <= columns; ++column) {
        const int index = rows + column;
        if (basicColumn[column]) {
            basis[++basic] = -index;
            continue;
        }
        const double upper = get_upbo(lp, column);
        const bool atUpper = upper < get_infinite(lp) && !clearBelow(guess[column], upper);
        basis[++nonBasic] = atUpper ? index : -index;
    }
    return basic == rows && set_basis(lp, basis.data(), TRUE);
}

}  // namespace flowrun
