// The head of the hybrid report, literal by literal.
#include "engines/hybrid/driver.h"
#include "engines/hybrid/report_head.h"
#include "tests/engines/hybrid/data_text.h"

#include <gtest/gtest.h>

namespace mixsim {
namespace {

using testing::NetText;

std::string reportOf(const NetText& text)
{
    EngineRunResult result = startRun(text.text());
    EXPECT_TRUE(result.run.has_value()) << result.error;
    ReportText report;
    if (result.run) {
        writeReportHead(report, result.run->net);
    }
    return report.pending();
}

std::string cell(const char* value)
{
    return std::string("<td aling=\"\"center\"\">") + value + "&nbsp \t</td>";
}

TEST(ReportHead, WritesEveryLiteralInOrder)
{
    // P1 discrete, P2 continuous at 0+; T1 discrete (duration 2.5), T2
    // continuous; P1 -> T1, T2 with equal priorities and ratios 1 and 2.
    NetText text;
    text.title = "Two places";
    text.P = 2;
    text.T = 2;
    text.pozdis = {1};
    text.trandis = {1};
    text.pre = {{1, 1}, {0, 0}};
    text.post = {{0, 0}, {2, 0.5}};
    text.marcaj = {2, -1};
    text.valori = {2.5, 3};
    text.conflicte = {1, 1, 1, 2};

    const std::string expected =
        std::string("<title>Hybrid Petri Nets</title>") + "<BODY BGCOLOR=\"#FFFF99\">" +
        "<blockquote><blockquote><blockquote><b><h3>Title: Two"
        "</blockquote></blockquote></blockquote>" +
        "</b></h3><table><tr><td><font color=#0000aa><B>The number of places is: 2</B></td></tr> " +
        "<tr><td><font color=#cc0000><B>The number of discrete places is: 1</B></td></tr> " +
        "<tr><td>\n<B>The number of transitions is: 2</B>\n</td></tr>" +
        "<tr><td><font color=#cc0000>\n<B>The number of discrete transitions is: 1</B>\n"
        "</td></tr></table>" +
        "<B>The PRE incidence matrix is::</B>" + "<TABLE><tr>" + cell("1.0") + cell("1.0") +
        "</tr> </TABLE>" + "<TABLE><tr>" + cell("0.0") + cell("0.0") + "</tr> </TABLE>" +
        "<B> The POST incidence matrix is:</B>" + "<TABLE><tr>" + cell("0.0") + cell("0.0") +
        "</tr> </TABLE>" + "<TABLE><tr>" + cell("2.0") + cell("0.5") + "</tr> </TABLE>" +
        "<B>The incidence matrix(W) is:</B>" + "<table><tr>" + cell("-1.0") + cell("-1.0") +
        "</tr> </table>" + "<table><tr>" + cell("2.0") + cell("0.5") + "</tr> </table>" +
        "<font color=#cc0000><B>The discrete places are:  &nbspP<sup> D</sup> =&nbsp</B>{&nbsp;" +
        "P<sub>1</sub>\t" + "}</font color>\n<br>" +
        "<B>The continuous places are:  &nbspP<sup> C</sup> =&nbsp</B>{&nbsp;" +
        "P<sub>2</sub>\t" + "}\n<br>" + "\n<br>" +
        "<font color=#cc0000><B>The discrete marking is:  m<sub>0</sub><sup>D</sup>&nbsp; "
        "=&nbsp;</B>[&nbsp;" +
        "2\t" + "]</font color>\n<br>" +
        "<B>The continuous marking is:  m<sub>0</sub><sup>C</sup>&nbsp; =&nbsp;</B>[&nbsp;" +
        "0.00\t" + "]\n<br>" + "\n<br>" +
        "<font color=#cc0000><B>The discrete transitions are:  &nbspT<sub>d</sub> "
        "=&nbsp;</B>{&nbsp" +
        "T<sub> 1</sub>\t " + "}</font color>\n<br>" +
        "<B>The continuous transitions are:  &nbspT<sub>c</sub> =&nbsp;</B>{&nbsp;" +
        "T<sub>2</sub>\t" + "}\n<br>" + "\n<br>" +
        "<font color=#cc0000><B>The timing of the discrete transitions :  T<sub>d</sub>&nbsp; "
        "=&nbsp;</B>{&nbsp;" +
        "T<sub>1</sub>=2.500000e+00\t" + "}</font color>\n<br>" +
        "<B>The flow rates of the continuous transitions :  T<sub>c</sub>&nbsp "
        "=&nbsp</B>{&nbsp;" +
        "U<sub>2</sub>=3.00\t\t" + "}\n<br>" + "<B><br>The conflicts :<br>" +
        "<font color=#cc0000><B>1) </font color></B>" +
        " Place P<sub>1</sub>(<font color=#cc3333>discrete</font color>) with transitions " +
        " T<sub>1</sub>(<font color=#cc0000><B>discreta</font color></B>)" +
        " T<sub>2</sub>(<font color=#cc0000><B>continua</font color></B>)" +
        " is a conflict of <font color=#cc0033><B> Case 3 <br></font color></B>" +
        "<B>The priorities of the conflicts and  sharing &szlig(if exists):</B><br>" +
        "<font color=#cc0000><B>1) </font color></B>" + " level 1" + " level 1" + "<br>" +
        "T<sub>2</sub>" + " with sharing &szlig<sub>2</sub>=2<br>" + "<br>" + "<br>" +
        "T<sub>1</sub>" + " with sharing &szlig<sub>1</sub>=1<br>" + "<br>" +
        "<div align=\"center\"><font color=#000099><h2><B>ALGORITHM 6.1</font color></h2></B></div>" +
        "&nbsp";
    EXPECT_EQ(reportOf(text), expected);
}

// No discrete place, one discrete transition T1 and one continuous T2, no conflict.
NetText withoutDiscretePlaces()
{
    NetText text;
    text.P = 1;
    text.T = 2;
    text.trandis = {1};
    text.pre = {{1, 0}};
    text.post = {{0, 1}};
    text.marcaj = {4};
    text.valori = {1, 2};
    return text;
}

TEST(ReportHead, EmptySetsWriteNothingBetweenTheBraces)
{
    const std::string report = reportOf(withoutDiscretePlaces());
    EXPECT_NE(report.find("P<sup> D</sup> =&nbsp</B>{&nbsp;}</font color>\n<br>"),
              std::string::npos);
    EXPECT_NE(report.find("m<sub>0</sub><sup>D</sup>&nbsp; =&nbsp;</B>[&nbsp;]</font color>"),
              std::string::npos);
    EXPECT_NE(report.find("[&nbsp;4.00\t]"), std::string::npos);

    NetText allDiscrete = withoutDiscretePlaces();
    allDiscrete.trandis = {1, 2};
    const std::string discrete = reportOf(allDiscrete);
    EXPECT_NE(discrete.find("T<sub>c</sub> =&nbsp;</B>{&nbsp;}\n<br>"), std::string::npos);
    EXPECT_NE(discrete.find("T<sub>c</sub>&nbsp =&nbsp</B>{&nbsp;}\n<br>"), std::string::npos);
}

TEST(ReportHead, ANetWithoutConflictsSaysSoAndListsNoPriorities)
{
    const std::string report = reportOf(withoutDiscretePlaces());
    const std::string tail = "<B><br>The conflicts :<br>This net does not have  conflicts.<br> "
                             "<div align=\"center\"><font color=#000099><h2><B>ALGORITHM 6.1"
                             "</font color></h2></B></div>&nbsp";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

}  // namespace
}  // namespace mixsim
