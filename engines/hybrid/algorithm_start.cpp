// Algorithm 6.1, STEP 1 and STEP 1.2: start-up firings, D2 candidates and initial timers.
#include "engines/hybrid/algorithm.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/firing.h"
#include "engines/hybrid/print_format.h"
#include "engines/hybrid/sets.h"

#include <algorithm>

namespace mixsim {

namespace {

std::string f2(double value)
{
    return formatReal("%.2f", value);
}

}  // namespace

void Algorithm::start()
{
    heading("1: Initialization");
    m_s.Ts = 0.0;
    step2_1();
    m_s.IB[0].mc_after = m_marcaj_cont;

    for (double p : m_net.Pozcont) {
        for (double t : m_net.Trandis) {
            const double weight = m_net.Pre(static_cast<std::size_t>(p), static_cast<std::size_t>(t));
            if (weight > 0.0) {
                m_s.D2.marcaj.push_back(weight);
                m_s.D2.tranzitie.push_back(t);
                m_s.D2.pozitie.push_back(p);
                m_s.D2.adaugat.push_back(0.0);
            }
        }
    }
    initialTimers();
    writeInitialTos();
    m_s.adun_spec = 0;
    m_s.stare = 2;
}

void Algorithm::step2_1()
{
    for (int pass = 1;; ++pass) {
        if (pass > kMaxStartupPasses) {
            throw RunStopped{"the start-up firings did not settle after " +
                             std::to_string(kMaxStartupPasses) + " passes"};
        }
        const Vec before = m_marcaj1;
        for (std::size_t i = 1; i <= m_net.Trandis.size(); ++i) {
            // cautare_td and executie_td on the places the transition touches.
            const double t = m_net.Trandis(i);
            if (m_net.td(i) == 0.0 && covers(m_arcs.inputs(t), m_marcaj1)) {
                fire(m_arcs.arcs(t), m_marcaj1);
                for (const PlaceArc& arc : m_arcs.arcs(t)) {
                    markingChanged(arc.place);
                }
            }
        }
        for (std::size_t j : m_instantaneous) {
            fireInstantaneous(j);
        }
        refresh();
        if (m_marcaj1 == before) {
            return;
        }
    }
}

// Fires the continuous transition at position j, whose maximal speed is infinite,
// instantaneously when its discrete input places enable it.
void Algorithm::fireInstantaneous(std::size_t j)
{
    const double t = m_net.Trancont(j);
    double q = -1.0;
    bool hasContinuousInput = false;
    bool zeroPlusInput = false;
    for (const Arc& arc : m_arcs.inputs(t)) {
        const std::size_t p = arc.place;
        const double weight = arc.weight;
        if (contPos(static_cast<double>(p)) == 0) {
            if (m_marcaj1(p) < weight) {
                return;
            }
            continue;
        }
        hasContinuousInput = true;
        if (m_marcaj1(p) == 0.0) {
            return;
        }
        if (m_marcaj1(p) == kZeroPlus) {
            zeroPlusInput = true;
        } else {
            q = q < 0 ? m_marcaj1(p) / weight : std::min(q, m_marcaj1(p) / weight);
        }
    }
    if (!hasContinuousInput) {
        return;
    }
    // The continuous places whose W(p, t) is not 0, ascending.
    for (const PlaceArc& arc : m_arcs.arcs(t)) {
        const std::size_t p = arc.place;
        const double w = arc.post - arc.pre;
        if (contPos(static_cast<double>(p)) == 0 || w == 0.0) {
            continue;
        }
        if (zeroPlusInput) {
            if (m_marcaj1(p) == kZeroPlus && w < 0) {
                m_marcaj1(p) = 0.0;
            } else if (m_marcaj1(p) <= 0.0 && w > 0) {
                m_marcaj1(p) = kZeroPlus;
            }
        } else {
            const double value = snapMarking(fara_zero_plus(m_marcaj1(p)) + q * w);
            m_marcaj1(p) = value <= 0.0 ? 0.0 : value;
        }
        markingChanged(p);
    }
}

void Algorithm::initialTimers()
{
    IbState& first = m_s.IB[0];
    for (std::size_t i = 1; i <= m_net.Trandis.size(); ++i) {
        // cautare_td1 on the transition's input places.
        const double t = m_net.Trandis(i);
        const std::vector<Arc>& inputs = m_arcs.inputs(t);
        if (inputs.empty() || !covers(inputs, m_marcaj1)) {
            continue;
        }
        double degree = -1.0;
        for (const Arc& arc : inputs) {
            const double mm = modulo(fara_zero_plus(m_marcaj1(arc.place)), arc.weight).c;
            degree = degree < 0 ? mm : std::min(degree, mm);
        }
        checkDegree(t, degree);
        first.enable(i) = degree;
        for (int r = 1; r <= static_cast<int>(degree); ++r) {
            m_s.D1.add(m_net.td(i), t, m_s.Trandis_conf(i), m_s.Trandis_prioritate(i));
            first.residual[i - 1].timp.push_back(m_net.td(i));
        }
    }
    rebuildTos();
}

void Algorithm::writeInitialTos()
{
    heading("1.2");
    m_r += "Initial marking m<sup>&#732 C</sup>=[";
    for (double m : m_marcaj_cont) {
        m_r += " " + f2(m);
    }
    m_r += "]\n";
    m_r += "<br>Initialization of the time-ordered sequence TOS: Let t<sub>s</sub>=t<sub>" +
           formatD(m_s.TOS.size() > 0 ? m_s.TOS.timp(1) : m_s.Ts) + "</sub>";
    m_r += "<br>Possibly events:";
    for (std::size_t i = 1; i <= m_s.TOS.size(); ++i) {
        const std::string time = formatD(m_s.TOS.timp(i));
        const std::string cause = formatD(m_s.TOS.cauza(i));
        switch (static_cast<int>(m_s.TOS.eveniment(i))) {
        case static_cast<int>(Eveniment::kStart):
            m_r += "<br>C1(" + time + ")=D1(" + time + ")=D2(" + time +
                   ")=<font size=5>&oslash</font size>";
            break;
        case static_cast<int>(Eveniment::kD1):
            m_r += "<br>D1(" + time + ")={T<sub>" + cause + "</sub>}";
            break;
        case static_cast<int>(Eveniment::kD2):
            m_r += "<br>D2(" + time + ")={T<sub>" + cause + "</sub>}";
            break;
        default:
            m_r += "<br>C1(" + time + ")={T<sub>" + cause + "</sub>}";
            break;
        }
    }
}

}  // namespace mixsim
