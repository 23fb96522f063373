#include "windows/density_axis_format.h"

#include "core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct TDensityTop {
    double Top;
    const char* Format;
};

class DensityAxisFormatOfTop : public ::testing::TestWithParam<TDensityTop> {};

TEST_P(DensityAxisFormatOfTop, DecimalsFollowTheTopsDecade)
{
    EXPECT_EQ(DensityAxisFormat(GetParam().Top), GetParam().Format);
}

INSTANTIATE_TEST_SUITE_P(Tops, DensityAxisFormatOfTop,
                         ::testing::Values(TDensityTop{250, "##0.##"}, TDensityTop{1.5, "##0.##"},
                                           TDensityTop{0.4, "##0.###"}, TDensityTop{0.052, "##0.####"},
                                           TDensityTop{0.004, "##0.#####"}, TDensityTop{1e-12, "##0.##########"},
                                           TDensityTop{0, "##0.##"}, TDensityTop{-1, "##0.##"},
                                           TDensityTop{std::numeric_limits<double>::quiet_NaN(), "##0.##"},
                                           TDensityTop{std::numeric_limits<double>::infinity(), "##0.##"}));

TEST(DensityAxisFormat, StepsOfAThirtiethGiveDistinctLabels)
{
    // a top of 0.052 in steps of 0.002 (the "0.##" of the design gives 0.05 twice)
    const std::string format = DensityAxisFormat(0.052);
    EXPECT_EQ(FormatFloat("0.##", 0.048), FormatFloat("0.##", 0.05));
    EXPECT_EQ(FormatFloat(format, 0.048), "0.048");
    EXPECT_EQ(FormatFloat(format, 0.05), "0.05");
    EXPECT_EQ(FormatFloat(format, 0.0025), "0.0025");
}
