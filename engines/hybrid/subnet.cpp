// Growth of a connected sub-net of the continuous part.
#include "engines/hybrid/subnet.h"

#include "engines/hybrid/sets.h"
#include "engines/hybrid/sorting.h"

namespace mixsim {

namespace {

bool joined(const Mat& Pre, const Mat& Post, double p, double t)
{
    const auto row = static_cast<std::size_t>(p);
    const auto col = static_cast<std::size_t>(t);
    return Pre(row, col) != 0.0 || Post(row, col) != 0.0;
}

}  // namespace

Subnet subnet(const Mat& Pre, const Mat& Post, const Vec& Pozcont, const Vec& Trancont,
              double pozitie, Grup grup)
{
    if (apartenenta(pozitie, grup.pozitie) == kNotFound) {
        grup.pozitie.push_back(pozitie);
    }
    bool grown = true;
    while (grown) {
        grown = false;
        for (double t : Trancont) {
            if (apartenenta(t, grup.tranzitie) == kFound) {
                continue;
            }
            for (double p : grup.pozitie) {
                if (joined(Pre, Post, p, t)) {
                    grup.tranzitie.push_back(t);
                    grown = true;
                    break;
                }
            }
        }
        for (double p : Pozcont) {
            if (apartenenta(p, grup.pozitie) == kFound) {
                continue;
            }
            for (double t : grup.tranzitie) {
                if (joined(Pre, Post, p, t)) {
                    grup.pozitie.push_back(p);
                    grown = true;
                    break;
                }
            }
        }
    }
    grup.pozitie = aranjare(grup.pozitie);
    grup.tranzitie = aranjare(grup.tranzitie);
    const int contor = static_cast<int>(grup.pozitie.size());
    return {std::move(grup), contor};
}

}  // namespace mixsim
