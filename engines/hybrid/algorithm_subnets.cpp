// Algorithm 6.1, STEP 4: sub-nets, their bounds and conflicts, and priority levels.
#include "engines/hybrid/algorithm.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/print_format.h"
#include "engines/hybrid/report_head.h"
#include "engines/hybrid/sets.h"
#include "engines/hybrid/sorting.h"
#include "engines/hybrid/subnet.h"
#include "engines/hybrid/subnet_levels.h"

#include <algorithm>

namespace mixsim {

namespace {

std::string f2(double value)
{
    return formatReal("%.2f", value);
}

bool isCase4(const ConflictRecord& record)
{
    return record.tip == 4 || record.tip_caz3 == 4;
}

}  // namespace

// Bound factor of the discrete input places of the continuous transition at
// position j: min over them of md_u(p) / Pre(p, j); 1 when it has none.
double Algorithm::boundFactor(std::size_t j, const Vec& md_u) const
{
    double factor = 1.0;
    bool first = true;
    for (const Arc& input : m_discreteInputs.at(j - 1)) {
        const double share = std::max(0.0, md_u(input.place)) / input.weight;
        factor = first ? share : std::min(factor, share);
        first = false;
    }
    return factor;
}

double Algorithm::sharingOf(double place, double t) const
{
    const auto found = m_sharing.find({static_cast<std::size_t>(place), static_cast<std::size_t>(t)});
    return found != m_sharing.end() ? found->second : 0.0;
}

// flowrun reads, for each place with two or more output transitions, their
// priorities and then one sharing ratio per member of each class of equal
// priorities. The ratios are the conflict's sharing values; a member without
// one gets 1, so that the class shares equally.
Vec Algorithm::conflictBlock(const Grup& grup) const
{
    Vec block;
    for (const GrupConflict& conflict : grup.conflict) {
        block.append(conflict.prioritate);
        Vec seen;
        for (std::size_t j = 1; j <= conflict.tranzitie.size(); ++j) {
            if (apartenenta(static_cast<double>(j), seen) == kFound) {
                continue;
            }
            const Vec members = egalitate(conflict.prioritate(j), conflict.prioritate);
            seen.append(members);
            if (members.size() < 2) {
                continue;
            }
            for (double member : members) {
                const double ratio = conflict.sharing(static_cast<std::size_t>(member));
                block.push_back(ratio > 0.0 ? ratio : 1.0);
            }
        }
    }
    return block;
}

void Algorithm::step4()
{
    splitSubnets();
    fireInfiniteSpeeds();
    m_s.IB[static_cast<std::size_t>(m_s.stare) - 2].mc_after = m_marcaj_cont;
    synchroniseTimers();
    assignLevels();
    writeSubnets();
}

// The sub-nets of the state. They depend on the net's structure only: the connected
// components of the continuous part, with their matrices and conflicts, are found once.
void Algorithm::splitSubnets()
{
    if (m_subnetOfPlace.empty()) {
        findSubnets();
    }
    // What a state computes in a sub-net starts afresh; describeSubnet sets its markings and bounds.
    for (Grup& grup : m_grup) {
        grup.calculat = 0;
        grup.contor2 = 0;
    }
}

void Algorithm::findSubnets()
{
    m_subnetOfPlace.assign(static_cast<std::size_t>(m_net.nr_poz) + 1, 0);
    m_subnetOfTransition.assign(static_cast<std::size_t>(m_net.nr_tran) + 1, SubnetPosition{});
    for (double place : m_net.Pozcont) {
        if (m_subnetOfPlace.at(static_cast<std::size_t>(place)) != 0) {
            continue;
        }
        Grup grup = subnet(m_net.Pre, m_net.Post, m_net.Pozcont, m_net.Trancont, place, Grup{}).grup;
        describeStructure(grup);
        const std::size_t q = m_grup.size() + 1;
        for (double p : grup.pozitie) {
            m_subnetOfPlace.at(static_cast<std::size_t>(p)) = q;
        }
        for (std::size_t j = 1; j <= grup.tranzitie.size(); ++j) {
            SubnetPosition& at = m_subnetOfTransition.at(static_cast<std::size_t>(grup.tranzitie(j)));
            if (at.record == 0) {  // apartenenta3: the first sub-net holding it
                at = {q, j};
            }
        }
        m_grup.push_back(std::move(grup));
    }
}

// step4_2: the infinite-speed transitions fire until the marking settles.
void Algorithm::fireInfiniteSpeeds()
{
    // Without such transitions a pass would leave the marking as it is.
    if (m_instantaneous.empty()) {
        return;
    }
    for (int pass = 1;; ++pass) {
        if (pass > kMaxStartupPasses) {
            throw RunStopped{"the instantaneous firings at t=" + f2(m_s.Ts) +
                             " did not settle after " + std::to_string(kMaxStartupPasses) +
                             " passes"};
        }
        const Vec before = m_marcaj1;
        for (std::size_t j : m_instantaneous) {
            fireInstantaneous(j);
        }
        refresh();
        if (m_marcaj1 == before) {
            break;
        }
    }
}

// The markings and bounds of a sub-net in the current state, as the report shows them.
void Algorithm::describeSubnet(Grup& grup) const
{
    grup.marcaj = Vec();
    for (double p : grup.pozitie) {
        grup.marcaj.push_back(m_marcaj1(static_cast<std::size_t>(p)));
    }
    grup.viteze = Vec();
    for (double t : grup.tranzitie) {
        const std::size_t j = tranContPos(t);
        grup.viteze.push_back(m_net.U(j) == kInfiniteSpeed
                                  ? kInfiniteSpeed
                                  : m_net.U(j) * boundFactor(j, m_marcaj_dis));
    }
}

// The sub-matrices, maximal speeds and conflicts of a sub-net, and the case-4
// conflicts (a discrete place shared by continuous transitions) it takes part in.
void Algorithm::describeStructure(Grup& grup) const
{
    const std::size_t n = grup.pozitie.size();
    const std::size_t m = grup.tranzitie.size();
    grup.pre = Mat(n, m);
    grup.post = Mat(n, m);
    for (std::size_t i = 1; i <= n; ++i) {
        const auto p = static_cast<std::size_t>(grup.pozitie(i));
        for (std::size_t j = 1; j <= m; ++j) {
            const auto t = static_cast<std::size_t>(grup.tranzitie(j));
            grup.pre(i, j) = m_net.Pre(p, t);
            grup.post(i, j) = m_net.Post(p, t);
        }
    }
    grup.U = Vec();
    for (double t : grup.tranzitie) {
        grup.U.push_back(m_net.U(tranContPos(t)));
    }
    grup.conflict.clear();
    for (std::size_t i = 1; i <= n; ++i) {
        Vec outputs;
        for (std::size_t j = 1; j <= m; ++j) {
            if (grup.pre(i, j) > 0.0) {
                outputs.push_back(grup.tranzitie(j));
            }
        }
        if (outputs.size() < 2) {
            continue;
        }
        for (const ConflictRecord& record : m_net.conflict) {
            if (record.pozitie == static_cast<int>(grup.pozitie(i)) && !record.prioritate.empty()) {
                GrupConflict conflict;
                conflict.pozitie = grup.pozitie(i);
                conflict.tranzitie = outputs;
                for (double t : outputs) {
                    conflict.prioritate.push_back(
                        record.prioritate(apartenenta1(t, record.tranzitii).loc));
                    conflict.sharing.push_back(sharingOf(grup.pozitie(i), t));
                }
                grup.conflict.push_back(std::move(conflict));
            }
        }
    }
    grup.conflicte = Vec();
    grup.nr_conflict = Vec();
    grup.tran_conflict = Vec();
    grup.tran_grup = Vec();
    grup.sharing = Vec();
    for (std::size_t k = 1; k <= m_net.conflict.size(); ++k) {
        const ConflictRecord& record = m_net.conflict[k - 1];
        if (!isCase4(record)) {
            continue;
        }
        for (double t : record.trancont) {
            if (apartenenta(t, grup.tranzitie) == kFound) {
                grup.conflicte.push_back(static_cast<double>(k));
                grup.nr_conflict.push_back(static_cast<double>(k));
                grup.tran_conflict.push_back(t);
                grup.tran_grup.push_back(t);
                const double ratio = sharingOf(record.pozitie, t);
                if (ratio != 0.0) {
                    grup.sharing.push_back(ratio);
                }
            }
        }
    }
}

// The levels depend on the net's structure only: they are worked out in the
// first state and kept.
void Algorithm::assignLevels()
{
    if (!m_levels) {
        std::vector<std::vector<double>> priorities;
        for (const ConflictRecord& record : m_net.conflict) {
            priorities.push_back(record.prioritate.values());
        }
        std::vector<std::vector<LevelEntry>> subnets;
        for (const Grup& grup : m_grup) {
            std::vector<LevelEntry>& entries = subnets.emplace_back();
            for (std::size_t i = 1; i <= grup.conflicte.size(); ++i) {
                const auto k = static_cast<std::size_t>(grup.conflicte(i));
                if (entries.empty() || entries.back().conflict != k - 1) {
                    entries.push_back(LevelEntry{k - 1, {}});
                }
                const Apartenenta1 found = apartenenta1(grup.tran_conflict(i), m_net.conflict[k - 1].tranzitii);
                entries.back().positions.push_back(found.loc - 1);
            }
        }
        const int maxPasses = kMaxLevelPasses + static_cast<int>(m_grup.size());
        m_levels = subnetLevels(std::move(priorities), subnets, maxPasses);
        if (!m_levels) {
            throw RunStopped{"the priority levels of the subnets did not settle after " +
                             std::to_string(maxPasses) +
                             " passes (conflicts rank the same subnets in opposite orders)"};
        }
        Vec nivele;
        Vec retele;
        for (std::size_t q = 1; q <= m_grup.size(); ++q) {
            m_grup[q - 1].prioritate_retea = m_levels->at(q - 1);
            nivele.push_back(m_grup[q - 1].prioritate_retea);
            retele.push_back(static_cast<double>(q));
        }
        const Aranjare4 prioritate = aranjare4(nivele, retele);
        for (double level : aranjare(nivele)) {
            PriorityLevel& entry = m_priorityLevels.emplace_back();
            entry.level = level;
            for (double position : egalitate(level, prioritate.sir)) {
                entry.retele.push_back(prioritate.b(static_cast<std::size_t>(position)));
            }
        }
    }
}

void Algorithm::writeSubnets()
{
    for (std::size_t q = 1; q <= m_grup.size() && m_r.active(); ++q) {
        Grup& grup = m_grup[q - 1];
        describeSubnet(grup);
        m_r += "<B>The <font color=cc0000>SUBNET " + formatD(static_cast<double>(q)) +
               " </font color> has the priority " + formatD(grup.prioritate_retea) + "</B> ";
        for (double ratio : grup.sharing) {
            m_r += "and sharing &szlig=" + formatD(ratio);
        }
        m_r += "<br>";
        for (std::size_t i = 1; i <= grup.pozitie.size(); ++i) {
            m_r += grup.marcaj(i) == kZeroPlus
                       ? "m(P<sub>" + formatD(grup.pozitie(i)) + "</sub>)=  0<sup>+</sup><br>"
                       : "m(P<sub>" + formatD(grup.pozitie(i)) + "</sub>) =  " + f2(grup.marcaj(i)) +
                             " <br>";
        }
        m_r += "and the transitions: <br>";
        for (std::size_t j = 1; j <= grup.tranzitie.size(); ++j) {
            m_r += "T<sub>" + formatD(grup.tranzitie(j)) + "</sub> with maximal speed " +
                   (grup.viteze(j) == kInfiniteSpeed ? std::string("inf") : f2(grup.viteze(j))) +
                   " <br>";
        }
        m_r += "The conflicts:\t \t";
        if (grup.conflict.empty()) {
            m_r += "This subnet does not have  conflicts. ";
        }
        for (const GrupConflict& conflict : grup.conflict) {
            m_r += "The place P<sub>" + formatD(conflict.pozitie) + "</sub> with transitions:\t";
            for (std::size_t j = 1; j <= conflict.tranzitie.size(); ++j) {
                m_r += "T<sub>" + formatD(conflict.tranzitie(j)) + "</sub> with priority level  " +
                       formatD(conflict.prioritate(j)) +
                       (j < conflict.tranzitie.size() ? " \t , " : " \t ");
            }
        }
        m_r += "<B><br>The PRE incidence matrix is:</B>";
        writeMatrix(m_r, grup.pre, "<TABLE><tr>", "</tr> </TABLE>");
        m_r += "<br><B>The POST incidence matrix is: </B><br>";
        writeMatrix(m_r, grup.post, "<TABLE><tr>", "</tr> </TABLE>");
    }
}

}  // namespace mixsim
