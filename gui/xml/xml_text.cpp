// Escapes and name folding of the XML library.
#include "gui/xml/xml_text.h"

#include "gui/xml/xml_value.h"

#include <array>

namespace tokarium {

namespace {

bool keptAsIs(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           byte == ' ' || byte == '-' || byte == '+' || byte == '.';
}

// Plain capital of each Latin-1 byte from 0xC0 to 0xFF; 0 keeps the byte (Æ, ×, Þ, ß, æ, ÷, þ).
constexpr std::array<char, 64> kLatin1Plain = {
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // C0-CF
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   0,   // D0-DF
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // E0-EF
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   'Y', // F0-FF
};

} // namespace

std::string xmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out.push_back(c);
        } else {
            out += "&#";
            out += std::to_string(static_cast<unsigned>(byte));
            out.push_back(';');
        }
    }
    return out;
}

std::string xmlUnescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '#') {
            std::size_t end = text.find(';', i + 2);
            std::size_t stop = end == std::string_view::npos ? text.size() : end;
            std::int32_t code = XmlValue(text.substr(i + 2, stop - i - 2)).toInteger();
            out.push_back(static_cast<char>(static_cast<unsigned char>(code)));
            i = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

unsigned char foldNameByte(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 'a' + 'A');
    if (byte >= 0xC0) {
        char plain = kLatin1Plain[byte - 0xC0];
        if (plain)
            return static_cast<unsigned char>(plain);
    }
    return byte;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldNameByte(static_cast<unsigned char>(a[i])) != foldNameByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string utf8(std::string_view latin1) {
    std::string text;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

} // namespace tokarium
