// Algorithm 6.1: the run, discrete events, IB-state bookkeeping, scheduling and the next time.
#include "engines/hybrid/algorithm.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/event_lists.h"
#include "engines/hybrid/firing.h"
#include "engines/hybrid/print_format.h"
#include "engines/hybrid/sets.h"
#include "engines/hybrid/sorting.h"
#include "engines/hybrid/verif_ib1.h"

#include <algorithm>
#include <cmath>

namespace mixsim {

namespace {

std::string f2(double value)
{
    return formatReal("%.2f", value);
}

std::string markingText(double value)
{
    return value == kZeroPlus ? "0<sup>+</sup> " : f2(value) + " ";
}

}  // namespace

// A marking within rounding noise of a whole number is that number, so that
// flows that should fill or drain a place exactly do so.
double snapMarking(double value)
{
    const double whole = std::round(value);
    return std::fabs(value - whole) <= kMarkingResolution * std::max(1.0, std::fabs(whole)) ? whole
                                                                                             : value;
}

Algorithm::Algorithm(const HybridNet& net, SimulationState state, SpeedSolver& solver,
                     ReportText& report)
    : m_net(net), m_s(std::move(state)), m_solver(solver), m_r(report),
      m_contPos(net.Pozcont, static_cast<std::size_t>(net.nr_poz)),
      m_disPos(net.Pozdis, static_cast<std::size_t>(net.nr_poz)),
      m_tranContPos(net.Trancont, static_cast<std::size_t>(net.nr_tran)),
      m_tranDisPos(net.Trandis, static_cast<std::size_t>(net.nr_tran)),
      m_arcs(net.Pre, net.Post)
{
    for (double t : net.Trancont) {
        std::vector<Arc>& inputs = m_discreteInputs.emplace_back();
        for (const Arc& arc : m_arcs.inputs(t)) {
            if (const std::size_t position = m_disPos(static_cast<double>(arc.place)); position != 0 && arc.weight > 0.0) {
                inputs.push_back({position, arc.weight});
            }
        }
    }
    for (std::size_t j = 1; j <= net.Trancont.size(); ++j) {
        if (net.U(j) == kInfiniteSpeed) {
            m_instantaneous.push_back(j);
        }
    }
    for (const ConflictRecord& record : net.conflict) {
        const auto place = static_cast<std::size_t>(record.pozitie);
        for (std::size_t k = 1; k <= record.tr_sharing.size(); ++k) {
            m_sharing.emplace(std::pair{place, static_cast<std::size_t>(record.tr_sharing(k))}, record.sharing(k));
        }
        for (std::size_t k = 1; k <= record.tr_sharing_dis.size(); ++k) {
            m_sharing.emplace(std::pair{place, static_cast<std::size_t>(record.tr_sharing_dis(k))},
                              record.sharing_dis(k));
        }
    }
    m_feeds.resize(static_cast<std::size_t>(net.nr_poz) + 1);
    for (std::size_t i = 1; i <= net.Trandis.size(); ++i) {
        for (const Arc& arc : m_arcs.inputs(net.Trandis(i))) {
            m_feeds.at(arc.place).push_back(i);
        }
    }
    m_isStale.assign(net.Trandis.size(), 0);
    m_timers.assign(net.Trandis.size(), 0);
    m_marcaj1 = net.marcaj1;
    for (std::size_t l = 1; l <= net.Pozcont.size(); ++l) {
        m_marcaj1(static_cast<std::size_t>(net.Pozcont(l))) = net.marcaj_cont(l);
    }
    m_marcaj_cont = Vec(net.Pozcont.size());
    m_marcaj_dis = Vec(net.Pozdis.size());
    m_isUnrefreshed.assign(static_cast<std::size_t>(net.nr_poz) + 1, 0);
    // Every place counts as changed at the start: the first copy and the first visit are whole.
    for (std::size_t p = 1; p <= static_cast<std::size_t>(net.nr_poz); ++p) {
        markingChanged(p);
    }
    refresh();
    m_viteze = Vec(net.Trancont.size());
    m_balanta = Vec(net.Pozcont.size());
    m_balante.push_back(m_balanta);
    m_events.emplace_back();
}

std::size_t Algorithm::contPos(double place) const
{
    return m_contPos(place);
}

std::size_t Algorithm::disPos(double place) const
{
    return m_disPos(place);
}

std::size_t Algorithm::tranContPos(double t) const
{
    return m_tranContPos(t);
}

std::size_t Algorithm::tranDisPos(double t) const
{
    return m_tranDisPos(t);
}

// marcaj_pe_pozitii for both sets, written over the vectors in place at the places whose
// marking changed since the last time.
void Algorithm::refresh()
{
    for (std::size_t p : m_unrefreshed) {
        m_isUnrefreshed[p] = 0;
        const auto place = static_cast<double>(p);
        if (const std::size_t l = m_contPos(place)) {
            m_marcaj_cont(l) = m_marcaj1(p);
        } else if (const std::size_t k = m_disPos(place)) {
            m_marcaj_dis(k) = m_marcaj1(p);
        }
    }
    m_unrefreshed.clear();
}

StateEvents& Algorithm::currentEvents()
{
    return m_events.at(m_s.IB.size() >= 2 ? m_s.IB.size() - 2 : 0);
}

void Algorithm::heading(const char* step)
{
    m_r += "<br><font color=#000099><B>ALGORITHM 6.1 - STEP ";
    m_r += step;
    m_r += "</B></font color><br>";
}

SimulationResult Algorithm::run()
{
    SimulationResult result;
    try {
        start();
        while (iteration()) {
        }
        result.end = m_s.stare == 0 ? RunEnd::kRepetition
                     : m_pastHorizon    ? RunEnd::kHorizon
                                        : RunEnd::kEvents;
    } catch (const RunStopped& stop) {
        result.end = RunEnd::kStopped;
        result.stopReason = stop.reason;
        result.notFinite = stop.notFinite;
        m_r += "<br><font color=#cc0000><B>The simulation stops: " + stop.reason +
               "</B></font color><br>";
        // The state under construction is incomplete: the results end with the last complete one.
        const std::size_t complete = std::max<std::size_t>(1, m_balante.size());
        if (m_s.IB.size() > complete) {
            m_s.IB.resize(complete);
        }
    }
    if (result.end == RunEnd::kRepetition) {
        result.contor_2 = m_s.contor_2;
        result.stare_2 = m_s.stare_2;
    }
    result.events = m_events;
    result.events.resize(m_s.IB.size());
    result.balanta = m_balante.at(m_s.IB.size() - 1);
    result.adun_spec = 0;
    for (std::size_t g = 2; g <= m_s.IB.size(); ++g) {
        result.adun_spec += m_s.IB[g - 1].special;
    }
    result.IB = std::move(m_s.IB);
    result.flowrunRuns = m_solver.runs();
    result.horizon = m_s.horizon;
    return result;
}

void Algorithm::checkDegree(double t, double degree) const
{
    if (degree > kMaxEnablingDegree) {
        throw RunStopped{"the enabling degree of T" + formatD(t) + " at t=" + f2(m_s.Ts) + " exceeds " +
                         formatD(kMaxEnablingDegree) + " (one timer per degree)"};
    }
}

std::size_t Algorithm::timerCount(double t) const
{
    return static_cast<std::size_t>(std::count(m_s.D1.tranzitie.begin(), m_s.D1.tranzitie.end(), t));
}

void Algorithm::markingChanged(std::size_t place)
{
    if (!m_isUnrefreshed.at(place)) {
        m_isUnrefreshed[place] = 1;
        m_unrefreshed.push_back(place);
    }
    for (std::size_t i : m_feeds.at(place)) {
        visitLater(i);
    }
}

void Algorithm::timersChanged(double t)
{
    visitLater(tranDisPos(t));
}

void Algorithm::visitLater(std::size_t i)
{
    if (!m_isStale.at(i - 1)) {
        m_isStale[i - 1] = 1;
        m_stale.push_back(i);
    }
}

void Algorithm::synchroniseTimers()
{
    // The transitions to visit, in Trandis order as a visit of all would meet them; the
    // others already have one timer per degree.
    std::vector<std::size_t> visit;
    visit.swap(m_stale);
    std::sort(visit.begin(), visit.end());
    // Their timers, counted in one pass over D1.
    for (std::size_t i : visit) {
        m_timers[i - 1] = 0;
    }
    for (double t : m_s.D1.tranzitie) {
        if (const std::size_t i = tranDisPos(t); m_isStale.at(i - 1)) {
            ++m_timers[i - 1];
        }
    }
    for (std::size_t i : visit) {
        m_isStale[i - 1] = 0;
    }
    for (std::size_t i : visit) {
        synchroniseTimers(i, m_timers[i - 1]);
    }
}

void Algorithm::synchroniseTimers(std::size_t i)
{
    synchroniseTimers(i, timerCount(m_net.Trandis(i)));
}

// The transition at position i of Trandis, which has `timers` timers, gets one timer per
// degree of enabling: new instances start their full duration now, instances no longer
// enabled lose their latest timers.
void Algorithm::synchroniseTimers(std::size_t i, std::size_t timers)
{
    const double t = m_net.Trandis(i);
    const double degree = enablingDegree(m_arcs.inputs(t), m_marcaj1);
    if (degree < 0.0) {
        return;
    }
    checkDegree(t, degree);
    auto count = static_cast<double>(timers);
    if (degree != count) {
        currentEvents().enableChanged.push_back(t);
    }
    for (; count < degree; count += 1.0) {
        m_s.D1.add(alignTime(m_s.Ts + m_net.td(i)), t, m_s.Trandis_conf(i),
                   m_s.Trandis_prioritate(i));
    }
    for (; count > degree; count -= 1.0) {
        std::size_t latest = 0;
        for (std::size_t k = 1; k <= m_s.D1.size(); ++k) {
            if (m_s.D1.tranzitie(k) == t && (latest == 0 || m_s.D1.timp(k) >= m_s.D1.timp(latest))) {
                latest = k;
            }
        }
        m_s.D1.erase(latest);
    }
}

// TOS holds exactly the pending D1 timers, scheduled D2 rows and C1 events,
// sorted by time (equal times keep this order).
void Algorithm::rebuildTos()
{
    TosList tos;
    if (m_s.TOS.size() > 0 && m_s.TOS.eveniment(1) == static_cast<double>(Eveniment::kStart)) {
        tos.add(0.0, 0.0, 0.0, -1.0);
    }
    for (std::size_t i = 1; i <= m_s.D1.size(); ++i) {
        tos.add(m_s.D1.timp(i), static_cast<double>(Eveniment::kD1), m_s.D1.tranzitie(i), -1.0);
    }
    for (std::size_t i = 1; i <= m_s.D2.timp.size(); ++i) {
        tos.add(m_s.D2.timp(i), static_cast<double>(Eveniment::kD2), m_s.D2.tranzitie_2(i), -1.0);
    }
    for (std::size_t i = 1; i <= m_s.C1.timp.size(); ++i) {
        const double place = m_s.C1.pozitie(i);
        const std::size_t sub = m_subnetOfPlace.empty() ? 0 : m_subnetOfPlace.at(static_cast<std::size_t>(place));
        tos.add(m_s.C1.timp(i), static_cast<double>(Eveniment::kC1), place, static_cast<double>(sub));
    }
    m_s.TOS = aranjare5(tos);
}

// An event time within kTimeTolerance of a known one is that time, so
// events meant to coincide share one event time.
double Algorithm::alignTime(double t) const
{
    const double tolerance = kTimeTolerance * std::max(1.0, std::fabs(t));
    if (std::fabs(t - m_s.Ts) <= tolerance) {
        return m_s.Ts;
    }
    for (const Vec* times : {&m_s.D1.timp, &m_s.D2.timp, &m_s.C1.timp}) {
        for (double known : *times) {
            if (std::fabs(t - known) <= tolerance) {
                return known;
            }
        }
    }
    return t;
}

bool Algorithm::iteration()
{
    if (m_s.stare > kMaxStates) {
        throw RunStopped{"the run reached " + std::to_string(kMaxStates) +
                         " IB-states without ending or repeating"};
    }
    const auto stare = static_cast<std::size_t>(m_s.stare);
    m_s.IB.resize(stare);
    m_events.resize(stare);

    heading("2");
    step2(true);
    heading("3");
    const int pas2 = step3();
    zeroTimeRounds(pas2);
    heading("4");
    step4();
    // The state's enabling degrees and residual times are taken after STEP 4:
    // the instantaneous firings there and the timers they start belong to the
    // state, whose starting marking already holds their effect.
    bookkeeping();
    speeds();
    m_s.IB[stare - 1].viteze = m_viteze;
    heading("10");
    step10();
    heading("11");
    const bool goesOn = step11();
    requireFinite();
    if (!goesOn) {
        m_balante.push_back(m_balanta);
        return false;
    }
    m_balante.push_back(m_balanta);
    return !repetition();
}

void Algorithm::requireFinite() const
{
    const auto finite = [](const Vec& values) {
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    };
    if (!std::isfinite(m_s.Ts) || !finite(m_marcaj1) || !finite(m_viteze) || !finite(m_balanta)) {
        throw RunStopped{"the markings, speeds, balances or times of IB-state " + std::to_string(m_s.stare) +
                             " are no longer finite numbers: the net is unbounded or its values are too large",
                         true};
    }
}

void Algorithm::step2(bool withTransitions)
{
    const Vec rows = apartenenta2(m_s.Ts, m_s.D2.timp).loc;
    m_r += "<br>D2(" + f2(m_s.Ts) + ")-event(";
    if (rows.empty()) {
        m_r += "<font size=5>&oslash</font size>)";
    }
    Vec handled;
    for (double row : rows) {
        const auto k = static_cast<std::size_t>(row);
        const double t = m_s.D2.tranzitie_2(k);
        const double place = m_s.D2.pozitie_flux(k);
        const std::size_t i = tranDisPos(t);
        const double threshold = m_net.Pre(static_cast<std::size_t>(place), static_cast<std::size_t>(t));
        const double duration = m_net.td(i);
        m_r += " m" + formatD(place) + "=" + formatD(threshold) + " :T" + formatD(t) +
               ")occuring at t<sub>s</sub>=" + f2(m_s.Ts);
        m_r += " because d" + formatD(t) + "=" + formatD(duration) + " we add in D1 t=" +
               f2(m_s.Ts) + "+" + f2(duration) + "=" + f2(m_s.Ts + duration);
        // The flow was scheduled to reach the threshold now: rounding must not undo it.
        double& marking = m_marcaj1(static_cast<std::size_t>(place));
        if (fara_zero_plus(marking) < threshold &&
            threshold - fara_zero_plus(marking) <= kTimeTolerance * std::max(1.0, threshold)) {
            marking = threshold;
            markingChanged(static_cast<std::size_t>(place));
        }
        if (withTransitions) {
            synchroniseTimers(i);
        }
        handled.push_back(t);
    }
    refresh();
    for (double t : handled) {
        m_s.D2 = eliminare_d22(m_s.D2, m_s.Ts, t);
        m_r += "<br> Then D2(" + f2(m_s.Ts) + ") is deleted";
    }
    m_s.D1 = aranjare_d1(m_s.D1);
}

int Algorithm::step3()
{
    D1List expira;
    for (std::size_t i = 1; i <= m_s.D1.size(); ++i) {
        if (m_s.D1.timp(i) == m_s.Ts) {
            expira.add(m_s.D1.timp(i), m_s.D1.tranzitie(i), m_s.D1.conflict(i), m_s.D1.prioritate(i));
        }
    }
    if (expira.size() == 0) {
        m_r += "<br> D1(" + f2(m_s.Ts) +
               ")=<font size=5>&oslash</font size> then <font color=#000077><B>GO TO STEP "
               "4</font color></B>";
        return -1;
    }
    m_r += "<br>D1(" + f2(m_s.Ts) + ")={";
    for (double t : expira.tranzitie) {
        m_r += "T<sub>" + formatD(t) + "</sub>  ";
    }
    m_r += "}";
    const Aranjare33 grouped = aranjare33(expira.conflict, expira.tranzitie, expira.prioritate);
    D1List ordered;
    for (std::size_t i = 1; i <= grouped.a.size(); ++i) {
        ordered.add(m_s.Ts, grouped.b(i), grouped.a(i), grouped.c(i));
    }
    const GasireTran chosen =
        gasire_tran(ordered, m_s.D1, m_net.conflict, m_marcaj1, m_arcs);
    m_s.D1 = chosen.D1;
    for (double t : expira.tranzitie) {
        timersChanged(t);
    }
    for (double t : chosen.scoase.tranzitie) {
        timersChanged(t);
    }
    m_r += "\tThe firing of the transitions: ";
    StateEvents& events = currentEvents();
    bool any = false;
    for (double t : chosen.efectiv.tranzitie) {
        // executie_td on the places t touches.
        if (!covers(m_arcs.inputs(t), m_marcaj1)) {
            continue;
        }
        fire(m_arcs.arcs(t), m_marcaj1);
        for (const PlaceArc& arc : m_arcs.arcs(t)) {
            markingChanged(arc.place);
        }
        m_r += "T<sub>" + formatD(t) + "</sub>  ";
        events.fired.push_back(t);
        any = true;
    }
    if (!any) {
        m_r += "<font size=5>&oslash</font size>";
    }
    refresh();
    if (m_r.active()) {
        m_r += "<br>The discrete marking is m<sup>&#732 D</sup>=(";
        for (double m : m_marcaj_dis) {
            m_r.add(formatD(m), " ");
        }
        m_r += ")";
        m_r += "<br>The continuous marking is m<sup>&#732 C</sup>=(";
        for (double m : m_marcaj_cont) {
            m_r += markingText(m);
        }
        m_r += ")";
    }
    return 1;
}

void Algorithm::zeroTimeRounds(int pas2)
{
    m_marcaj_spec = m_marcaj1;
    m_special = false;
    for (int round = 1; pas2 > 0; ++round) {
        if (round > kMaxZeroTimeRounds) {
            throw RunStopped{"discrete transitions kept firing at t=" + f2(m_s.Ts) + " for " +
                             std::to_string(kMaxZeroTimeRounds) +
                             " rounds without time passing (a zero-time loop)"};
        }
        synchroniseTimers();
        step2(false);
        pas2 = step3();
        m_special = m_special || pas2 > 0;
    }
}

void Algorithm::bookkeeping()
{
    const auto stare = static_cast<std::size_t>(m_s.stare);
    IbState& state = m_s.IB[stare - 1];
    state.special = m_special ? 1 : 0;
    state.mc_bef_spec = m_special ? m_marcaj_spec : Vec{};
    state.mc_aft_spec = m_special ? m_marcaj1 : Vec{};
    if (m_special) {
        ++m_s.adun_spec;
    }
    state.marcaj = m_marcaj_dis;
    state.enable = Vec(m_net.Trandis.size());
    state.residual.assign(m_net.Trandis.size(), Residual{});
    // The residual times of every transition, in the order of D1, then sorted (aranjare4).
    for (std::size_t k = 1; k <= m_s.D1.size(); ++k) {
        state.residual.at(tranDisPos(m_s.D1.tranzitie(k)) - 1).timp.push_back(m_s.D1.timp(k) - m_s.Ts);
    }
    for (std::size_t i = 1; i <= m_net.Trandis.size(); ++i) {
        Vec& times = state.residual[i - 1].timp;
        state.enable(i) = static_cast<double>(times.size());
        if (times.size() > 1) {
            times = aranjare4(times, times).sir;
        }
    }
    state.tranzitie_d = m_net.Trandis;
    state.tranzitie_c = m_net.Trancont;
    state.cauza.assign(1, Cauza{});
}

void Algorithm::step10()
{
    // Scheduled D2 rows whose flow changed are dropped; their thresholds are armed again.
    for (std::size_t k = m_s.D2.timp.size(); k >= 1; --k) {
        const double place = m_s.D2.pozitie_flux(k);
        if (m_s.D2.timp(k) > m_s.Ts && m_s.D2.flux(k) != m_balanta(contPos(place))) {
            m_s.D2 = eliminare_d22(m_s.D2, m_s.D2.timp(k), m_s.D2.tranzitie_2(k));
            k = std::min(k, m_s.D2.timp.size() + 1);
        }
    }
    m_r += "<br>UPDATE TOS";
    bool any = false;
    for (std::size_t c = 1; c <= m_s.D2.tranzitie.size(); ++c) {
        const double place = m_s.D2.pozitie(c);
        const double b = m_balanta(contPos(place));
        if (!(b > 0.0) || m_s.D2.adaugat(c) != 0.0) {
            continue;
        }
        const double threshold = m_s.D2.marcaj(c);
        const double m = fara_zero_plus(m_marcaj1(static_cast<std::size_t>(place)));
        if (threshold - m <= 0.0) {
            continue;
        }
        const double t = m_s.D2.tranzitie(c);
        const double time = alignTime(m_s.Ts + (threshold - m) / b);
        m_s.D2.adaugat(c) = 1.0;
        m_s.D2.timp.push_back(time);
        m_s.D2.flux.push_back(b);
        m_s.D2.pozitie_flux.push_back(place);
        m_s.D2.tranzitie_1.push_back(m_net.td(tranDisPos(t)));
        m_s.D2.tranzitie_2.push_back(t);
        if (!any) {
            m_r += "<br>Future D2 events:";
            any = true;
        }
        m_r += "<br>The marking m<sub>" + formatD(place) + "</sub> become " + formatD2(threshold) +
               " at the moment " + f2(time);
    }
    if (!any) {
        m_r += "<br> There are no other future D2 events";
    }
    if (m_s.C1.timp.empty()) {
        m_r += "<br> There are no other future C1 events";
    } else {
        m_r += "<br>Future C1 events:";
        for (std::size_t i = 1; i <= m_s.C1.timp.size(); ++i) {
            m_r += "<br>The marking m<sub>" + formatD(m_s.C1.pozitie(i)) +
                   "</sub> becomes 0 at the moment " + f2(m_s.C1.timp(i));
        }
    }
}

bool Algorithm::step11()
{
    rebuildTos();
    // The start event is handled once, in the first state.
    if (m_s.TOS.size() > 0 && m_s.TOS.eveniment(1) == static_cast<double>(Eveniment::kStart)) {
        m_s.TOS.erase(1);
    }
    m_s.Ts_anterior = m_s.Ts;
    m_pastHorizon = m_s.TOS.size() > 0 && m_s.Ts > m_s.horizon;
    if (m_s.TOS.size() == 0 || m_pastHorizon) {
        // The last state lasts for ever from the last event time on.
        IbState& last = m_s.IB[static_cast<std::size_t>(m_s.stare) - 1];
        last.timp = m_s.Ts;
        last.mc_before = m_marcaj_cont;
        last.mc_after = m_marcaj_cont;
        m_r += m_pastHorizon ? "<br>t<sub>s</sub>=" + f2(m_s.Ts) + " is past the horizon t=" + f2(m_s.horizon)
                             : std::string("<br>Next time t<sub>s</sub>=inf");
        m_r += "<br>Then <font color=#cc0000>END</font color><br>";
        return false;
    }
    m_s.Ts = m_s.TOS.timp(1);
    if (m_s.watch)
        m_s.watch(m_s.Ts);
    m_r += "<br>Next time t<sub>s</sub>=" + f2(m_s.Ts);
    const auto stare = static_cast<std::size_t>(m_s.stare);
    IbState& state = m_s.IB[stare - 1];
    for (std::size_t i = 1; i <= m_s.TOS.size() && m_s.TOS.timp(i) == m_s.Ts; ++i) {
        state.cauza[0].cauza.push_back(m_s.TOS.cauza(i));
        state.cauza[0].eveniment.push_back(m_s.TOS.eveniment(i));
    }

    const double dt = m_s.Ts - m_s.Ts_anterior;
    m_zeroTimeSteps = dt > 0.0 ? 0 : m_zeroTimeSteps + 1;
    if (m_zeroTimeSteps > kMaxZeroTimeSteps) {
        throw RunStopped{std::to_string(kMaxZeroTimeSteps) +
                         " IB-states followed each other at t=" + f2(m_s.Ts) +
                         " without time passing (a zero-time loop)"};
    }
    StateEvents& events = m_events[stare - 1];
    // The places that a sub-net's first phase empties now: 1 when they become 0+, 0 when 0
    // (a later sub-net's word counts, within one the first; as apartenenta1 over `goale`).
    std::vector<signed char> emptiedAs;
    for (const SubnetPhaseEnd& end : m_marc_nou) {
        if (end.timp_c != m_s.Ts) {
            continue;
        }
        emptiedAs.resize(m_marcaj1.size() + 1, -1);
        for (std::size_t i = end.goale.size(); i >= 1; --i) {
            emptiedAs.at(static_cast<std::size_t>(end.goale(i))) = end.zeroPlus(i) != 0.0 ? 1 : 0;
        }
    }
    for (std::size_t l = 1; l <= m_net.Pozcont.size(); ++l) {
        const auto p = static_cast<std::size_t>(m_net.Pozcont(l));
        const double b = m_balanta(l);
        double& m = m_marcaj1(p);
        const double before = m;
        if (!emptiedAs.empty() && emptiedAs[p] >= 0) {
            m = emptiedAs[p] == 1 ? kZeroPlus : 0.0;
            events.emptied.push_back(static_cast<double>(p));
        } else if (m == kZeroPlus) {
            if (b > 0.0 && dt > 0.0) {
                m = snapMarking(dt * b);
            } else if (b < 0.0) {
                m = 0.0;
            }
        } else {
            const double value = snapMarking(m + dt * b);
            m = value > 0.0 ? value : 0.0;
        }
        // A change of the sign of a zero counts: the markings are copied to the bit.
        if (!(m == before) || std::signbit(m) != std::signbit(before)) {
            markingChanged(p);
        }
    }
    refresh();
    state.timp = m_s.Ts;
    state.mc_before = m_marcaj_cont;
    return true;
}

// A hash of what two repeating states must share (discrete marking, enabling
// degrees, the continuous marking they start from), so that only the earlier
// states with the same hash are compared.
std::size_t Algorithm::stateKey(std::size_t stare) const
{
    std::size_t key = 0;
    const auto mix = [&key](const Vec& values) {
        for (double value : values) {
            const double plain = value == 0.0 ? 0.0 : value;  // -0 and 0 are equal
            key = key * 1000003u ^ std::hash<double>{}(plain);
        }
        key = key * 1000003u ^ values.size();
    };
    mix(m_s.IB[stare - 1].marcaj);
    mix(m_s.IB[stare - 1].enable);
    mix(m_s.IB[stare - 2].mc_after);
    return key;
}

bool Algorithm::repetition()
{
    const auto stare = static_cast<std::size_t>(m_s.stare);
    const IbState& current = m_s.IB[stare - 1];
    std::vector<std::size_t>& sameKey = m_statesByKey[stateKey(stare)];
    for (std::size_t contor_s : sameKey) {
        // Two states behave alike only when they also start from the same
        // continuous marking; that is compared first, with the cheap parts.
        const IbState& earlier = m_s.IB[contor_s - 1];
        if (current.marcaj != earlier.marcaj || current.enable != earlier.enable ||
            m_s.IB[stare - 2].mc_after != m_s.IB[contor_s - 2].mc_after) {
            continue;
        }
        const Vec c = verif_ib1(m_s.IB, stare, contor_s);
        if (c.empty() || std::find(c.begin(), c.end(), 0.0) != c.end()) {
            continue;
        }
        // A cycle of states that takes no time would be walked without end.
        if (m_s.IB[stare - 1].timp == m_s.IB[contor_s - 1].timp) {
            throw RunStopped{"IB-state " + std::to_string(stare - 1) +
                             " repeats IB-state " + std::to_string(contor_s - 1) +
                             " without time passing (a zero-time loop)"};
        }
        m_s.stare_2 = m_s.stare - 1;
        m_s.contor_2 = static_cast<int>(contor_s) - 1;
        m_s.stare = 0;
        return true;
    }
    sameKey.push_back(stare);
    ++m_s.stare;
    return false;
}

SimulationResult simulate(const HybridNet& net, SimulationState state, SpeedSolver& solver,
                          ReportText& report)
{
    return Algorithm(net, std::move(state), solver, report).run();
}

}  // namespace mixsim
