// Enabling and firing of discrete transitions.
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/records.h"

#include <optional>
#include <vector>

namespace mixsim {

// `durata` when every input place p of t (Pre(p, t) != 0) holds at least
// Pre(p, t), a marking 0+ counting as empty; no value otherwise.
[[nodiscard]] std::optional<double> cautare_td(int tranzitie, const Mat& Pre, const Vec& marcaj,
                                               double durata);

// As cautare_td, and t must also have at least one input place.
[[nodiscard]] std::optional<double> cautare_td1(int tranzitie, const Mat& Pre, const Vec& marcaj,
                                                double durata);

struct ExecutieTd {
    Vec marcaj1;
    Vec marcaj_cont;
    Vec marcaj_dis;
};
// Fires t once when it is enabled: Pre is taken from its input places and Post
// added to its output places (a place at 0+ counts as 0); the continuous and
// discrete markings are refreshed by position from the full marking.
[[nodiscard]] ExecutieTd executie_td(int tranzitie, Vec marcaj1, const Mat& Pre, const Mat& Post,
                                     const Vec& Pozcont, const Vec& Pozdis);

// The markings of `pozitii`, by position, taken from the full marking.
[[nodiscard]] Vec marcaj_pe_pozitii(const Vec& marcaj1, const Vec& pozitii);

// An arc between a place (by number) and a transition, with its weight.
struct Arc {
    std::size_t place = 0;
    double weight = 0.0;
};

// The input arcs of t (Pre(p, t) != 0), by ascending place.
[[nodiscard]] std::vector<Arc> inputArcs(int tranzitie, const Mat& Pre);

// A place that a firing of t changes, with both weights Pre(p, t) and Post(p, t).
struct PlaceArc {
    std::size_t place = 0;
    double pre = 0.0;
    double post = 0.0;
};

// The places t touches (Pre(p, t) or Post(p, t) not 0), by ascending place.
[[nodiscard]] std::vector<PlaceArc> placeArcs(int tranzitie, const Mat& Pre, const Mat& Post);

// True when every input place holds at least its arc weight, a marking 0+ counting as empty.
[[nodiscard]] bool covers(const std::vector<Arc>& inputs, const Vec& marcaj);

// One firing: Pre is taken from and Post added to every place of `arcs`, a place at 0+ counting as 0.
void fire(const std::vector<PlaceArc>& arcs, Vec& marcaj);

// The arcs of every transition, by transition number, taken once from Pre and Post so that
// enabling and firing look only at the places a transition touches.
class NetArcs {
public:
    NetArcs(const Mat& Pre, const Mat& Post);
    [[nodiscard]] const std::vector<Arc>& inputs(double tranzitie) const;
    [[nodiscard]] const std::vector<PlaceArc>& arcs(double tranzitie) const;

private:
    std::vector<std::vector<Arc>> m_inputs;
    std::vector<std::vector<PlaceArc>> m_arcs;
};

// Enabling degree of t in `marcaj`: the smallest whole number of times each
// input place covers its arc weight (tolerant quotient); -1 when t has no input place.
[[nodiscard]] double grad_activare(int tranzitie, const Mat& Pre, const Vec& marcaj);
// The same from the transition's input arcs, without looking at the other places.
[[nodiscard]] double enablingDegree(const std::vector<Arc>& inputs, const Vec& marcaj);

struct Efectiv {
    Vec tranzitie;
    Vec conflict;
};

struct Scoase {
    Vec tranzitie;
    Vec timp;
};

struct GasireTran {
    Efectiv efectiv;  // the firings, one row per fired timer
    D1List D1;        // D1 without the expired timers and the timers removed
    Scoase scoase;    // the timers removed without firing
};

// Chooses the firings among the timers `expira` that expire together (all at
// one time, grouped by conflict number). Timers of conflict 0 all fire; for
// each conflict k in ascending order the timers are taken by descending
// priority value (equal values keep their order) and fire while a working
// copy of the marking covers every input place. Expired timers that cannot
// fire are removed; then each discrete transition of conflict k keeps at most
// as many timers as the working marking enables, the latest ones going first.
[[nodiscard]] GasireTran gasire_tran(const D1List& expira, const D1List& D1,
                                     const std::vector<ConflictRecord>& conflict,
                                     const Vec& marcaj1, const NetArcs& arcs);

}  // namespace mixsim
