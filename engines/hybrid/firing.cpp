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
    const std::vector<Arc> inputs = inputArcs(t, Pre);
    return inputs.empty() ? !needsInput : covers(inputs, marcaj);
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
        fire(placeArcs(tranzitie, Pre, Post), marcaj1);
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

std::vector<PlaceArc> placeArcs(int tranzitie, const Mat& Pre, const Mat& Post)
{
    const auto col = static_cast<std::size_t>(tranzitie);
    std::vector<PlaceArc> arcs;
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        if (Pre(p, col) != 0.0 || Post(p, col) != 0.0) {
            arcs.push_back({p, Pre(p, col), Post(p, col)});
        }
    }
    return arcs;
}

bool covers(const std::vector<Arc>& inputs, const Vec& marcaj)
{
    return std::all_of(inputs.begin(), inputs.end(),
                       [&marcaj](const Arc& arc) { return !(fara_zero_plus(marcaj(arc.place)) < arc.weight); });
}

void fire(const std::vector<PlaceArc>& arcs, Vec& marcaj)
{
    for (const PlaceArc& arc : arcs) {
        marcaj(arc.place) = fara_zero_plus(marcaj(arc.place)) - arc.pre + arc.post;
    }
}

NetArcs::NetArcs(const Mat& Pre, const Mat& Post)
    : m_inputs(Pre.cols()), m_arcs(Pre.cols())
{
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        for (std::size_t t = 1; t <= Pre.cols(); ++t) {
            const double pre = Pre(p, t);
            const double post = Post(p, t);
            if (pre != 0.0) {
                m_inputs[t - 1].push_back({p, pre});
            }
            if (pre != 0.0 || post != 0.0) {
                m_arcs[t - 1].push_back({p, pre, post});
            }
        }
    }
}

const std::vector<Arc>& NetArcs::inputs(double tranzitie) const
{
    return m_inputs.at(static_cast<std::size_t>(tranzitie) - 1);
}

const std::vector<PlaceArc>& NetArcs::arcs(double tranzitie) const
{
    return m_arcs.at(static_cast<std::size_t>(tranzitie) - 1);
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
                       const NetArcs& arcs)
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
            fire(arcs.arcs(expira.tranzitie(i)), working);
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
            if (covers(arcs.inputs(t), working)) {
                fire(arcs.arcs(t), working);
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
            const double degree = enablingDegree(arcs.inputs(t), working);
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
