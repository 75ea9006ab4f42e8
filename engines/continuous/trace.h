// Small text pieces of the long report shared by the algorithms.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/report.h"

namespace flowrun {

// "T<sub>1</sub>, T<sub>3</sub>" (or "P<sub>..</sub>"), "empty" for no member.
std::string memberList(const Flags& members, const char* letter);
// The same for the members given by index, in increasing order.
std::string memberList(const std::vector<int>& members, const char* letter);
// Appends one member ("T<sub>3</sub>" for the 0-based index 2) after a ", " when text is not empty.
void appendMember(std::string& text, std::size_t index, const char* letter);
// "v<sub>1</sub>&nbsp;=&nbsp;2, ..." for the members (every entry when members is empty).
std::string speedList(const Vector& speeds, const Flags& members = {});
// Non-breaking spaces for the prefix of a report line.
std::string indentation(const std::string& prefix);
// One report line: prefix, a step heading in red, and the text after it.
void stepLine(Report& report, const std::string& prefix, const std::string& heading, const std::string& text);
void textLine(Report& report, const std::string& prefix, const std::string& text);
int wholeTop(const Vector& level, const Flags& members);

}  // namespace flowrun
