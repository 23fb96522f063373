#pragma once
// The fixed table of system colours: 0xFF0000xx resolves to a classic
// desktop palette, whatever the host's theme.
#include "base/basic_types.h"

namespace platform {

// Indexes of the system colours (the low byte of 0xFF0000xx).
enum class SystemColorIndex : int {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkSpace = 12,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
    InactiveCaptionText = 19,
    BtnHighlight = 20,
    DkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBk = 24,
    Unused25 = 25,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHilight = 29,
    MenuBar = 30,
};

constexpr int kSystemColorCount = 31;

// The system colour value for an index: 0xFF000000 + index.
constexpr TColor SystemColor(SystemColorIndex index)
{
    return clSystemColorBase + static_cast<TColor>(index);
}

// True for 0xFF0000xx values.
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColorBase; }

// RGB of a system colour index; indexes outside the table give black.
TColor SystemColorRGB(int index);

// A colour as 0x00BBGGRR: system colours through the table, others with the
// high byte cleared. clNone and the default colour are the caller's business.
TColor ColorToRGB(TColor c);

}  // namespace platform
