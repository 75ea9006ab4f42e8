// Printer paper codes and sizes, and the size texts of the "PN's Properties" dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/model/geometry.h"

namespace tokarium {

constexpr std::int32_t kCustomPaperCode = 68;

struct PaperChoice {
    std::string_view label;
    std::int32_t code;
};

// The paper list of the dialog, in its order.
constexpr std::array<PaperChoice, 11> kPaperChoices = {{
    {"Letter", 1},        {"Legal", 5},       {"A4", 9},      {"Executive", 7},
    {"A5", 11},           {"Com-10 Env", 20}, {"Monarch  Env", 37}, {"DL Env", 27},
    {"C5 Env", 28},       {"B5 Env", 34},     {"Custom size", kCustomPaperCode},
}};

// Portrait width and height in tenths of a millimetre of the printer paper codes 1..41; any other
// code gives the A4 size.
Size paperSize(std::int32_t code);

// Size for the orientation (width and height exchanged for landscape).
Size orientedPaperSize(std::int32_t code, std::int32_t orientation);

// Tenths of a millimetre shown in centimetres: 2100 gives "21 cm".
std::string paperSizeText(std::int32_t tenthsOfMillimetre);

// A typed size: a number followed by an optional unit "cm", "mm" or "m" (no unit: centimetres),
// in tenths of a millimetre, truncated towards zero and made positive.
std::int32_t parsePaperSize(std::string_view text);

} // namespace tokarium
