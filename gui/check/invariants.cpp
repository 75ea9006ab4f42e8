// Farkas' algorithm over 64-bit integers with overflow checks and support-minimality pruning.
#include "gui/check/invariants.h"

#include <algorithm>
#include <numeric>

namespace tokarium {
namespace {

struct Overflow {};

std::int64_t checkedMultiply(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result))
        throw Overflow{};
    return result;
}

std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result))
        throw Overflow{};
    return result;
}

// One row of the working table: what is left of y^T A, and y itself with its support as bits.
struct Row {
    std::vector<std::int64_t> rest;
    std::vector<std::int64_t> y;
    std::vector<std::uint64_t> support;
};

void normalise(Row& row) {
    std::int64_t divisor = 0;
    for (std::int64_t value : row.rest)
        divisor = std::gcd(divisor, value);
    for (std::int64_t value : row.y)
        divisor = std::gcd(divisor, value);
    if (divisor > 1) {
        for (std::int64_t& value : row.rest)
            value /= divisor;
        for (std::int64_t& value : row.y)
            value /= divisor;
    }
}

bool supportContains(const Row& outer, const Row& inner) {
    for (std::size_t i = 0; i < outer.support.size(); ++i)
        if ((inner.support[i] & ~outer.support[i]) != 0)
            return false;
    return true;
}

// Rows whose support holds another row's support are not minimal; of equal supports one stays.
std::vector<Row> keepMinimal(std::vector<Row> rows) {
    std::vector<bool> minimal(rows.size(), true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < rows.size() && minimal[i]; ++j) {
            if (i == j || !supportContains(rows[i], rows[j]))
                continue;
            const bool equal = supportContains(rows[j], rows[i]);
            minimal[i] = equal && j > i;
        }
    }
    std::vector<Row> kept;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (minimal[i])
            kept.push_back(std::move(rows[i]));
    return kept;
}

Row combine(const Row& positive, const Row& negative, std::size_t column) {
    const std::int64_t a = -negative.rest[column];
    const std::int64_t b = positive.rest[column];
    Row row;
    row.rest.resize(positive.rest.size());
    row.y.resize(positive.y.size());
    row.support.resize(positive.support.size());
    for (std::size_t k = 0; k < row.rest.size(); ++k)
        row.rest[k] = checkedAdd(checkedMultiply(a, positive.rest[k]), checkedMultiply(b, negative.rest[k]));
    for (std::size_t k = 0; k < row.y.size(); ++k)
        row.y[k] = checkedAdd(checkedMultiply(a, positive.y[k]), checkedMultiply(b, negative.y[k]));
    for (std::size_t k = 0; k < row.support.size(); ++k)
        row.support[k] = positive.support[k] | negative.support[k];
    normalise(row);
    return row;
}

} // namespace

IntegerMatrix transposed(const IntegerMatrix& matrix, std::size_t columns) {
    IntegerMatrix result(columns, std::vector<std::int64_t>(matrix.size(), 0));
    for (std::size_t i = 0; i < matrix.size(); ++i)
        for (std::size_t j = 0; j < columns; ++j)
            result[j][i] = matrix[i][j];
    return result;
}

InvariantSearch minimalInvariants(const IntegerMatrix& matrix, std::size_t rowLimit) {
    InvariantSearch search;
    const std::size_t variables = matrix.size();
    if (variables == 0)
        return search;
    const std::size_t columns = matrix.front().size();
    const std::size_t words = (variables + 63) / 64;
    std::vector<Row> rows(variables);
    for (std::size_t i = 0; i < variables; ++i) {
        rows[i].rest = matrix[i];
        rows[i].y.assign(variables, 0);
        rows[i].y[i] = 1;
        rows[i].support.assign(words, 0);
        rows[i].support[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    try {
        for (std::size_t column = 0; column < columns; ++column) {
            std::vector<Row> next;
            for (const Row& row : rows)
                if (row.rest[column] == 0)
                    next.push_back(row);
            for (const Row& positive : rows) {
                if (positive.rest[column] <= 0)
                    continue;
                for (const Row& negative : rows) {
                    if (negative.rest[column] >= 0)
                        continue;
                    next.push_back(combine(positive, negative, column));
                    if (next.size() > rowLimit) {
                        search.problem = "the search was stopped after " + std::to_string(rowLimit) + " candidates";
                        return search;
                    }
                }
            }
            rows = keepMinimal(std::move(next));
        }
    } catch (const Overflow&) {
        search.problem = "the search was stopped: a coefficient grew beyond 64-bit integers";
        return search;
    }
    for (Row& row : rows)
        search.invariants.push_back(std::move(row.y));
    std::sort(search.invariants.begin(), search.invariants.end(), [](const auto& a, const auto& b) {
        const auto supportOf = [](const std::vector<std::int64_t>& y) {
            std::vector<std::size_t> support;
            for (std::size_t i = 0; i < y.size(); ++i)
                if (y[i] != 0)
                    support.push_back(i);
            return support;
        };
        const std::vector<std::size_t> first = supportOf(a);
        const std::vector<std::size_t> second = supportOf(b);
        return first.size() != second.size() ? first.size() < second.size() : first < second;
    });
    return search;
}

} // namespace tokarium
