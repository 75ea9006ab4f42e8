// Sorts and counts of the engine; equal keys always keep their order.
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/records.h"

namespace mixsim {

// The distinct values of `a`, ascending.
[[nodiscard]] Vec aranjare(const Vec& a);

struct Aranjare4 {
    Vec sir;  // the sorted keys
    Vec b;    // the companions, permuted with the keys
};
// Keys ascending, duplicates kept, companions carried along.
[[nodiscard]] Aranjare4 aranjare4(const Vec& a, const Vec& b);
// Keys descending, duplicates kept, companions carried along.
[[nodiscard]] Aranjare4 aranjare44(const Vec& a, const Vec& b);

// TOS sorted by `timp` ascending, the other columns carried along.
[[nodiscard]] TosList aranjare5(const TosList& TOS);

// D1 sorted by `timp` ascending, the other columns carried along.
[[nodiscard]] D1List aranjare_d1(const D1List& D1);

struct Aranjare33 {
    Vec a;
    Vec b;
    Vec c;
};
// Groups by integer key: for k = min a, min a + 1, ..., max a the positions
// with a = k (ascending) are taken in turn; `b` and `c` follow.
[[nodiscard]] Aranjare33 aranjare33(const Vec& a, const Vec& b, const Vec& c);

struct Numarare {
    Vec vector;    // the distinct values, ascending
    Vec aparitie;  // the number of occurrences of each
};
[[nodiscard]] Numarare numarare(const Vec& vector);

}  // namespace mixsim
