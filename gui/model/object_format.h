// Colours, pen width, frame style and display options shared by every drawable object.
#pragma once

#include <cstdint>

namespace tokarium {

// A 0x00BBGGRR colour value; kNoColour (all bits set) means none (no fill, no outline).
using Colour = std::int32_t;

constexpr Colour kNoColour = -1;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;

struct ObjectFormat {
    Colour back = kWhite;   // fill
    Colour fore = kBlack;   // text and tokens
    Colour line = kBlack;   // outline
    std::int32_t width = 1; // outline pen width
    std::int32_t style = 0; // frame shape of legends and graphs
    std::int32_t display = 0; // display options of graphs
    friend bool operator==(const ObjectFormat&, const ObjectFormat&) = default;
};

} // namespace tokarium
