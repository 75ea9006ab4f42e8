// Algorithm 6.1, STEP 5 to STEP 9: speeds per priority level, with flowrun.
#include "engines/hybrid/algorithm.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/print_format.h"
#include "engines/hybrid/sets.h"
#include "engines/hybrid/sorting.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace mixsim {

namespace {

std::string f2(double value)
{
    return formatReal("%.2f", value);
}

// The part of a shared place a transition gets, relative to the others. As
// in flowrun, ratios r make r * v equal for all members, so the part is 1 / r;
// a member without a ratio counts as ratio 1.
double shareWeight(double ratio)
{
    return ratio > 0.0 ? 1.0 / ratio : 1.0;
}

}  // namespace

void Algorithm::speeds()
{
    m_md_u = m_marcaj_dis;
    m_viteze = Vec(m_net.Trancont.size());
    m_balanta = Vec(m_net.Pozcont.size());
    m_s.C1 = C1List{};
    m_marc_nou.assign(m_grup.size(), SubnetPhaseEnd{});

    m_r += "<br>The priority levels:\t";
    // Text only: skipped once the report takes no more.
    for (std::size_t k = 0; k < m_priorityLevels.size() && m_r.active(); ++k) {
        m_r += formatD(m_priorityLevels[k].level) + " ";
    }
    for (std::size_t k = 0; k < m_priorityLevels.size() && m_r.active(); ++k) {
        const PriorityLevel& level = m_priorityLevels[k];
        m_r += "<br>On the priority level " + formatD(level.level) + " there are the subnets " +
               formatD(level.retele(1));
        for (std::size_t i = 2; i <= level.retele.size(); ++i) {
            m_r += " and " + formatD(level.retele(i));
        }
    }
    m_r += "<br>";

    for (const PriorityLevel& level : m_priorityLevels) {
        heading("5: Initialization");
        m_r += "We treat the priority level " + formatD(level.level);
        solveLevel(level.retele);
    }
    if (!m_priorityLevels.empty()) {
        m_r += "<br>All the priority levels have been treated, GO TO STEP 10";
    }
    // A continuous transition without continuous places moves no marking; it
    // runs at its bound.
    for (std::size_t j = 1; j <= m_net.Trancont.size(); ++j) {
        if (m_subnetOfTransition.at(static_cast<std::size_t>(m_net.Trancont(j))).record == 0 &&
            m_net.U(j) != kInfiniteSpeed) {
            m_viteze(j) = m_net.U(j) * boundFactor(j, m_md_u);
        }
    }
    for (const SubnetPhaseEnd& end : m_marc_nou) {
        for (double place : end.goale) {
            m_s.C1.timp.push_back(end.timp_c);
            m_s.C1.pozitie.push_back(place);
        }
    }
}

void Algorithm::solveLevel(const Vec& retele)
{
    // Discrete places that transitions of two or more sub-nets of the level share, in Pozdis order.
    std::map<std::size_t, std::size_t> users;  // by Pozdis position: the sub-nets using it
    for (double q : retele) {
        std::set<std::size_t> used;
        for (double t : m_grup[static_cast<std::size_t>(q) - 1].tranzitie) {
            for (const Arc& input : m_discreteInputs.at(tranContPos(t) - 1)) {
                used.insert(input.place);
            }
        }
        for (std::size_t position : used) {
            ++users[position];
        }
    }
    Vec locuri;
    for (const auto& [position, count] : users) {
        if (count >= 2) {
            locuri.push_back(m_net.Pozdis(position));
        }
    }
    if (retele.size() > 1) {
        solveSharedLevel(retele, locuri);
        return;
    }
    const auto q = static_cast<std::size_t>(retele(1));
    const Grup& grup = m_grup[q - 1];
    m_r += "<br>This priority level contains a single subnet and this is the subnet " + formatD(retele(1));
    m_r += "<br>We calculate the values V<sub>j</sub><sup>`</sup>  using (6.16) in Section 6.2.1.1:<br>";
    Vec bounds;
    for (double t : grup.tranzitie) {
        const std::size_t j = tranContPos(t);
        if (m_net.U(j) == kInfiniteSpeed) {
            bounds.push_back(kInfiniteSpeed);
            m_r += "V`<sub>" + formatD(t) + "</sub>=inf<br>";
            continue;
        }
        const double factor = boundFactor(j, m_md_u);
        bounds.push_back(m_net.U(j) * factor);
        m_r += "V`<sub>" + formatD(t) + "</sub>=" + f2(m_net.U(j)) + "*" + f2(factor) + "=" +
               f2(m_net.U(j) * factor) + "<br>";
    }
    const Vec viteze = solveSubnet(q, bounds);
    heading("6");
    m_r += "<br>In the subnet " + formatD(retele(1)) + " the instantaneous firing speeds are:      ";
    for (std::size_t j = 1; j <= viteze.size(); ++j) {
        m_r += "v<sub>" + formatD(grup.tranzitie(j)) + "</sub>=" + f2(viteze(j)) + " \n";
    }
    applySpeeds(q, viteze);
    m_r += "<br>Increase the priority level and <font color=#000077><B>GO TO STEP 5</font color></B>";
}

// STEP 7 to STEP 9: the available marking of each shared discrete place is
// allocated to the transitions that use it by their sharing ratios; after
// the speeds are computed, what a transition leaves unused goes to those
// that used their whole allocation, and the speeds are computed again.
void Algorithm::solveSharedLevel(const Vec& retele, const Vec& locuri)
{
    m_r += "<br>This priority level contains more subnets:";
    for (double q : retele) {
        m_r += "  " + formatD(q);
    }
    m_r += "   <font color=#000077><B>GO TO STEP 7</font color></B><br>";
    heading("7");

    // alocare[place][t]: the part of md_u(place) allocated to transition t.
    std::map<double, std::map<double, double>> alocare;
    for (double place : locuri) {
        double total = 0.0;
        for (double q : retele) {
            for (double t : m_grup[static_cast<std::size_t>(q) - 1].tranzitie) {
                if (m_net.Pre(static_cast<std::size_t>(place), static_cast<std::size_t>(t)) > 0.0) {
                    alocare[place][t] = shareWeight(sharingOf(place, t));
                    total += alocare[place][t];
                }
            }
        }
        for (auto& [t, share] : alocare[place]) {
            share = m_md_u(disPos(place)) * share / total;
        }
    }

    std::map<std::size_t, Vec> viteze;  // by sub-net
    for (int round = 1;; ++round) {
        for (double q : retele) {
            const Grup& grup = m_grup[static_cast<std::size_t>(q) - 1];
            Vec bounds;
            for (double t : grup.tranzitie) {
                const std::size_t j = tranContPos(t);
                if (m_net.U(j) == kInfiniteSpeed) {
                    bounds.push_back(kInfiniteSpeed);
                    continue;
                }
                double factor = boundFactor(j, m_md_u);
                for (const auto& [place, shares] : alocare) {
                    const auto found = shares.find(t);
                    if (found != shares.end()) {
                        const double weight =
                            m_net.Pre(static_cast<std::size_t>(place), static_cast<std::size_t>(t));
                        factor = std::min(factor, found->second / weight);
                    }
                }
                bounds.push_back(m_net.U(j) * factor);
                m_r += "<BR>V<sub>" + formatD(t) + "</sub>=U<sub>" + formatD(t) + "</sub>*" +
                       f2(factor) + "=" + f2(m_net.U(j) * factor);
            }
            heading("8");
            viteze[static_cast<std::size_t>(q)] = solveSubnet(static_cast<std::size_t>(q), bounds);
        }
        heading("9");
        bool changed = false;
        for (auto& [place, shares] : alocare) {
            double unused = 0.0;
            double bindingRatio = 0.0;
            std::map<double, double> used;
            for (const auto& [t, share] : shares) {
                const std::size_t j = tranContPos(t);
                const SubnetPosition where = m_subnetOfTransition.at(static_cast<std::size_t>(t));
                const double v = viteze.at(where.record)(where.loc);
                const double u = m_net.U(j) > 0.0 ? v / m_net.U(j) : 0.0;
                used[t] = u * m_net.Pre(static_cast<std::size_t>(place), static_cast<std::size_t>(t));
                if (used[t] < share - kBalanceTolerance) {
                    unused += share - used[t];
                } else {
                    bindingRatio += shareWeight(sharingOf(place, t));
                }
            }
            if (unused <= kBalanceTolerance || bindingRatio == 0.0) {
                continue;
            }
            for (auto& [t, share] : shares) {
                const std::size_t j = tranContPos(t);
                if (used[t] < share - kBalanceTolerance) {
                    m_r += "<br>The transfer u(T<sub>" + formatD(t) + "</sub>)=" + f2(used[t]) + "<" +
                           f2(share) + "<br>V<sub>" + formatD(t) + "</sub><sup>`</sup>=" +
                           f2(m_net.U(j)) + "*" + f2(used[t]) + "=" + f2(m_net.U(j) * used[t]);
                    share = used[t];
                } else {
                    share += unused * shareWeight(sharingOf(place, t)) / bindingRatio;
                }
            }
            changed = true;
        }
        if (!changed || round >= kMaxAllocationRounds) {
            break;
        }
        m_r += "  <font color=#000077><B>GO TO STEP 8</font color></B>";
        m_r += "Conforming <I>Remark 6.10</I>:(because of the first reason)-> New alloncations can "
               "be recalculated immediately";
    }
    for (double q : retele) {
        const auto index = static_cast<std::size_t>(q);
        m_r += "<br>In the subnet " + formatD(q) + " the instantaneous firing speeds are:      ";
        for (std::size_t j = 1; j <= viteze[index].size(); ++j) {
            m_r += "v<sub>" + formatD(m_grup[index - 1].tranzitie(j)) + "</sub>=" +
                   f2(viteze[index](j)) + " \n";
        }
        applySpeeds(index, viteze[index]);
    }
}

Vec Algorithm::solveSubnet(std::size_t q, const Vec& bounds)
{
    Grup& grup = m_grup[q - 1];
    ++grup.contor2;
    const std::size_t m = grup.tranzitie.size();
    const bool moves = std::any_of(bounds.begin(), bounds.end(), [](double v) { return v != 0.0; });
    if (m == 0 || !moves) {
        return Vec(m);
    }
    SubnetProblem problem;
    problem.number = static_cast<int>(q);
    problem.pre = grup.pre;
    problem.post = grup.post;
    for (double place : grup.pozitie) {
        problem.marcaj.push_back(m_marcaj1(static_cast<std::size_t>(place)));
    }
    problem.viteze = bounds;
    problem.conflicte = conflictBlock(grup);
    const SubnetSpeeds result = m_solver.solve(problem);
    if (!result.ok) {
        throw RunStopped{"the speeds of subnet " + std::to_string(q) + " at t=" + f2(m_s.Ts) +
                         " cannot be computed: " + result.error};
    }
    Vec viteze = result.viteze;
    // flowrun writes four decimals; a speed never exceeds its bound.
    for (std::size_t j = 1; j <= m; ++j) {
        if (bounds(j) >= 0.0 && viteze(j) > bounds(j)) {
            viteze(j) = bounds(j);
        }
    }
    return viteze;
}

void Algorithm::applySpeeds(std::size_t q, const Vec& viteze)
{
    Grup& grup = m_grup[q - 1];
    grup.calculat = 1;
    for (std::size_t j = 1; j <= grup.tranzitie.size(); ++j) {
        const double t = grup.tranzitie(j);
        const std::size_t position = tranContPos(t);
        m_viteze(position) = viteze(j);
        const double u = m_net.U(position) > 0.0 ? viteze(j) / m_net.U(position) : 0.0;
        for (const Arc& input : m_discreteInputs.at(position - 1)) {
            m_md_u(input.place) -= u * input.weight;
        }
    }
    SubnetPhaseEnd& end = m_marc_nou[q - 1];
    double durata = -1.0;
    Vec candidates;
    for (std::size_t i = 1; i <= grup.pozitie.size(); ++i) {
        double balance = 0.0;
        for (std::size_t j = 1; j <= grup.tranzitie.size(); ++j) {
            balance += (grup.post(i, j) - grup.pre(i, j)) * viteze(j);
        }
        if (std::fabs(balance) < kBalanceTolerance) {
            balance = 0.0;
        }
        m_balanta(contPos(grup.pozitie(i))) = balance;
        const double marking = m_marcaj1(static_cast<std::size_t>(grup.pozitie(i)));
        const double time = marking > 0.0 && balance < 0.0 ? marking / -balance : -1.0;
        candidates.push_back(time);
        if (time > 0.0 && (durata < 0.0 || time < durata)) {
            durata = time;
        }
    }
    if (durata < 0.0) {
        return;
    }
    end.timp_c = alignTime(m_s.Ts + durata);
    for (std::size_t i = 1; i <= grup.pozitie.size(); ++i) {
        if (candidates(i) > 0.0 && candidates(i) <= durata * (1.0 + kTimeTolerance)) {
            double inflow = 0.0;
            for (std::size_t j = 1; j <= grup.tranzitie.size(); ++j) {
                inflow += grup.post(i, j) * viteze(j);
            }
            end.goale.push_back(grup.pozitie(i));
            end.zeroPlus.push_back(inflow > 0.0 ? 1.0 : 0.0);
        }
    }
}

}  // namespace mixsim
