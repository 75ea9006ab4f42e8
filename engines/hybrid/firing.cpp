// Enabling and firing of discrete transitions.
#include "engines/hybrid/firing.h"

#include "engines/hybrid/sets.h"
#include "engines/hybrid/sorting.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace mixsim {

namespace {

bool enabled(int t, const Mat& Pre, const Vec& marcaj, bool needsInput)
{
    const auto col = static_cast<std::size_t>(t);
    bool hasInput = false;
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        const double weight = Pre(p, col);
        if (weight == 0.0) {
            continue;
        }
        hasInput = true;
        if (fara_zero_plus(marcaj(p)) < weight) {
            return false;
        }
    }
    return hasInput || !needsInput;
}

// Fires t: Pre is taken from and Post added to every place it touches, a
// place at 0+ counting as 0.
void applyFiring(std::size_t t, const Mat& Pre, const Mat& Post, Vec& marcaj)
{
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        if (Pre(p, t) != 0.0 || Post(p, t) != 0.0) {
            marcaj(p) = fara_zero_plus(marcaj(p)) - Pre(p, t) + Post(p, t);
        }
    }
}

std::size_t countTimers(const D1List& D1, double t)
{
    return static_cast<std::size_t>(std::count(D1.tranzitie.begin(), D1.tranzitie.end(), t));
}

// Removes the timer of t with the latest time (the last such row among equal times).
void removeLatestTimer(D1List& D1, double t, Scoase& scoase)
{
    std::size_t latest = 0;
    for (std::size_t i = 1; i <= D1.size(); ++i) {
        if (D1.tranzitie(i) == t && (latest == 0 || D1.timp(i) >= D1.timp(latest))) {
            latest = i;
        }
    }
    if (latest != 0) {
        scoase.tranzitie.push_back(t);
        scoase.timp.push_back(D1.timp(latest));
        D1.erase(latest);
    }
}

// Removes from D1 one row per row of `expira` (same time and transition), in one pass.
D1List withoutTimers(const D1List& D1, const D1List& expira)
{
    std::map<std::pair<double, double>, std::size_t> pending;
    for (std::size_t i = 1; i <= expira.size(); ++i) {
        ++pending[{expira.timp(i), expira.tranzitie(i)}];
    }
    D1List kept;
    for (std::size_t i = 1; i <= D1.size(); ++i) {
        const auto found = pending.find({D1.timp(i), D1.tranzitie(i)});
        if (found != pending.end() && found->second > 0) {
            --found->second;
            continue;
        }
        kept.add(D1.timp(i), D1.tranzitie(i), D1.conflict(i), D1.prioritate(i));
    }
    return kept;
}

}  // namespace

std::optional<double> cautare_td(int tranzitie, const Mat& Pre, const Vec& marcaj, double durata)
{
    if (enabled(tranzitie, Pre, marcaj, false)) {
        return durata;
    }
    return std::nullopt;
}

std::optional<double> cautare_td1(int tranzitie, const Mat& Pre, const Vec& marcaj, double durata)
{
    if (enabled(tranzitie, Pre, marcaj, true)) {
        return durata;
    }
    return std::nullopt;
}

Vec marcaj_pe_pozitii(const Vec& marcaj1, const Vec& pozitii)
{
    Vec result;
    for (double p : pozitii) {
        result.push_back(marcaj1(static_cast<std::size_t>(p)));
    }
    return result;
}

ExecutieTd executie_td(int tranzitie, Vec marcaj1, const Mat& Pre, const Mat& Post,
                       const Vec& Pozcont, const Vec& Pozdis)
{
    if (enabled(tranzitie, Pre, marcaj1, false)) {
        applyFiring(static_cast<std::size_t>(tranzitie), Pre, Post, marcaj1);
    }
    Vec cont = marcaj_pe_pozitii(marcaj1, Pozcont);
    Vec dis = marcaj_pe_pozitii(marcaj1, Pozdis);
    return {std::move(marcaj1), std::move(cont), std::move(dis)};
}

std::vector<Arc> inputArcs(int tranzitie, const Mat& Pre)
{
    const auto col = static_cast<std::size_t>(tranzitie);
    std::vector<Arc> arcs;
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        if (Pre(p, col) != 0.0) {
            arcs.push_back({p, Pre(p, col)});
        }
    }
    return arcs;
}

double grad_activare(int tranzitie, const Mat& Pre, const Vec& marcaj)
{
    return enablingDegree(inputArcs(tranzitie, Pre), marcaj);
}

double enablingDegree(const std::vector<Arc>& inputs, const Vec& marcaj)
{
    double degree = std::numeric_limits<double>::infinity();
    for (const Arc& arc : inputs) {
        degree = std::min(degree, modulo2(fara_zero_plus(marcaj(arc.place)), arc.weight).c);
    }
    return degree == std::numeric_limits<double>::infinity() ? -1.0 : std::max(degree, 0.0);
}

GasireTran gasire_tran(const D1List& expira, const D1List& D1,
                       const std::vector<ConflictRecord>& conflict, const Vec& marcaj1,
                       const Mat& Pre, const Mat& Post)
{
    GasireTran result;
    Vec working = marcaj1;
    for (std::size_t p = 1; p <= working.size(); ++p) {
        working(p) = fara_zero_plus(working(p));
    }
    // Every expired timer leaves D1: it fires now or it is dropped.
    result.D1 = withoutTimers(D1, expira);
    for (std::size_t i = 1; i <= expira.size(); ++i) {
        if (expira.conflict(i) == 0.0) {
            applyFiring(static_cast<std::size_t>(expira.tranzitie(i)), Pre, Post, working);
            result.efectiv.tranzitie.push_back(expira.tranzitie(i));
            result.efectiv.conflict.push_back(0.0);
        }
    }
    for (double k : aranjare(expira.conflict)) {
        if (k == 0.0) {
            continue;
        }
        Vec prioritati;
        Vec pozitii;
        for (std::size_t i = 1; i <= expira.size(); ++i) {
            if (expira.conflict(i) == k) {
                prioritati.push_back(expira.prioritate(i));
                pozitii.push_back(static_cast<double>(i));
            }
        }
        for (double position : aranjare44(prioritati, pozitii).b) {
            const auto i = static_cast<std::size_t>(position);
            const double t = expira.tranzitie(i);
            if (enabled(static_cast<int>(t), Pre, working, false)) {
                applyFiring(static_cast<std::size_t>(t), Pre, Post, working);
                result.efectiv.tranzitie.push_back(t);
                result.efectiv.conflict.push_back(k);
            } else {
                result.scoase.tranzitie.push_back(t);
                result.scoase.timp.push_back(expira.timp(i));
            }
        }
        if (k < 1.0 || k > static_cast<double>(conflict.size())) {
            continue;
        }
        for (double t : conflict[static_cast<std::size_t>(k) - 1].trandis) {
            const double degree = grad_activare(static_cast<int>(t), Pre, working);
            if (degree < 0.0) {
                continue;
            }
            for (auto n = countTimers(result.D1, t); static_cast<double>(n) > degree; --n) {
                removeLatestTimer(result.D1, t, result.scoase);
            }
        }
    }
    return result;
}

}  // namespace mixsim
