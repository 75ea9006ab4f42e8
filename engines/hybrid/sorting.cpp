// Sorts and counts of the engine; equal keys always keep their order.
#include "engines/hybrid/sorting.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace mixsim {

namespace {

// 1-based positions of `keys` in a stable order under `less`.
template <class Less>
std::vector<std::size_t> stableOrder(const Vec& keys, Less less)
{
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{1});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return less(keys(x), keys(y)); });
    return order;
}

Vec permuted(const Vec& values, const std::vector<std::size_t>& order)
{
    Vec result;
    for (std::size_t i : order) {
        result.push_back(values(i));
    }
    return result;
}

void requireSameSize(const Vec& a, const Vec& b)
{
    if (a.size() != b.size()) {
        throw std::invalid_argument("sort of columns of different lengths");
    }
}

}  // namespace

Vec aranjare(const Vec& a)
{
    std::vector<double> values = a.values();
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    Vec sir;
    for (double v : values) {
        sir.push_back(v);
    }
    return sir;
}

Aranjare4 aranjare4(const Vec& a, const Vec& b)
{
    requireSameSize(a, b);
    const auto order = stableOrder(a, std::less<double>());
    return {permuted(a, order), permuted(b, order)};
}

Aranjare4 aranjare44(const Vec& a, const Vec& b)
{
    requireSameSize(a, b);
    const auto order = stableOrder(a, std::greater<double>());
    return {permuted(a, order), permuted(b, order)};
}

TosList aranjare5(const TosList& TOS)
{
    const auto order = stableOrder(TOS.timp, std::less<double>());
    return {permuted(TOS.timp, order), permuted(TOS.eveniment, order),
            permuted(TOS.cauza, order), permuted(TOS.subretea, order)};
}

D1List aranjare_d1(const D1List& D1)
{
    const auto order = stableOrder(D1.timp, std::less<double>());
    return {permuted(D1.timp, order), permuted(D1.tranzitie, order),
            permuted(D1.conflict, order), permuted(D1.prioritate, order)};
}

Aranjare33 aranjare33(const Vec& a, const Vec& b, const Vec& c)
{
    requireSameSize(a, b);
    requireSameSize(a, c);
    Aranjare33 result;
    if (a.empty()) {
        return result;
    }
    const Vec keys = aranjare(a);
    const double first = keys(1);
    // Only keys at a whole distance from the minimum are met by the unit steps.
    for (double k : keys) {
        if (k - first != std::floor(k - first)) {
            continue;
        }
        for (std::size_t i = 1; i <= a.size(); ++i) {
            if (a(i) == k) {
                result.a.push_back(a(i));
                result.b.push_back(b(i));
                result.c.push_back(c(i));
            }
        }
    }
    return result;
}

Numarare numarare(const Vec& vector)
{
    Numarare sir;
    sir.vector = aranjare(vector);
    for (double v : sir.vector) {
        sir.aparitie.push_back(static_cast<double>(std::count(vector.begin(), vector.end(), v)));
    }
    return sir;
}

}  // namespace mixsim
