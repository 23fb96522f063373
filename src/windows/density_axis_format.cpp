#include "windows/density_axis_format.h"

#include <algorithm>
#include <cmath>

std::string DensityAxisFormat(double Top)
{
    int decimals = 2;
    if (Top > 0 && std::isfinite(Top))
        decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(Top))), 2, 10);
    return "##0." + std::string(static_cast<std::size_t>(decimals), '#');
}
