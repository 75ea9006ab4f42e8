// The head of "results_hybrid.htm": the net as read, before the simulation.
#include "engines/hybrid/report_head.h"

#include "engines/hybrid/print_format.h"

#include <cmath>

namespace mixsim {

namespace {

// Writes `item(value, last)` for every value; nothing for an empty list.
template <class Item>
void writeList(ReportText& r, const Vec& values, Item item)
{
    for (std::size_t i = 1; i <= values.size(); ++i) {
        r += item(i, i == values.size());
    }
}

void writeCounts(ReportText& r, const HybridNet& net)
{
    r += "</b></h3><table><tr><td><font color=#0000aa><B>The number of places is: " +
         formatD(net.nr_poz) + "</B></td></tr> ";
    r += "<tr><td><font color=#cc0000><B>The number of discrete places is: " +
         formatD(net.nr_pozd) + "</B></td></tr> ";
    r += "<tr><td>\n<B>The number of transitions is: " + formatD(net.nr_tran) +
         "</B>\n</td></tr>";
    r += "<tr><td><font color=#cc0000>\n<B>The number of discrete transitions is: " +
         formatD(net.nr_trand) + "</B>\n</td></tr></table>";
}

void writeMatrices(ReportText& r, const HybridNet& net)
{
    r += "<B>The PRE incidence matrix is::</B>";
    writeMatrix(r, net.Pre, "<TABLE><tr>", "</tr> </TABLE>");
    r += "<B> The POST incidence matrix is:</B>";
    writeMatrix(r, net.Post, "<TABLE><tr>", "</tr> </TABLE>");
    r += "<B>The incidence matrix(W) is:</B>";
    writeMatrix(r, net.W, "<table><tr>", "</tr> </table>");
}

void writePlaces(ReportText& r, const HybridNet& net)
{
    const auto place = [](const Vec& set) {
        return [&set](std::size_t i, bool last) {
            return "P<sub>" + formatD(set(i)) + (last ? "</sub>\t" : "</sub>,\t");
        };
    };
    r += "<font color=#cc0000><B>The discrete places are:  &nbspP<sup> D</sup> =&nbsp</B>{&nbsp;";
    writeList(r, net.Pozdis, place(net.Pozdis));
    r += "}</font color>\n<br>";
    r += "<B>The continuous places are:  &nbspP<sup> C</sup> =&nbsp</B>{&nbsp;";
    writeList(r, net.Pozcont, place(net.Pozcont));
    r += "}\n<br>";
    r += "\n<br>";
}

void writeMarkings(ReportText& r, const HybridNet& net)
{
    r += "<font color=#cc0000><B>The discrete marking is:  m<sub>0</sub><sup>D</sup>&nbsp; "
         "=&nbsp;</B>[&nbsp;";
    writeList(r, net.md, [&net](std::size_t i, bool last) {
        return formatD(net.md(i)) + (last ? "\t" : ",\t");
    });
    r += "]</font color>\n<br>";
    r += "<B>The continuous marking is:  m<sub>0</sub><sup>C</sup>&nbsp; =&nbsp;</B>[&nbsp;";
    writeList(r, net.mc, [&net](std::size_t i, bool last) {
        return formatReal("%.2f", net.mc(i)) + (last ? "\t" : ",\t");
    });
    r += "]\n<br>";
    r += "\n<br>";
}

void writeTransitions(ReportText& r, const HybridNet& net)
{
    r += "<font color=#cc0000><B>The discrete transitions are:  &nbspT<sub>d</sub> "
         "=&nbsp;</B>{&nbsp";
    writeList(r, net.Trandis, [&net](std::size_t i, bool last) {
        return "T<sub> " + formatD(net.Trandis(i)) + (last ? "</sub>\t " : "</sub>,\t ");
    });
    r += "}</font color>\n<br>";
    r += "<B>The continuous transitions are:  &nbspT<sub>c</sub> =&nbsp;</B>{&nbsp;";
    writeList(r, net.Trancont, [&net](std::size_t i, bool last) {
        return "T<sub>" + formatD(net.Trancont(i)) + (last ? "</sub>\t" : "</sub>,\t");
    });
    r += "}\n<br>";
    r += "\n<br>";
}

void writeTransitionValues(ReportText& r, const HybridNet& net)
{
    r += "<font color=#cc0000><B>The timing of the discrete transitions :  "
         "T<sub>d</sub>&nbsp; =&nbsp;</B>{&nbsp;";
    writeList(r, net.td, [&net](std::size_t i, bool last) {
        return "T<sub>" + formatD(net.Trandis(i)) + "</sub>=" + formatD(net.td(i)) +
               (last ? "\t" : ",\t");
    });
    r += "}</font color>\n<br>";
    r += "<B>The flow rates of the continuous transitions :  T<sub>c</sub>&nbsp "
         "=&nbsp</B>{&nbsp;";
    writeList(r, net.U, [&net](std::size_t i, bool last) {
        return "U<sub>" + formatD(net.Trancont(i)) + "</sub>=" + formatReal("%2.2f", net.U(i)) +
               (last ? "\t\t" : ",\t\t");
    });
    r += "}\n<br>";
}

std::string conflictNumber(std::size_t k)
{
    return "<font color=#cc0000><B>" + formatD(static_cast<double>(k)) + ") </font color></B>";
}

void writeConflicts(ReportText& r, const HybridNet& net)
{
    r += "<B><br>The conflicts :<br>";
    if (!hasConflicts(net.conflict)) {
        r += "This net does not have  conflicts.<br> ";
        return;
    }
    for (std::size_t k = 1; k <= net.conflict.size(); ++k) {
        const ConflictRecord& record = net.conflict[k - 1];
        r += conflictNumber(k);
        r += " Place P<sub>" + formatD(record.pozitie) + "</sub>(<font color=#cc3333>" +
             tipPozitie(record.tippoz) + "</font color>) with transitions ";
        for (std::size_t j = 1; j <= record.tranzitii.size(); ++j) {
            r += " T<sub>" + formatD(record.tranzitii(j)) + "</sub>(<font color=#cc0000><B>" +
                 tipTranzitie(record.tiptran[j - 1]) + "</font color></B>)";
        }
        r += " is a conflict of <font color=#cc0033><B> Case " + formatD(record.tip) +
             " <br></font color></B>";
    }
}

void writeSharing(ReportText& r, const Vec& transitions, const Vec& values)
{
    for (std::size_t i = 1; i <= values.size(); ++i) {
        r += "T<sub>" + formatD(transitions(i)) + "</sub>";
        r += " with sharing &szlig<sub>" + formatD(transitions(i)) + "</sub>=" +
             formatD(values(i)) + "<br>";
    }
}

void writePriorities(ReportText& r, const HybridNet& net)
{
    if (!hasConflicts(net.conflict)) {
        return;
    }
    r += "<B>The priorities of the conflicts and  sharing &szlig(if exists):</B><br>";
    for (std::size_t k = 1; k <= net.conflict.size(); ++k) {
        const ConflictRecord& record = net.conflict[k - 1];
        r += conflictNumber(k);
        for (double level : record.prioritate) {
            r += " level " + formatD(level);
        }
        r += "<br>";
        writeSharing(r, record.tr_sharing, record.sharing);
        r += "<br>";
        r += "<br>";
        writeSharing(r, record.tr_sharing_dis, record.sharing_dis);
        r += "<br>";
    }
}

}  // namespace

void writeMatrix(ReportText& r, const Mat& m, const char* rowOpen, const char* rowClose)
{
    // Most cells repeat the value before them (0 in sparse nets): their text is kept.
    std::string cell;
    double cellValue = 0.0;
    for (std::size_t i = 1; i <= m.rows() && r.active(); ++i) {
        r += rowOpen;
        for (std::size_t j = 1; j <= m.cols(); ++j) {
            const double value = m(i, j);
            if (cell.empty() || value != cellValue || std::signbit(value) != std::signbit(cellValue)) {
                cell = "<td aling=\"\"center\"\">" + formatReal("%.1f", value) + "&nbsp \t</td>";
                cellValue = value;
            }
            r += cell;
        }
        r += rowClose;
    }
}

void writeReportHead(ReportText& report, const HybridNet& net)
{
    report += "<title>Hybrid Petri Nets</title>";
    report += "<BODY BGCOLOR=\"#FFFF99\">";
    report += "<blockquote><blockquote><blockquote><b><h3>Title: " + net.names +
              "</blockquote></blockquote></blockquote>";
    writeCounts(report, net);
    writeMatrices(report, net);
    writePlaces(report, net);
    writeMarkings(report, net);
    writeTransitions(report, net);
    writeTransitionValues(report, net);
    writeConflicts(report, net);
    writePriorities(report, net);
    report += "<div align=\"center\"><font color=#000099><h2><B>ALGORITHM 6.1</font "
              "color></h2></B></div>";
    report += "&nbsp";
}

}  // namespace mixsim
