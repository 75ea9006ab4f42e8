// Printer paper sizes and the size texts of the PN's Properties dialog.
#include "gui/model/paper_sizes.h"

#include <cmath>
#include <limits>

#include "gui/model/net_sheet.h"
#include "gui/model/number_text.h"

namespace tokarium {

namespace {

// Printer paper codes 1..41, portrait, tenths of a millimetre.
constexpr std::array<Size, 41> kPaperSizes = {{
    {2159, 2794}, // 1 Letter
    {2159, 2794}, // 2 Letter small
    {2794, 4318}, // 3 Tabloid
    {4318, 2794}, // 4 Ledger
    {2159, 3556}, // 5 Legal
    {1397, 2159}, // 6 Statement
    {1841, 2667}, // 7 Executive
    {2970, 4200}, // 8 A3
    {2100, 2970}, // 9 A4
    {2100, 2970}, // 10 A4 small
    {1480, 2100}, // 11 A5
    {2500, 3540}, // 12 B4 (JIS)
    {1820, 2570}, // 13 B5 (JIS)
    {2159, 3302}, // 14 Folio
    {2150, 2750}, // 15 Quarto
    {2540, 3556}, // 16 10 x 14 in
    {2794, 4318}, // 17 11 x 17 in
    {2159, 2794}, // 18 Note
    {984, 2254},  // 19 Envelope #9
    {1048, 2413}, // 20 Envelope #10
    {1143, 2635}, // 21 Envelope #11
    {1207, 2794}, // 22 Envelope #12
    {1270, 2921}, // 23 Envelope #14
    {4318, 5588}, // 24 C size sheet
    {5588, 8636}, // 25 D size sheet
    {8636, 11176}, // 26 E size sheet
    {1100, 2200}, // 27 Envelope DL
    {1620, 2290}, // 28 Envelope C5
    {3240, 4580}, // 29 Envelope C3
    {2290, 3240}, // 30 Envelope C4
    {1140, 1620}, // 31 Envelope C6
    {1140, 2290}, // 32 Envelope C65
    {2500, 3530}, // 33 Envelope B4
    {1760, 2500}, // 34 Envelope B5
    {1760, 1250}, // 35 Envelope B6
    {1100, 2300}, // 36 Envelope Italy
    {984, 1905},  // 37 Envelope Monarch
    {921, 1651},  // 38 Envelope 6 3/4
    {3778, 2794}, // 39 US standard fanfold
    {2159, 3048}, // 40 German standard fanfold
    {2159, 3302}, // 41 German legal fanfold
}};

} // namespace

Size paperSize(std::int32_t code) {
    if (code < 1 || code > static_cast<std::int32_t>(kPaperSizes.size()))
        return kPaperSizes[kDefaultPaperCode - 1];
    return kPaperSizes[static_cast<std::size_t>(code - 1)];
}

Size orientedPaperSize(std::int32_t code, std::int32_t orientation) {
    const Size size = paperSize(code);
    return orientation == kLandscape ? Size{size.height, size.width} : size;
}

std::string paperSizeText(std::int32_t tenthsOfMillimetre) {
    return formatReal(tenthsOfMillimetre * 0.01) + " cm";
}

std::int32_t parsePaperSize(std::string_view text) {
    double factor = 100.0;
    std::size_t unit = text.find("cm");
    if (unit == std::string_view::npos) {
        unit = text.find("mm");
        if (unit != std::string_view::npos) {
            factor = 10.0;
        } else {
            unit = text.find('m');
            if (unit != std::string_view::npos)
                factor = 10000.0;
        }
    }
    const double number = realOrZero(text.substr(0, unit));
    // The product is rounded to twelve significant digits first, so that 0.21 m gives 2100, not 2099.
    const double value = std::abs(parseReal(formatReal(number * factor)).value_or(0.0));
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace tokarium
