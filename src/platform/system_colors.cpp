#include "platform/system_colors.h"

#include <array>

namespace platform {

namespace {

// Classic desktop scheme, indexed by SystemColorIndex.
constexpr std::array<TColor, kSystemColorCount> kTable = {
    RGB(212, 208, 200),  // ScrollBar
    RGB(58, 110, 165),   // Background
    RGB(10, 36, 106),    // ActiveCaption
    RGB(128, 128, 128),  // InactiveCaption
    RGB(212, 208, 200),  // Menu
    RGB(255, 255, 255),  // Window
    RGB(0, 0, 0),        // WindowFrame
    RGB(0, 0, 0),        // MenuText
    RGB(0, 0, 0),        // WindowText
    RGB(255, 255, 255),  // CaptionText
    RGB(212, 208, 200),  // ActiveBorder
    RGB(212, 208, 200),  // InactiveBorder
    RGB(128, 128, 128),  // AppWorkSpace
    RGB(10, 36, 106),    // Highlight
    RGB(255, 255, 255),  // HighlightText
    RGB(212, 208, 200),  // BtnFace
    RGB(128, 128, 128),  // BtnShadow
    RGB(128, 128, 128),  // GrayText
    RGB(0, 0, 0),        // BtnText
    RGB(212, 208, 200),  // InactiveCaptionText
    RGB(255, 255, 255),  // BtnHighlight
    RGB(64, 64, 64),     // DkShadow3D
    RGB(212, 208, 200),  // Light3D
    RGB(0, 0, 0),        // InfoText
    RGB(255, 255, 225),  // InfoBk
    RGB(181, 181, 181),  // Unused25
    RGB(0, 0, 128),      // HotLight
    RGB(166, 202, 240),  // GradientActiveCaption
    RGB(192, 192, 192),  // GradientInactiveCaption
    RGB(10, 36, 106),    // MenuHilight
    RGB(212, 208, 200),  // MenuBar
};

}  // namespace

TColor SystemColorRGB(int index)
{
    if (index < 0 || index >= kSystemColorCount)
        return 0;
    return kTable[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor c)
{
    if (IsSystemColor(c))
        return SystemColorRGB(static_cast<int>(c & 0xFF));
    return c & 0x00FFFFFF;
}

}  // namespace platform
