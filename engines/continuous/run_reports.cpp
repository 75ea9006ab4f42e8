// Text of the run sections of "results.htm" and of "short_results.htm".
#include "engines/continuous/run_reports.h"

#include <cmath>

#include "engines/continuous/groups.h"
#include "engines/continuous/number_format.h"

namespace flowrun {
namespace {

// Values joined by ", " with a final " ", as the marking and speed lines print them.
template <typename Format>
std::string joined(std::size_t count, Format format, const char* last = " ")
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += format(i) + (i + 1 < count ? ", " : last);
    return text;
}

std::string supMarking(Real value)
{
    return markingText(value, "%4.2f", "0<sup>+</sup>");
}

}  // namespace

void writeLongHead(Report& report, const std::string& title)
{
    report << "<HTML>\n<TITLE>Continuous Petri Nets</title>\n<body bgcolor=#ffffcc>\n";
    report << "\n<h2><font color=#996699><center>TITLE: '" << htmlEscape(title) << "'\n</center>\n<br>\n</font></h2>\n";
}

void writeLevelsAndGroups(Report& report, const ContinuousNet& net)
{
    report << "The global priority level is:  <font color=#0000aa>[ ";
    Real lowest = 0;
    for (int t = 0; t < net.m; ++t) {
        report.format(t + 1 < net.m ? "%d, " : "%d ", static_cast<int>(net.level[t]) + 1);
        lowest = std::max(lowest, net.level[t]);
    }
    report << "]\n</font>\n<br>";
    report.format("Lowest priority level is <font color=#0000aa>%d</font>\n<br>\n", static_cast<int>(lowest) + 1);
    report << "The groups are:<br>";
    for (int g = 0; g < groupCount(net.group); ++g) {
        report.format("G<sub>%d</sub> - <font color=#0000ff>", g + 1);
        for (int t = 0; t < net.m; ++t) {
            if (net.group[t] == g)
                report.format("T<sub>%d</sub>, ", t + 1);
        }
        report << "</font><br>\n";
    }
}

void writePhaseHeader(Report& report, std::size_t phase)
{
    report << "<br>=====================<br>\n";
    report.format("<font color=#772277><h3><b>PHASE %zu</h3></font><br>", phase);
}

void writePhaseResult(Report& report, std::size_t phase, const Vector& v, const Vector& B, const PhaseUpdate& update,
                      const Vector& newMarking)
{
    report << "<font color=#aa0000><b><br>ALGORITHM 5.3 - STEP 8.1<b></font></font> - Setting the instantaneous speed vector\n<br>\n";
    report << "&nbsp; The speed vector is: V&nbsp;=&nbsp;<font color=#0000aa>[&nbsp;"
           << joined(v.size(), [&v](std::size_t t) { return integerForm(v[t], "%6.4f"); }) << " ]</font>\n<br>\n";
    report << "<font color=#aa0000><b><br>ALGORITHM 5.3 - STEP 9.2</b></font> - Computing the duration of the phase\n<br>\n";
    report << "&nbsp; The balance for calculated speeds is: <font color=#0000aa>B&nbsp;=&nbsp;[&nbsp;"
           << joined(B.size(), [&B](std::size_t p) { return integerForm(B[p], "%4.2f"); }) << " ]\n</font>\n<br>\n";
    if (update.duration <= 0)
        return;
    report.format("&nbsp; The phase duration is <font color=#0000aa>%4.2f</font>\n<br>\n", static_cast<double>(update.duration));
    report.format("&nbsp; The new marking is:\n<br>\n&nbsp; &nbsp; &nbsp; <font color=#0000aa>M<sub>%zu</sub>&nbsp;=&nbsp;[&nbsp;", phase);
    report << joined(newMarking.size(), [&newMarking](std::size_t p) { return supMarking(newMarking[p]); })
           << "]\n</font><br>\n";
    report << "&nbsp; Places whose marking have been anulled are: <font color=#0000aa>";
    for (std::size_t p = 0; p < update.annulled.size(); ++p) {
        if (update.annulled[p])
            report.format("P%zu, ", p + 1);
    }
    report << "\n</font>\n<br>\n";
}

void writePhaseSummary(Report& report, std::size_t phase, const Vector& start, const Vector& v, Real duration,
                       const Vector& newMarking)
{
    const char* indent = "&nbsp; &nbsp; &nbsp; &nbsp; ";
    report << "\n<br>$$$$$$$$$\n<br><br>";
    report.format("%sPHASE %zu\n<br>", indent, phase);
    report.format("%sInitial marking for phase is: <font color=#0000aa>M<sub>%zu</sub>=[", indent, phase - 1);
    report << joined(start.size(), [&start](std::size_t p) { return supMarking(start[p]); }, "") << "]\n</font><br>\n";
    report << indent << "The speed vector for the phase is: <font color=#0000aa>V=["
           << joined(v.size(), [&v](std::size_t t) { return integerForm(v[t], "%4.2f"); }, "") << "]\n</font><br>\n";
    if (duration <= 0)
        report << indent << "The phase duration is infinite\n<br>";
    else
        report.format("%sThe phase duration is <font color=#0000aa>%f</font>\n<br>\n", indent, static_cast<double>(duration));
    report.format("%sFinal marking for phase is: <font color=#0000aa>M<sub>%zu</sub>=[", indent, phase);
    report << joined(newMarking.size(), [&newMarking](std::size_t p) { return supMarking(newMarking[p]); }, "")
           << "]\n</font><br>\n";
    report << "\n<br>$$$$$$$$$\n<br>\n";
}

void writeLastPhaseNotice(Report& report)
{
    report << "<font color=#ff0000><center>THIS IS THE LAST PHASE. ALL THE BALLANCES ARE NON-NEGATIVE</center></font>\n";
}

namespace {

// m_p(t) of one place over a state lasting from time `start`.
std::string markingFunction(Real initial, Real final, Real balance, Real start)
{
    if (final <= 0 && balance == 0)
        return final == 0 ? "0\n" : "0<sup>+</sup>\n";
    std::string text;
    const bool firstTerm = initial > 0;
    if (firstTerm)
        text += integerForm(initial, "%4.2f");
    if (balance != 0) {
        if (firstTerm)
            text += balance > 0 ? " + " : " - ";
        const Real magnitude = std::fabs(balance);
        if (magnitude != 1)
            text += integerForm(magnitude, "%4.2f") + "*";
        if (start > 0)
            text += "(";
        text += "t";
        if (start > 0)
            text += " - " + integerForm(start, "%4.2f") + ")";
    }
    return text;
}

}  // namespace

void writeBriefResults(Report& longReport, Report& briefReport, const std::string& title, const EngineRun& run)
{
    longReport << "<font color=#0055ff><br><br><b>BREEF RESULTS:</b></font><br>";
    briefReport << "<html>\n<body bgcolor=#bbbbcc>\n<b>\n";
    briefReport << "<font color=#0055ff><br><b>OUTPUT DATA of " << htmlEscape(title) << ":</b></font><br>";
    Real time = 0;
    for (std::size_t i = 0; i < run.states.size(); ++i) {
        const IbState& state = run.states[i];
        const Vector& next = run.marking(i + 1);
        const std::string timeText = i == 0 ? "0" : integerForm(time, "%4.2f");
        const std::string markings =
            joined(state.marking.size(), [&state](std::size_t p) { return supMarking(state.marking[p]); }, "");

        longReport << "\n<br><font color=#ff6600>================</font><br>";
        longReport.format("\n&nbsp; IB-state %zu<br>\n", i + 1);
        longReport << "\n&nbsp; &nbsp; &nbsp; Initial state <font color=#0000ff>M(" << timeText << ") = [" << markings
                   << " ]</font><br>";
        briefReport << "<dir>\nm(" << timeText << ") = (" << markings << ")</font><br></dir>";
        if (state.duration < 0)
            briefReport.format("IB-state %zu, t from %s to infinite", i + 1, integerForm(time, "%4.2f").c_str());
        else if (state.duration == 0)
            briefReport.format("IB-state %zu, t =0", i + 1);
        else
            briefReport.format("IB-state %zu, t from %s to %s", i + 1, integerForm(time, "%4.2f").c_str(),
                               integerForm(time + state.duration, "%4.2f").c_str());
        briefReport << "<dir>\n";
        const std::string speeds = joined(
            state.speeds.size(),
            [&state](std::size_t t) {
                return state.speeds[t] == kInfiniteSpeed ? std::string("inf") : integerForm(state.speeds[t], "%4.2f");
            },
            "");
        longReport << "\n&nbsp; &nbsp; &nbsp; The speed vector is <font color=#0000ff>V = [ " << speeds << " ]</font><br>";
        briefReport << "<font color=#0000ff>V = ( " << speeds << " )</font>\n<br>\n";
        for (std::size_t p = 0; p < state.marking.size(); ++p) {
            if (state.duration == 0) {
                briefReport.format("m<sub>%zu</sub>(t) =", p + 1);
                briefReport << integerForm(next[p], "%4.2f\n");
                if (std::trunc(next[p]) == next[p])
                    briefReport << "\n";
            } else {
                briefReport.format("m<sub>%zu</sub>(t) = ", p + 1);
                briefReport << markingFunction(state.marking[p], next[p], state.balances[p], time);
            }
            briefReport << "<br>\n";
        }
        briefReport << "<br>\n</dir>\n<br>\n";
        longReport << "&nbsp; &nbsp; &nbsp; The phase duration is <font color=#0000ff>"
                   << (state.duration < 0 ? std::string("infinite") : formatReal("%6.4f", state.duration))
                   << "</font><br>\n";
        longReport.format("\n&nbsp; &nbsp; &nbsp; The final state for the phase is: <font color=#0000ff>M<sub>%zu</sub> = [ ", i + 1);
        longReport << joined(next.size(), [&next](std::size_t p) { return supMarking(next[p]); }, "") << " ]</font><br>";
        if (state.duration >= 0)
            time += state.duration;
    }
    longReport << "</body></html>";
    briefReport << "</body></html>";
}

void writeFailure(Report& longReport, Report& briefReport, const std::string& message)
{
    const std::string line = "<br><font color=#ff0000><b>flowrun stopped: " + htmlEscape(message) + "</b></font><br>\n";
    longReport << line << "</body></html>";
    briefReport << "<html>\n<body bgcolor=#bbbbcc>\n" << line << "</body></html>";
}

}  // namespace flowrun
