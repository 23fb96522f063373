#include "windows/point_cloud.h"

#include "core/random_numbers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class TPointCloudTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCloudReseeding(false);
        SetRandSeed(4242);
    }
    void TearDown() override { SetCloudReseeding(true); }

    static int CountColour(const QImage& image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    TPointCloud cloud;
};

} // namespace

TEST_F(TPointCloudTest, PlacementKeepsTheMarginAndStartsAtDotOne)
{
    cloud.SetSize(QSize(200, 100));
    cloud.InitPoints(500, 0.15);
    EXPECT_EQ(cloud.PointCount(), 500);
    EXPECT_EQ(cloud.Points().size(), 501u);
    EXPECT_EQ(cloud.Current(), 1);
    for (int i = 1; i <= 500; ++i) {
        const auto& p = cloud.Points()[i];
        EXPECT_GE(p.x, 10);
        EXPECT_LT(p.x, 190);
        EXPECT_GE(p.y, 10);
        EXPECT_LT(p.y, 90);
        const int size = cloud.PointSize()[i];
        EXPECT_TRUE(size >= 2 && size <= 4) << size;
        EXPECT_LT(cloud.StepOdds()[i].px, 100);
    }
}

TEST_F(TPointCloudTest, ANarrowBoxPlacesEveryDotAtTheMargin)
{
    cloud.SetSize(QSize(15, 100));
    cloud.InitPoints(50, 0.15);
    for (int i = 1; i <= 50; ++i)
        EXPECT_EQ(cloud.Points()[i].x, 10);
    cloud.PlotPoints();
    for (int i = 1; i <= 50; ++i)
        EXPECT_EQ(cloud.Points()[i].x, 10) << "placed anew at every step";
}

TEST_F(TPointCloudTest, SizesOneOnlyGrowAndTenOnlyShrink)
{
    cloud.SetSize(QSize(400, 400));
    cloud.InitPoints(400, 0.15);
    for (int i = 1; i <= 400; ++i)
        cloud.PointSize()[i] = i % 2 ? 1 : 10;
    cloud.PlotPoints();
    int grown = 0, shrunk = 0;
    for (int i = 1; i <= 400; ++i) {
        const int size = cloud.PointSize()[i];
        if (i % 2) {
            EXPECT_TRUE(size == 1 || size == 2);
            grown += size == 2;
        } else {
            EXPECT_TRUE(size == 10 || size == 9);
            shrunk += size == 9;
        }
    }
    // a quarter of each grows or shrinks: 50 of 200 expected
    EXPECT_GT(grown, 25);
    EXPECT_LT(grown, 80);
    EXPECT_GT(shrunk, 25);
    EXPECT_LT(shrunk, 80);
}

TEST_F(TPointCloudTest, DotSizesLightTheirPixels)
{
    cloud.SetSize(QSize(20, 20));
    cloud.InitPoints(1, 0.0);
    const QRgb black = qRgb(0, 0, 0);
    const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9};
    for (int size = 1; size <= 10; ++size) {
        // a new size gives a clean white image
        cloud.SetSize(QSize(30 + size, 20));
        cloud.PointSize()[1] = static_cast<std::uint8_t>(size);
        cloud.DrawPoint(5, 5, 0, 1);
        EXPECT_EQ(CountColour(cloud.Image(), black), expected[size]) << size;
    }
    // size 10 lights the whole 3 x 3 block
    EXPECT_EQ(cloud.Image().pixel(5, 4), black);
    EXPECT_EQ(cloud.Image().pixel(6, 4), black);
    // red is 255 in 0x00BBGGRR
    cloud.DrawPoint(15, 15, 255, 1);
    EXPECT_EQ(cloud.Image().pixel(15, 15), qRgb(255, 0, 0));
    // dots at the edge draw what lies inside
    cloud.DrawPoint(0, 0, 0, 1);
    cloud.DrawPoint(-5, 100, 0, 1);
}

TEST_F(TPointCloudTest, AStepMovesEveryDotOnePixelEachWay)
{
    cloud.SetSize(QSize(300, 300));
    cloud.InitPoints(200, 0.15);
    std::vector<TPointCloud::TDot> before = cloud.Points();
    cloud.PlotPoints();
    EXPECT_EQ(cloud.Current(), 1);
    for (int i = 1; i <= 200; ++i) {
        const auto& a = before[i];
        const auto& b = cloud.Points()[i];
        const bool inside = a.x > 11 && a.x < 289 && a.y > 11 && a.y < 289;
        if (inside) {
            EXPECT_EQ(std::abs(a.x - b.x), 1);
            EXPECT_EQ(std::abs(a.y - b.y), 1);
        }
    }
}

TEST_F(TPointCloudTest, StoppingTheReseedingReplaysARun)
{
    auto run = [] {
        SetRandSeed(77);
        TPointCloud c;
        c.SetSize(QSize(120, 80));
        c.InitPoints(100, 0.15);
        for (int k = 0; k < 5; ++k)
            c.PlotPoints();
        return c.Image();
    };
    EXPECT_EQ(run(), run());
}

TEST_F(TPointCloudTest, TheFirstLayoutGivesTheReferenceArea)
{
    cloud.SetSize(QSize(0, 0));
    cloud.InitPoints(1000, 0.15);
    EXPECT_FALSE(cloud.HasInitialArea());
    cloud.UpdateScaleFactor(100 * 30);
    EXPECT_EQ(cloud.ScaleFactor(), 1.0);
    cloud.TakeInitialArea(0.5);
    EXPECT_FALSE(cloud.HasInitialArea());
    cloud.TakeInitialArea(400 * 300);
    cloud.TakeInitialArea(10); // only once
    EXPECT_EQ(cloud.InitialArea(), 120000.0);
    // doubling the area doubles the dots
    cloud.SetSize(QSize(800, 300));
    cloud.UpdateScaleFactor(800 * 300);
    cloud.Resize();
    EXPECT_EQ(cloud.PointCount(), 2000);
    EXPECT_EQ(cloud.Points().size(), 2001u);
}

TEST_F(TPointCloudTest, TheDotCountHasACeiling)
{
    cloud.SetSize(QSize(10, 10));
    cloud.InitPoints(1000, 0.15);
    cloud.TakeInitialArea(100);
    cloud.SetSize(QSize(1200, 1000));
    cloud.UpdateScaleFactor(1200.0 * 1000.0);
    cloud.Resize();
    EXPECT_EQ(cloud.PointCount(), TPointCloud::kMaxPoints);
}

TEST(RandomSubject, CaptionsChangeAndTheAgeStaysInRange)
{
    SetRandSeed(99);
    std::set<QString> subjects;
    for (int k = 0; k < 200; ++k) {
        const TSubjectCaptions s = RandomSubject();
        EXPECT_TRUE(s.Subject.startsWith(QStringLiteral("Sujeto: ")));
        EXPECT_TRUE(s.Sex == QStringLiteral("Mujer") || s.Sex == QStringLiteral("Hombre"));
        EXPECT_EQ(s.ImageIndex == 1, s.Group == QStringLiteral("Grupo de riesgo aparente"));
        ASSERT_TRUE(s.Age.endsWith(QStringLiteral(" años")));
        const int age = s.Age.section(QLatin1Char(' '), 0, 0).toInt();
        EXPECT_GE(age, 8);
        EXPECT_LE(age, 80);
        subjects.insert(s.Subject);
    }
    EXPECT_GT(subjects.size(), 190u);
}
