// Working state of the paper part of the "PN's Properties" dialog.
#pragma once

#include <cstdint>
#include <string>

#include "gui/model/net_sheet.h"
#include "gui/model/paper_sizes.h"

namespace tokarium {

class PaperEditor {
public:
    // Starts from the sheet's stored paper code, sizes and orientation.
    explicit PaperEditor(const PageSettings& page);

    std::int32_t paperCode() const { return m_code; }
    // Position of the code in kPaperChoices, or -1 when the list does not hold it.
    int listPosition() const;
    const std::string& widthText() const { return m_widthText; }
    const std::string& heightText() const { return m_heightText; }
    std::int32_t orientation() const { return m_orientation; }
    // Only a standard paper can be turned.
    bool orientationEnabled() const { return m_code != kCustomPaperCode; }

    // A standard paper shows its size for the current orientation.
    void choosePaper(std::int32_t code);
    void setOrientation(std::int32_t orientation);
    // Typing a size makes the paper custom.
    void typeWidth(std::string text);
    void typeHeight(std::string text);

    // The settings that OK stores: the typed sizes read in tenths of a millimetre.
    PageSettings result() const;

private:
    void showSize(std::int32_t width, std::int32_t height);

    std::int32_t m_code;
    std::int32_t m_orientation;
    std::string m_widthText;
    std::string m_heightText;
};

} // namespace tokarium
