// The closing sections of "results_hybrid.htm" and the brief hybrid report.
#include "engines/hybrid/report_tail.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/print_format.h"
#include "engines/hybrid/sorting.h"

namespace mixsim {

namespace {

constexpr const char* kIndent = " &nbsp; &nbsp; &nbsp; &nbsp; &nbsp;";

// `item(value)` then `separator` for all but the last, `last` after the last.
template <class Item>
std::string list(const Vec& values, Item item, const char* separator, const char* last)
{
    std::string text;
    for (std::size_t i = 1; i <= values.size(); ++i) {
        text += item(values(i));
        text += i < values.size() ? separator : last;
    }
    return text;
}

std::string f2(double value)
{
    return formatReal("%.2f", value);
}

std::string continuousMarking(const Vec& values)
{
    std::string text;
    for (std::size_t i = 1; i <= values.size(); ++i) {
        const bool last = i == values.size();
        text += values(i) == kZeroPlus ? (last ? "0<sup>+</sup>  " : "0<sup>+</sup> , ")
                                       : formatReal("%0.2f", values(i)) + (last ? "  " : " , ");
    }
    return text;
}

void writeState(ReportText& r, const SimulationResult& result, std::size_t g)
{
    const IbState& state = result.IB[g - 1];
    r += std::string(" )<br>") + kIndent + "Residual times = ( ";
    for (const Residual& residual : state.residual) {
        if (residual.timp.empty()) {
            r += " <font size=5>&oslash</font size>  ";
            continue;
        }
        r += " " + f2(residual.timp(1)) + "  ";
        for (std::size_t i = 2; i <= residual.timp.size(); ++i) {
            r += "/" + f2(residual.timp(i)) + "  ";
        }
    }
    r += " )<br>";
    r += "<br><font color=#0000aa>IB-state " + formatD(static_cast<double>(g - 1)) +
         " </font color=#0000aa>";
    const auto whole = [](double v) { return "  " + formatD(v); };
    const auto real = [](double v) { return "  " + f2(v); };
    r += std::string("<br>") + kIndent + "Discrete markink m<sup>D</sup> = ( " +
         list(state.marcaj, whole, " , ", "  ");
    r += std::string(" )<br>") + kIndent + "Enabling vector e<sup>D</sup> = ( " +
         list(state.enable, whole, " , ", "  ");
    r += std::string(" )<br>") + kIndent + "Speed vector v = ( " + list(state.viteze, real, " , ", "  ");
    r += " )<br>";
}

// The events at the time of state g: firings, changes of enabling degree and
// places that became empty.
void writeEventList(ReportText& r, const StateEvents& events, const char* indent)
{
    if (!events.fired.empty()) {
        const Numarare counted = numarare(events.fired);
        r += std::string(indent) + "firing of [ ";
        for (std::size_t i = 1; i <= counted.vector.size(); ++i) {
            r += "(T<sub>" + formatD(counted.vector(i)) + "</sub>)<sup>" +
                 formatD(counted.aparitie(i)) + "</sup> ";
        }
        r += "]<br>";
    }
    for (double t : aranjare(events.enableChanged)) {
        r += std::string(indent) + "changes the enable degre of transition T<sub>" + formatD(t) +
             "</sub><br>";
    }
    for (double p : events.emptied) {
        r += std::string(indent) + "m<sub>" + formatD(p) + "</sub>=0<br>";
    }
}

void writeEvents(ReportText& r, const SimulationResult& result, std::size_t g)
{
    const IbState& state = result.IB[g - 1];
    const StateEvents& events = result.events[g - 1];
    r += "<br> t=" + formatReal("%0.2f", state.timp) + " we have the events: <br>";
    writeEventList(r, events, kIndent);
    r += std::string(kIndent) + "m<sup>C,bef</sup> = ( " + continuousMarking(state.mc_before);
    r += std::string(" )<br>") + kIndent + "m<sup>C,aft</sup> = ( " + continuousMarking(state.mc_after);
}

// The evolution after a repetition: one compact block per state.
void writeCompactEvolution(ReportText& r, const SimulationResult& result)
{
    constexpr const char* kShortIndent = "&nbsp; &nbsp; &nbsp; ";
    const std::size_t N = result.IB.size();
    const auto whole = [](double v) { return "  " + formatD(v); };
    const auto real = [](double v) { return "  " + f2(v); };
    r += "<br> EVOLUTION OF IB-STATES<br>";
    for (std::size_t g = 1; g <= N && r.active(); ++g) {
        const IbState& state = result.IB[g - 1];
        r += "<br><br> <font color=#cc0000>t=" + formatD(state.timp) +
             " </font color=#cc0000>&nbsp;&nbsp;m<sup>C,bef</sup> = ( " + continuousMarking(state.mc_before);
        r += " )<br><font color=#0000aa>IB-state " + formatD(static_cast<double>(g - 1)) +
             " </font color=#0000aa><br>" + kShortIndent + "Discrete markink m<sup>D</sup> = ( " +
             list(state.marcaj, whole, " , ", "  ");
        r += std::string(" )<br>") + kShortIndent + "Enabling vector e<sup>D</sup> = ( " +
             list(state.enable, whole, " , ", "  ");
        r += std::string(" )<br>") + kShortIndent + "Speed vector v = ( " + list(state.viteze, real, " , ", "  ");
        if (g < N) {
            r += " )<br><br> <font color=#cc0000>t=" + formatReal("%0.2f", state.timp) +
                 " </font color=#cc0000> we have the events: <br>";
            writeEventList(r, result.events[g - 1], kShortIndent);
            r += std::string(kShortIndent) + "m<sup>C,aft</sup> = ( " + continuousMarking(state.mc_after);
        }
    }
    r += " )<br> <font color=#0000aa>IB-state " + formatD(result.stare_2) +
         " </font color=#0000aa> is identical with <font color=#0000aa>IB-state " +
         formatD(result.contor_2) + "</font color=#0000aa>";
}

}  // namespace

void writeReportTail(ReportText& r, const SimulationResult& result)
{
    if (result.end == RunEnd::kRepetition) {
        writeCompactEvolution(r, result);
        r += "</body>";
        return;
    }
    const std::size_t N = result.IB.size();
    const IbState& first = result.IB.front();
    const auto real = [](double v) { return f2(v); };
    r += "<br> EVOLUTION OF IB-STATES<br>";
    r += "<br><font color=#cc0000> t=" + formatD(first.timp) + " </font color=#cc0000><br>" + kIndent +
         "m<sup>C,bef</sup> = ( " + list(first.mc_before, real, " , ", "  ");
    r += std::string(" ) <br>") + kIndent + "m<sup>C,aft</sup> = ( " +
         list(first.mc_after, real, " , ", "  ");
    for (std::size_t g = 1; g <= N && r.active(); ++g) {
        writeState(r, result, g);
        if (g < N) {
            writeEvents(r, result, g);
        }
    }
    r += "</body>";
}

std::string shortReport(const HybridNet& net, const SimulationResult& result)
{
    std::string r = "<html>\n<body bgcolor=#bbbbcc>\n<b>\n";
    r += "<font color=#0055ff><br><b>OUTPUT DATA of " + net.names + ":</b></font><br>\n";
    const std::size_t N = result.IB.size();
    const auto whole = [](double v) { return formatD(v); };
    const auto real = [](double v) { return v == kZeroPlus ? std::string("0+") : f2(v); };
    for (std::size_t g = 1; g <= N; ++g) {
        const IbState& state = result.IB[g - 1];
        const double from = g == 1 ? 0.0 : result.IB[g - 2].timp;
        r += "<dir>\nIB-state " + formatD(static_cast<double>(g - 1)) + ", t from " + f2(from);
        if (g == 1) {
            r += " (initial state)";
        } else if (g < N || result.end == RunEnd::kRepetition) {
            r += " to " + f2(state.timp);
        } else if (result.end == RunEnd::kEvents) {
            r += " to infinite";
        } else if (result.end == RunEnd::kHorizon) {
            r += " on, past the horizon";
        }
        r += "<br>\nm<sup>D</sup> = ( " + list(state.marcaj, whole, ", ", " ") + ")<br>\n";
        r += "m<sup>C</sup> at its end = ( " + list(state.mc_before, real, ", ", " ") + ")<br>\n";
        r += "e<sup>D</sup> = ( " + list(state.enable, whole, ", ", " ") + ")<br>\n";
        r += "v = ( " + list(state.viteze, real, ", ", " ") + ")<br>\n</dir>\n";
    }
    switch (result.end) {
    case RunEnd::kEvents:
        r += "<br>No event is left: END.<br>\n";
        break;
    case RunEnd::kRepetition:
        r += "<br>IB-state " + formatD(result.stare_2) + " is identical with IB-state " +
             formatD(result.contor_2) + ": the evolution repeats from there.<br>\n";
        break;
    case RunEnd::kStopped:
        r += "<br>The simulation stopped: " + result.stopReason + "<br>\n";
        break;
    case RunEnd::kHorizon:
        r += "<br>The last event time is past the horizon t=" + f2(result.horizon) + ": END.<br>\n";
        break;
    }
    r += "<br>The speeds of the sub-nets took " + formatD(result.flowrunRuns) + " runs of flowrun.<br>\n";
    r += "</body></html>\n";
    return r;
}

}  // namespace mixsim
