// Growth of a connected sub-net of the continuous part.
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/records.h"

namespace mixsim {

struct Subnet {
    Grup grup;
    int contor = 0;  // the number of places of the sub-net
};

// Grows `grup` from place `pozitie`: the continuous transitions joined by an
// arc (either way) to its places and the continuous places joined to those
// transitions are added until nothing new is found. Members are ascending.
[[nodiscard]] Subnet subnet(const Mat& Pre, const Mat& Post, const Vec& Pozcont,
                            const Vec& Trancont, double pozitie, Grup grup);

}  // namespace mixsim
