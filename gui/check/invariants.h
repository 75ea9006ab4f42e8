// Minimal semi-positive invariants of an integer matrix by Farkas' algorithm.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tokarium {

using IntegerMatrix = std::vector<std::vector<std::int64_t>>;

struct InvariantSearch {
    // Each invariant has one entry per row of the matrix; entries are >= 0 with gcd 1.
    std::vector<std::vector<std::int64_t>> invariants;
    // Empty when the search ran to its end; otherwise why it stopped (no invariant is given then).
    std::string problem;
};

// Every minimal-support y >= 0, y != 0 with y^T A = 0, where A has one row per variable, smaller
// supports first, equal sizes by their first variables. The search
// stops with a problem when an intermediate table grows beyond rowLimit rows or an entry overflows.
InvariantSearch minimalInvariants(const IntegerMatrix& matrix, std::size_t rowLimit);

// The matrix with rows and columns exchanged (rows of a given width when the matrix has no row).
IntegerMatrix transposed(const IntegerMatrix& matrix, std::size_t columns);

} // namespace tokarium
