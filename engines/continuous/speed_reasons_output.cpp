// The causes of the speeds in the long report and in "why.rez".
#include "engines/continuous/speed_reasons_output.h"

#include <algorithm>

#include "engines/continuous/number_format.h"

namespace flowrun {

std::string plainNames(const std::string& cause)
{
    std::string text = cause;
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '{' || c == '}'; }), text.end());
    return text;
}

void writeSpeedReasons(Report& report, const ContinuousNet& net, const std::vector<PhaseCauses>& phases)
{
    report << "<font color=#0055ff><br><br><b>WHY THESE SPEEDS:</b></font><br>\n";
    for (const PhaseCauses& phase : phases) {
        report.format("\n<br>&nbsp; PHASE %zu<br>\n", phase.state + 1);
        if (phase.causes.empty())
            report << "&nbsp; &nbsp; &nbsp; Every transition runs at its maximal speed.<br>\n";
        for (const SpeedCause& cause : phase.causes) {
            const Real maximum = net.maxSpeed[cause.transition];
            report.format("&nbsp; &nbsp; &nbsp; T%d runs at %s instead of %s: ", cause.transition + 1,
                          formatReal("%.6g", cause.speed).c_str(),
                          maximum < 0 ? "inf" : formatReal("%.6g", maximum).c_str());
            report << htmlEscape(plainNames(cause.cause)) << "<br>\n";
        }
    }
}

std::string speedReasonsFileText(const std::vector<PhaseCauses>& phases)
{
    std::string text;
    for (const PhaseCauses& phase : phases) {
        for (const SpeedCause& cause : phase.causes)
            text += std::to_string(phase.state) + '\t' + std::to_string(cause.transition + 1) + '\t' + cause.cause + '\n';
    }
    return text;
}

}  // namespace flowrun
