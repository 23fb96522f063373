#pragma once
// The values format of a density axis: as many decimals as its labels need.
#include <string>

// "##0." with enough decimals (2 to 10) for the automatic step of an axis
// reaching up to Top (about a thirtieth of the range) to give distinct labels.
std::string DensityAxisFormat(double Top);
