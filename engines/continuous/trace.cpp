// Shared pieces of the long report.
#include "engines/continuous/trace.h"

#include <charconv>
#include <cmath>

#include "engines/continuous/number_format.h"

namespace flowrun {

namespace {

void appendNumber(std::string& text, std::size_t number)
{
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

}  // namespace

std::string memberList(const Flags& members, const char* letter)
{
    std::string text;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i])
            appendMember(text, i, letter);
    }
    return text.empty() ? "empty" : text;
}

std::string memberList(const std::vector<int>& members, const char* letter)
{
    std::string text;
    for (int i : members)
        appendMember(text, static_cast<std::size_t>(i), letter);
    return text.empty() ? "empty" : text;
}

void appendMember(std::string& text, std::size_t index, const char* letter)
{
    if (!text.empty())
        text += ", ";
    text += letter;
    text += "<sub>";
    appendNumber(text, index + 1);
    text += "</sub>";
}

std::string speedList(const Vector& speeds, const Flags& members)
{
    std::string text;
    for (std::size_t t = 0; t < speeds.size(); ++t) {
        if (!members.empty() && !members[t])
            continue;
        if (!text.empty())
            text += ", ";
        text += "v<sub>";
        appendNumber(text, t + 1);
        text += "</sub>&nbsp;=&nbsp;";
        text += integerForm(speeds[t], "%6.4f");
    }
    return text.empty() ? "none" : text;
}

std::string indentation(const std::string& prefix)
{
    std::string text;
    for (char c : prefix)
        text += c == ' ' ? "&nbsp;" : std::string(1, c);
    return text;
}

void stepLine(Report& report, const std::string& prefix, const std::string& heading, const std::string& text)
{
    report << "<br>" << indentation(prefix) << "<font color=#aa0000><b>" << heading << "</b></font> - " << text
           << "\n<br>\n";
}

void textLine(Report& report, const std::string& prefix, const std::string& text)
{
    report << indentation(prefix) << "&nbsp; " << text << "\n<br>\n";
}

int wholeTop(const Vector& level, const Flags& members)
{
    Real top = 0;
    for (std::size_t t = 0; t < level.size(); ++t) {
        if (members[t] && level[t] > top)
            top = level[t];
    }
    return static_cast<int>(std::floor(top));
}

}  // namespace flowrun
