// Editing of the event lists TOS and D2.
#include "engines/hybrid/event_lists.h"

#include "engines/hybrid/constants.h"

namespace mixsim {

namespace {

// Removes in place the entries that satisfy `match(TOS, i)`, searching again
// after each removal; only the first one when `firstOnly`.
template <class Match>
void removeEntries(TosList& TOS, Match match, bool firstOnly)
{
    std::size_t i = 1;
    while (i <= TOS.size()) {
        if (match(TOS, i)) {
            TOS.erase(i);
            if (firstOnly) {
                return;
            }
        } else {
            ++i;
        }
    }
}

constexpr double kindCode(Eveniment kind)
{
    return static_cast<double>(kind);
}

}  // namespace

TosList eliminare_ts(TosList TOS, double Ts)
{
    removeEntries(TOS, [Ts](const TosList& t, std::size_t i) { return t.timp(i) == Ts; }, true);
    return TOS;
}

TosList eliminare_even(TosList TOS, double cauza, double eveniment)
{
    removeEntries(
        TOS,
        [cauza, eveniment](const TosList& t, std::size_t i) {
            return t.cauza(i) == cauza && t.eveniment(i) == eveniment;
        },
        false);
    return TOS;
}

TosList eliminare_c1(TosList TOS, double Ts)
{
    removeEntries(
        TOS,
        [Ts](const TosList& t, std::size_t i) {
            return t.timp(i) == Ts && t.eveniment(i) == kindCode(Eveniment::kC1);
        },
        false);
    return TOS;
}

TosList eliminare_tos(TosList TOS, double Ts, double cauza, double eveniment)
{
    removeEntries(
        TOS,
        [Ts, cauza, eveniment](const TosList& t, std::size_t i) {
            return t.timp(i) == Ts && t.cauza(i) == cauza && t.eveniment(i) == eveniment;
        },
        false);
    return TOS;
}

TosList eliminare_tos6(TosList TOS, double Ts, double cauza, double eveniment)
{
    removeEntries(
        TOS,
        [Ts, cauza, eveniment](const TosList& t, std::size_t i) {
            return t.timp(i) == Ts && t.cauza(i) == cauza && t.eveniment(i) == eveniment;
        },
        true);
    return TOS;
}

D2List eliminare_d22(D2List D2, double timp, double tranzitie)
{
    std::size_t i = 1;
    while (i <= D2.timp.size()) {
        if (D2.timp(i) != timp || D2.tranzitie_2(i) != tranzitie) {
            ++i;
            continue;
        }
        const double place = D2.pozitie_flux(i);
        for (std::size_t k = 1; k <= D2.tranzitie.size(); ++k) {
            if (D2.tranzitie(k) == tranzitie && D2.pozitie(k) == place) {
                D2.adaugat(k) = 0.0;
            }
        }
        D2.timp.erase(i);
        D2.flux.erase(i);
        D2.pozitie_flux.erase(i);
        D2.tranzitie_1.erase(i);
        D2.tranzitie_2.erase(i);
    }
    return D2;
}

}  // namespace mixsim
