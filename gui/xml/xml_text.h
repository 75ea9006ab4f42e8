// Byte-level helpers of the XML library: escapes and case-insensitive name comparison.
#pragma once

#include <string>
#include <string_view>

namespace tokarium {

// Keeps digits, ASCII letters, space, "-", "+" and "."; writes every other byte as "&#<0-255>;".
std::string xmlEscape(std::string_view text);

// Replaces "&#digits;" (or "&#digits" at the end of the text) with the byte of that decimal value
// (0 when unparsable); every other byte, a lone "&" included, is copied.
std::string xmlUnescape(std::string_view text);

// Latin-1 text (the model's) as UTF-8 (terminals, spreadsheets).
std::string utf8(std::string_view latin1);

// ASCII letters and the accented Latin-1 letters fold to their plain capital; other bytes stay.
unsigned char foldNameByte(unsigned char byte);

// Element names compare with folded bytes.
bool sameName(std::string_view a, std::string_view b);

} // namespace tokarium
