// Membership, search and integer division on the engine's sets.
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/records.h"

#include <cstddef>
#include <vector>

namespace mixsim {

// Membership codes: 1 = found, 2 = not found.
inline constexpr int kFound = 1;
inline constexpr int kNotFound = 2;

// 1 if some element of `sir` equals `nr`, else 2.
[[nodiscard]] int apartenenta(double nr, const Vec& sir);

struct Apartenenta1 {
    int a = kNotFound;
    std::size_t loc = 0;  // position of the first equal element; 0 when not found
};
[[nodiscard]] Apartenenta1 apartenenta1(double nr, const Vec& sir);

struct Apartenenta2 {
    int a = kNotFound;
    Vec loc;  // all positions of equal elements, ascending
};
[[nodiscard]] Apartenenta2 apartenenta2(double nr, const Vec& sir);

struct Apartenenta3 {
    int a = kNotFound;
    std::size_t loc = 0;     // position inside the record's `tranzitie`
    std::size_t record = 0;  // number of the record
};
// Searches `nr` in the `tranzitie` list of every sub-net, first match wins.
[[nodiscard]] Apartenenta3 apartenenta3(double nr, const std::vector<Grup>& grup);

// The positions i (ascending) with sir(i) = nr.
[[nodiscard]] Vec egalitate(double nr, const Vec& sir);

struct Modulo {
    double c = 0.0;
    double r = 0.0;
};
// c = floor(nr / imp) and 0 <= r < imp. A divisor <= 0 gives c = 0, r = nr.
[[nodiscard]] Modulo modulo(double nr, double imp);

struct Modulo2 {
    double c = 0.0;
    double r = 0.0;
    double produs = 0.0;  // c * imp
};
// As modulo, but a remainder within kQuotientTolerance of `imp` counts as one
// more whole quotient, so rounding noise in a marking does not lose a token.
[[nodiscard]] Modulo2 modulo2(double nr, double imp);

// The position (1-based) of every number of a set of places or transitions:
// a lookup by index where apartenenta1 would search. Built once per set.
class PositionIndex {
public:
    PositionIndex() = default;
    PositionIndex(const Vec& set, std::size_t largest);
    // The position of `number` in the set; 0 when it is not there.
    [[nodiscard]] std::size_t operator()(double number) const;

private:
    std::vector<std::size_t> m_positions;
};

// A marking with 0+ (the code -1) taken as 0.
[[nodiscard]] double fara_zero_plus(double marcaj);

}  // namespace mixsim
