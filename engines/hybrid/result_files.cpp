// The result files of a run: "Pos.dat", "Pos%d.dat", "Tran.dat", "Tran%d.dat".
#include "engines/hybrid/result_files.h"

#include "engines/hybrid/print_format.h"
#include "engines/hybrid/sets.h"

namespace mixsim {

namespace {

// Positions of places and transitions in the net's sets, by number.
struct NetPositions {
    explicit NetPositions(const HybridNet& net)
        : cont(net.Pozcont, static_cast<std::size_t>(net.nr_poz)),
          dis(net.Pozdis, static_cast<std::size_t>(net.nr_poz)),
          tranCont(net.Trancont, static_cast<std::size_t>(net.nr_tran)),
          tranDis(net.Trandis, static_cast<std::size_t>(net.nr_tran))
    {
    }
    PositionIndex cont;
    PositionIndex dis;
    PositionIndex tranCont;
    PositionIndex tranDis;
};

// Values of place p at step k (from IB(k) to IB(k+1)), appended in the
// runtime's forms: "%.2d" for a continuous place, "%d" for a discrete one.
class PlaceValues {
public:
    PlaceValues(const NetPositions& at, const SimulationResult& result) : m_at(at), m_IB(result.IB) {}

    void before(std::string& text, std::size_t p, std::size_t k) const
    {
        if (const std::size_t cont = m_at.cont(static_cast<double>(p))) {
            appendD2(text, m_IB[k - 1].mc_before(cont));
        } else {
            appendD(text, m_IB[k - 1].marcaj(m_at.dis(static_cast<double>(p))));
        }
    }

    void after(std::string& text, std::size_t p, std::size_t k) const
    {
        if (const std::size_t cont = m_at.cont(static_cast<double>(p))) {
            appendD2(text, m_IB[k - 1].mc_after(cont));
        } else {
            appendD(text, m_IB[k].marcaj(m_at.dis(static_cast<double>(p))));
        }
    }

    void finalRate(std::string& text, std::size_t p, const Vec& balanta) const
    {
        const std::size_t cont = m_at.cont(static_cast<double>(p));
        appendD(text, cont != 0 ? balanta(cont) : 0.0);
    }

private:
    const NetPositions& m_at;
    const std::vector<IbState>& m_IB;
};

double increment(const SimulationResult& result, std::size_t g)
{
    return result.IB[g - 1].timp - result.IB[g - 2].timp;
}

bool repeats(const SimulationResult& result)
{
    return result.end == RunEnd::kRepetition;
}

// The step after which the walk resumes at a repetition, counted in steps of
// "Pos.dat": a special state before it counts as two steps.
double resumeStep(const SimulationResult& result)
{
    int step = result.contor_2;
    for (int g = 2; g <= result.contor_2 + 1 && g <= static_cast<int>(result.IB.size()); ++g) {
        step += result.IB[static_cast<std::size_t>(g) - 1].special;
    }
    return step;
}

// The value of transition t for step k: its speed or enabling degree in IB(k+1).
double transitionValue(const NetPositions& at, const SimulationResult& result, double t, std::size_t k)
{
    const IbState& state = result.IB[k];
    if (const std::size_t cont = at.tranCont(t)) {
        return state.viteze(cont);
    }
    return state.enable(at.tranDis(t));
}

std::string placeFile(const NetPositions& at, const SimulationResult& result, std::size_t p)
{
    const PlaceValues values(at, result);
    const std::size_t N = result.IB.size();
    std::string text;
    appendD(text, static_cast<double>(N - 1 + static_cast<std::size_t>(result.adun_spec)));
    text += '\n';
    if (N < 2) {
        return text;
    }
    text += "0\n";
    for (std::size_t g = 2; g <= N; ++g) {
        const IbState& state = result.IB[g - 1];
        values.before(text, p, g - 1);
        text += '\n';
        if (state.special == 1) {
            appendD(text, state.mc_bef_spec(p));
            text += "\n00\n";
            appendD(text, state.mc_aft_spec(p));
            text += '\n';
        }
        values.after(text, p, g - 1);
        text += '\n';
        if (g < N) {
            appendD2(text, increment(result, g));
            text += '\n';
        } else if (repeats(result)) {
            appendD(text, resumeStep(result));
            text += '\n';
        } else {
            text += "-1\n";
            values.finalRate(text, p, result.balanta);
        }
    }
    return text;
}

std::string transitionFile(const NetPositions& at, const SimulationResult& result, double t)
{
    const std::size_t N = result.IB.size();
    std::string text;
    appendD(text, static_cast<double>(N - 1));
    text += '\n';
    if (N < 2) {
        return text;
    }
    text += "0\n";
    for (std::size_t g = 2; g <= N; ++g) {
        appendD(text, transitionValue(at, result, t, g - 1));
        text += '\n';
        if (g < N) {
            if (repeats(result)) {
                appendD2(text, increment(result, g));
            } else {
                appendD(text, increment(result, g));
            }
        } else {
            appendD(text, repeats(result) ? result.contor_2 : -1);
        }
        text += '\n';
    }
    return text;
}

}  // namespace

std::string placeTable(const HybridNet& net, const SimulationResult& result)
{
    const NetPositions at(net);
    const PlaceValues values(at, result);
    const auto P = static_cast<std::size_t>(net.nr_poz);
    const std::size_t N = result.IB.size();
    std::string text;
    appendD(text, static_cast<double>(N - 1 + static_cast<std::size_t>(result.adun_spec)));
    text += '\n';
    if (N < 2) {
        return text;
    }
    text += '0';
    for (std::size_t g = 2; g <= N; ++g) {
        const IbState& state = result.IB[g - 1];
        for (std::size_t p = 1; p <= P; ++p) {
            text += '\t';
            values.before(text, p, g - 1);
        }
        text += '\n';
        if (state.special == 1) {
            for (std::size_t p = 1; p <= P; ++p) {
                text += '\t';
                appendD(text, state.mc_bef_spec(p));
            }
            text += "\n00";
            for (std::size_t p = 1; p <= P; ++p) {
                text += '\t';
                appendD(text, state.mc_aft_spec(p));
            }
            text += '\n';
        }
        // At a repetition the last after row names the step the walk resumes after.
        if (g == N && repeats(result)) {
            appendD(text, resumeStep(result));
        }
        for (std::size_t p = 1; p <= P; ++p) {
            text += '\t';
            values.after(text, p, g - 1);
        }
        if (g < N) {
            text += '\n';
            appendD2(text, increment(result, g));
        } else if (!repeats(result)) {
            text += "\n-1";
            for (std::size_t p = 1; p <= P; ++p) {
                text += '\t';
                values.finalRate(text, p, result.balanta);
            }
        }
    }
    return text;
}

// One row per event time: for step 1 and for every step that takes time,
// the values after the last step at that same time. Steps that take no time
// (and the second step of a special state) have no row of their own. A last
// line holds -1 (end of events) or the step the walk resumes after (repetition).
std::string transitionTable(const HybridNet& net, const SimulationResult& result)
{
    const std::size_t N = result.IB.size();
    std::vector<std::size_t> rows;  // for each row, the last step of its time
    for (std::size_t k = 1; k + 1 <= N; ++k) {
        if (k == 1 || increment(result, k) != 0.0) {
            rows.push_back(k);
        } else {
            rows.back() = k;
        }
    }
    const NetPositions at(net);
    std::string text;
    appendD(text, static_cast<double>(rows.size()));
    text += '\n';
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r == 0) {
            text += '0';
        } else {
            appendD2(text, increment(result, rows[r - 1] + 1));
        }
        for (int t = 1; t <= net.nr_tran; ++t) {
            text += '\t';
            appendD(text, transitionValue(at, result, t, rows[r]));
        }
        text += '\n';
    }
    if (!rows.empty()) {
        appendD(text, repeats(result) ? resumeStep(result) : -1);
    }
    return text;
}

bool forEachResultFile(const HybridNet& net, const SimulationResult& result,
                       const std::function<bool(const NamedText&)>& take)
{
    const NetPositions at(net);
    if (!take({"Pos.dat", placeTable(net, result)})) {
        return false;
    }
    for (int p = 1; p <= net.nr_poz; ++p) {
        if (!take({"Pos" + std::to_string(p) + ".dat", placeFile(at, result, static_cast<std::size_t>(p))})) {
            return false;
        }
    }
    if (!take({"Tran.dat", transitionTable(net, result)})) {
        return false;
    }
    for (int t = 1; t <= net.nr_tran; ++t) {
        if (!take({"Tran" + std::to_string(t) + ".dat", transitionFile(at, result, t)})) {
            return false;
        }
    }
    return true;
}

}  // namespace mixsim
