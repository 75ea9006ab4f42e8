// Input file reading with the conflict block and the echo into the long report.
#include "engines/continuous/net_reader.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "engines/continuous/number_format.h"
#include "engines/continuous/token_reader.h"

namespace flowrun {
namespace {

// The token's value as the engine holds it; beyond the range of a Real it becomes an infinity,
// which the checks below refuse.
Real realOf(std::string_view token)
{
    const double value = parseReal(token);
    if (std::isfinite(value) && std::fabs(value) > static_cast<double>(std::numeric_limits<Real>::max()))
        return value < 0 ? -std::numeric_limits<Real>::infinity() : std::numeric_limits<Real>::infinity();
    return static_cast<Real>(value);
}

void readMatrix(TokenReader& tokens, Matrix& matrix)
{
    for (int p = 0; p < matrix.rows(); ++p) {
        for (int t = 0; t < matrix.cols(); ++t)
            matrix(p, t) = realOf(tokens.next());
    }
}

void readConflicts(TokenReader& tokens, ContinuousNet& net)
{
    for (int p = 0; p < net.n; ++p) {
        // Only output transitions of the place get a priority there, so only they can pair.
        const std::vector<int>& outputs = net.arcs.consumers[p];
        if (outputs.size() == 1)
            net.priority(p, outputs.front()) = 0;
        if (outputs.size() < 2)
            continue;
        for (int t : outputs)
            net.priority(p, t) = realOf(tokens.next());
        // Each member of an equal-priority class gets its ratio at the first pair holding it;
        // a ratio read as 0 is read again at the next pair.
        for (std::size_t i = 0; i + 1 < outputs.size(); ++i) {
            for (std::size_t j = i + 1; j < outputs.size(); ++j) {
                const int t1 = outputs[i];
                const int t2 = outputs[j];
                if (net.priority(p, t1) != net.priority(p, t2) || net.priority(p, t1) == -1)
                    continue;
                if (net.shareRatio(p, t1) == 0)
                    net.shareRatio(p, t1) = realOf(tokens.next());
                if (net.shareRatio(p, t2) == 0)
                    net.shareRatio(p, t2) = realOf(tokens.next());
            }
        }
    }
}

// A value the engine can compute with: finite once held as a Real, and 0 or more unless it is
// the field's code (-1).
bool acceptable(Real value, bool codeAllowed)
{
    return std::isfinite(value) && (value >= 0 || (codeAllowed && value == -1));
}

std::string shown(Real value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// The first value of the net that cannot be simulated, described; empty when all are sound.
std::string firstBadValue(const ContinuousNet& net)
{
    const char* allowed = ": it must be a finite number, 0 or more";
    const auto place = [](int p) { return "P" + std::to_string(p + 1); };
    const auto transition = [](int t) { return "T" + std::to_string(t + 1); };
    for (int p = 0; p < net.n; ++p) {
        for (int t = 0; t < net.m; ++t) {
            if (!acceptable(net.pre(p, t), false))
                return "The weight of the arc from " + place(p) + " to " + transition(t) + " is " +
                       shown(net.pre(p, t)) + allowed + ".";
            if (!acceptable(net.post(p, t), false))
                return "The weight of the arc from " + transition(t) + " to " + place(p) + " is " +
                       shown(net.post(p, t)) + allowed + ".";
        }
    }
    for (int p = 0; p < net.n; ++p) {
        if (!acceptable(net.m0[p], true))
            return "The initial marking of P" + std::to_string(p + 1) + " is " + shown(net.m0[p]) + allowed +
                   ", or -1 for 0+.";
    }
    for (int t = 0; t < net.m; ++t) {
        if (!acceptable(net.maxSpeed[t], true))
            return "The maximal speed of T" + std::to_string(t + 1) + " is " + shown(net.maxSpeed[t]) + allowed +
                   ", or -1 for an infinite speed.";
    }
    return {};
}

std::string firstBadConflictValue(const ContinuousNet& net)
{
    for (int p = 0; p < net.n; ++p) {
        for (int t = 0; t < net.m; ++t) {
            const auto at = [p, t] { return "T" + std::to_string(t + 1) + " at P" + std::to_string(p + 1); };
            if (!std::isfinite(net.priority(p, t)))
                return "The priority of " + at() + " is not a finite number.";
            if (!acceptable(net.shareRatio(p, t), false))
                return "The sharing ratio of " + at() + " is " + shown(net.shareRatio(p, t)) +
                       ": it must be a finite number, 0 or more.";
        }
    }
    return {};
}

void echoIncidence(const ContinuousNet& net, Report& report)
{
    report << "The incidence matrix (W) is:\n<font color=0000aa>\n<table border=0>\n";
    for (int p = 0; p < net.n && report.active(); ++p) {
        report << "<tr>\n";
        for (int t = 0; t < net.m; ++t)
            report << "<td align=center><b>&nbsp;<font color=#0000aa>" << integerForm(net.incidence(p, t), "%4.2f")
                   << "</td>\n";
        report << "\n</tr>";
    }
    report << "\n</table>\n</font>\n";
}

void echoMarking(const ContinuousNet& net, Report& report)
{
    report << "Introduce the initial state: <font color=#0000aa>M<sub>0</sub>&nbsp;=&nbsp;[&nbsp;";
    for (int p = 0; p < net.n; ++p) {
        report << markingText(net.m0[p], "%4.2f", "0+") << (p + 1 < net.n ? ", " : " ");
    }
    report << "]\n</font><br>\n";
}

void echoSpeeds(const ContinuousNet& net, Report& report)
{
    report << "Introduce the maximal transition speed: <font color=#0000aa>V<sub>j</sub>&nbsp;=&nbsp;[&nbsp;";
    for (int t = 0; t < net.m; ++t)
        report << integerForm(net.maxSpeed[t], "%4.2f") << (t + 1 < net.m ? ", " : " ");
    report << "]\n</font><br>";
}

}  // namespace

std::string_view splitTitle(std::string_view content, std::string& title)
{
    std::size_t end = content.find('\n');
    end = end == std::string_view::npos ? content.size() : end + 1;
    if (end > kTitleLength)
        end = kTitleLength;
    title.assign(content.substr(0, end));
    return content.substr(end);
}

ReadOutcome readNet(std::string_view content, ContinuousNet& net, Report& longReport)
{
    TokenReader tokens(splitTitle(content, net.title));
    if (tokens.empty())
        return {false, "The input file holds no net: no numbers were found after the title."};

    const long long places = parseCount(tokens.next());
    longReport << "<h4>Introduce the number of places:\n ";
    longReport.format("<font color=#0000aa>%lld</font>\n<br>", places);
    const long long transitions = parseCount(tokens.next());
    longReport << "Introduce the number of transitions:\n ";
    longReport.format("<font color=#0000aa>%lld</font>\n<br>", transitions);

    if (places < 0 || transitions < 0)
        return {false, "The number of places or transitions is negative."};
    if (places == 0 && transitions == 0)
        return {false, "The net has neither places nor transitions."};
    if (places > kMaxPlaces || transitions > kMaxTransitions || places * transitions > kMaxMatrixCells) {
        return {false, "The net is too large: at most " + std::to_string(kMaxPlaces) + " places, " +
                           std::to_string(kMaxTransitions) + " transitions and " +
                           std::to_string(kMaxMatrixCells) + " place-transition pairs are simulated."};
    }

    // Matrices, markings and speeds must all be present; only the conflict data may run short,
    // its missing values repeating the last token.
    const long long declared = 2 + 2 * places * transitions + places + transitions;
    if (static_cast<long long>(tokens.size()) < declared) {
        return {false, "The input file ends early: " + std::to_string(places) + " places and " +
                           std::to_string(transitions) + " transitions need " + std::to_string(declared) +
                           " numbers, the file holds " + std::to_string(tokens.size()) + "."};
    }

    net.resize(static_cast<int>(places), static_cast<int>(transitions));
    readMatrix(tokens, net.pre);
    readMatrix(tokens, net.post);
    for (Real& marking : net.m0)
        marking = realOf(tokens.next());
    for (Real& speed : net.maxSpeed)
        speed = realOf(tokens.next());
    if (std::string bad = firstBadValue(net); !bad.empty())
        return {false, bad};
    net.indexArcs();
    echoIncidence(net, longReport);
    echoMarking(net, longReport);
    echoSpeeds(net, longReport);
    longReport << "\n</font>\n";
    readConflicts(tokens, net);
    if (std::string bad = firstBadConflictValue(net); !bad.empty())
        return {false, bad};
    return {true, {}};
}

}  // namespace flowrun
