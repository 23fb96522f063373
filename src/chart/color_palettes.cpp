#include "chart/color_palettes.h"

#include <array>

#include "chart/axis_panel.h"
#include "chart/chart_messages.h"

namespace {

// Colours as 0x00BBGGRR.
constexpr TColor kExcel[] = {0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC,
                             0x800000, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000,
                             0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x00FFFF, 0xFFCC99, 0xCC99FF};
constexpr TColor kVictorian[] = {0xA1A55D, 0x3153C4, 0x0996E7, 0x4AE8F6, 0xA7A2B1, 0x84A7C9,
                                 0x51798C, 0xB7CDD8, 0x536508, 0x7BD8F7, 0x846401};
constexpr TColor kPastels[] = {0xFFFFCC, 0xCCFFFF, 0xFFCCCC, 0xCCCC00, 0xCCCCCC, 0x999900, 0x999999,
                               0xCCCCFF, 0x66CCFF, 0xFFCCCC, 0x9999FF, 0x99FFFF, 0xFFCC99, 0xCCFFCC};
constexpr TColor kSolid[] = {0xFF0000, 0x0000FF, 0x00FF00, 0x00CCFF, 0x404040, 0x00FFFF, 0xC000FF, 0xFFFFFF};
constexpr TColor kClassic[] = {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
                               0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080};
constexpr TColor kWeb[] = {0x00A5FF, 0xCE0000, 0x00CE00, 0x40FFFF, 0xFFFF40, 0xFF40FF, 0x0040FF, 0xA58080, 0x408080};
constexpr TColor kModern[] = {0x6699FF, 0x6666FF, 0xFFCC99, 0x669966, 0x99CCCC, 0xCC6699, 0x6666CC,
                              0x99CCFF, 0xFF6699, 0xCCCCCC, 0xCCFF66, 0xFF9966, 0x996699, 0xFFCCCC};
constexpr TColor kRainbow[] = {0x000099, 0x0000C3, 0x0000EE, 0x001AFF, 0x0046FF, 0x0073FF, 0x009FFF,
                               0x00CBFF, 0x00F7FF, 0x08F4E3, 0x11E7C3, 0x1BDAA3, 0x25CD83, 0x2EC063,
                               0x38B342, 0x42A622, 0x4B9A02, 0x6A870C, 0x8A751A, 0xAA6328, 0xCB5036,
                               0xEB3E44, 0xFF2A61, 0xFF1596, 0xFF00CC};
constexpr TColor kWinXP[] = {0xFE9B82, 0x24D1FC, 0x0DBC7C, 0x2F85FD, 0xFCFEFD, 0x214EE2, 0xD63829,
                             0x0094B7, 0x00865A, 0x0046D2, 0xFAE5D3, 0xD8D8D8, 0x7B715F};
constexpr TColor kMacOS[] = {0xFFFFFF, 0x05F3FC, 0x0264FF, 0x0608DD, 0x8408F2, 0xA50046, 0xD40000, 0xEAAB02,
                             0x14B71F, 0x116400, 0x052C56, 0x3A7190, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
constexpr TColor kWinVista[] = {0xD21F00, 0x0102E0, 0x02661E, 0x7ECDE8, 0xACABAF, 0xD9D0A4, 0x3C3B3D, 0x31DD95,
                                0x01009E, 0x74F7DC, 0xFDFD45, 0x748ED1, 0x91D8A0, 0x657AD5, 0xD99596};
constexpr TColor kGrayScale[] = {0xF0F0F0, 0xE0E0E0, 0xD0D0D0, 0xC0C0C0, 0xB0B0B0, 0xA0A0A0, 0x909090, 0x808080,
                                 0x707070, 0x606060, 0x505050, 0x404040, 0x303030, 0x202020, 0x101010};
constexpr TColor kOpera[] = {0xA36644, 0x359CF3, 0x144CF1, 0xA8974E, 0x6B402B, 0x637B1D,
                             0x0E08B3, 0x5DC0F2, 0x9EB75D, 0x707070, 0x8DEAF3, 0xB4B4B4};
constexpr TColor kWarm[] = {0x8DEAF3, 0x5DC0F2, 0x359CF3, 0x1C81F5, 0x156BF3, 0x144CF1, 0x0A18E6, 0x0E08B3};
constexpr TColor kCool[] = {0x6B402B, 0x8C543B, 0xA36644, 0xA8974E, 0x9EB75D, 0x8AA041, 0x7D922B, 0x637B1D};

const std::array<std::span<const TColor>, ColorPaletteCount> kTables = {
    kExcel, kVictorian, kPastels, kSolid, kClassic, kWeb, kModern, kRainbow,
    kWinXP, kMacOS, kWinVista, kGrayScale, kOpera, kWarm, kCool};

std::vector<std::string> g_names;

}  // namespace

std::span<const TColor> ColorPaletteTable(int Index)
{
    if (Index < 1 || Index > ColorPaletteCount)
        return {};
    return kTables[static_cast<std::size_t>(Index - 1)];
}

const std::vector<std::string>& ColorPalettes()
{
    return g_names;
}

void StartColorPalettes()
{
    g_names = {PlotMsgPaletteDefault,  PlotMsgPaletteExcel,    PlotMsgPaletteVictorian, PlotMsgPalettePastels,
               PlotMsgPaletteSolid,    PlotMsgPaletteClassic,  PlotMsgPaletteWeb,       PlotMsgPaletteModern,
               PlotMsgPaletteRainbow,  PlotMsgPaletteWinXP,    PlotMsgPaletteMacOS,     PlotMsgPaletteWinVista,
               PlotMsgPaletteGrayScale, PlotMsgPaletteOpera,   PlotMsgPaletteWarm,      PlotMsgPaletteCool};
}

void StopColorPalettes()
{
    g_names.clear();
}

void ApplyPalette(TCustomAxisPanel& Chart, int Index)
{
    const std::span<const TColor> table = ColorPaletteTable(Index);
    Chart.SetColorPalette(std::vector<TColor>(table.begin(), table.end()));
    Chart.AssignFreeSeriesColors(true);
    Chart.SetColorPaletteIndex(Index);
    Chart.Invalidate();
}
