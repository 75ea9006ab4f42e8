// Membership, search and integer division on the engine's sets.
#include "engines/hybrid/sets.h"

#include "engines/hybrid/constants.h"

#include <cmath>

namespace mixsim {

int apartenenta(double nr, const Vec& sir)
{
    return apartenenta1(nr, sir).a;
}

Apartenenta1 apartenenta1(double nr, const Vec& sir)
{
    for (std::size_t i = 1; i <= sir.size(); ++i) {
        if (sir(i) == nr) {
            return {kFound, i};
        }
    }
    return {};
}

Apartenenta2 apartenenta2(double nr, const Vec& sir)
{
    Apartenenta2 result;
    result.loc = egalitate(nr, sir);
    result.a = result.loc.empty() ? kNotFound : kFound;
    return result;
}

Apartenenta3 apartenenta3(double nr, const std::vector<Grup>& grup)
{
    for (std::size_t q = 1; q <= grup.size(); ++q) {
        const Apartenenta1 found = apartenenta1(nr, grup[q - 1].tranzitie);
        if (found.a == kFound) {
            return {kFound, found.loc, q};
        }
    }
    return {};
}

Vec egalitate(double nr, const Vec& sir)
{
    Vec s;
    for (std::size_t i = 1; i <= sir.size(); ++i) {
        if (sir(i) == nr) {
            s.push_back(static_cast<double>(i));
        }
    }
    return s;
}

Modulo modulo(double nr, double imp)
{
    if (!(imp > 0.0) || !std::isfinite(nr)) {
        return {0.0, nr};
    }
    double c = std::floor(nr / imp);
    double r = nr - c * imp;
    // Rounding of the division may leave r just outside [0, imp).
    if (r >= imp) {
        r -= imp;
        c += 1.0;
    } else if (r < 0.0) {
        r += imp;
        c -= 1.0;
    }
    return {c, r};
}

Modulo2 modulo2(double nr, double imp)
{
    Modulo plain = modulo(nr, imp);
    if (imp > 0.0 && imp - plain.r < kQuotientTolerance) {
        plain.c += 1.0;
        plain.r -= imp;
    }
    return {plain.c, plain.r, plain.c * imp};
}

PositionIndex::PositionIndex(const Vec& set, std::size_t largest) : m_positions(largest + 1, 0)
{
    for (std::size_t i = set.size(); i >= 1; --i) {
        m_positions.at(static_cast<std::size_t>(set(i))) = i;
    }
}

std::size_t PositionIndex::operator()(double number) const
{
    const auto n = static_cast<std::size_t>(number);
    return number >= 0.0 && n < m_positions.size() && static_cast<double>(n) == number ? m_positions[n] : 0;
}

double fara_zero_plus(double marcaj)
{
    return marcaj == kZeroPlus ? 0.0 : marcaj;
}

}  // namespace mixsim
