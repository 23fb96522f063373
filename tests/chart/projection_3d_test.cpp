#include "chart/projection_3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/view3d_options.h"

namespace {

struct ProjectionCase {
    int rotation, elevation, tilt, perspective, zoom, horizOffset, vertOffset;
    TRect rect;
    int maxDepth;
    TPoint3D in;
    TPoint expected;
};

// Expected points computed independently in python3 (doubles), none of them
// within 0.02 of a rounding boundary:
//   python3 -c '
//   import math
//   def proj(rot,elev,tilt,persp,zoom,ho,vo,L,T,R,B,depth,x,y,z):
//       cx,cy,cz=int((L+R)/2),int((T+B)/2),round(depth*0.5); zf=round(zoom)*0.01
//       E,Ro,Ti=math.radians(-elev),math.radians(-rot),math.radians(tilt)
//       se,ce,sr,cr,st,ct=math.sin(E),math.cos(E),math.sin(Ro),math.cos(Ro),math.sin(Ti),math.cos(Ti)
//       pf=persp*zf*(1/150)/max(1,R-L); x1,y1,z1=x-cx,y-cy,z-cz; t=z1*cr-x1*sr
//       s=zf/((ce*t+y1*se)*pf+1) if persp>0 else zf; a=x1*cr+z1*sr; b=y1*ce-se*t
//       return round((ct*a-st*b)*s)+cx+ho, round((ct*b+st*a)*s)+cy+vo
//   print(proj(30,320,20,50,120,7,-5,10,20,410,320,100,250,100,30))'
const ProjectionCase Cases[] = {
    {345, 345, 0, 100, 100, 0, 0, {0, 0, 400, 300}, 50, {100, 80, 0}, {94, 80}},
    {345, 345, 0, 100, 100, 0, 0, {0, 0, 400, 300}, 50, {350, 250, 50}, {348, 248}},
    {345, 345, 0, 100, 100, 0, 0, {0, 0, 400, 300}, 50, {200, 150, 25}, {200, 150}},
    {345, 345, 0, 100, 100, 0, 0, {0, 0, 400, 300}, 50, {0, 0, 10}, {2, -5}},
    {30, 320, 20, 50, 120, 7, -5, {10, 20, 410, 320}, 100, {10, 20, 0}, {18, 56}},
    {30, 320, 20, 50, 120, 7, -5, {10, 20, 410, 320}, 100, {410, 320, 100}, {348, 237}},
    {30, 320, 20, 50, 120, 7, -5, {10, 20, 410, 320}, 100, {250, 100, 30}, {293, 119}},
    {30, 320, 20, 50, 120, 7, -5, {10, 20, 410, 320}, 100, {60, 300, 90}, {7, 241}},
    {0, 0, 0, 0, 100, 3, 4, {0, 0, 100, 100}, 10, {20, 30, 5}, {23, 34}},
    {360, 360, 0, 0, 100, 3, 4, {0, 0, 100, 100}, 10, {70, 90, 5}, {73, 94}},
};

class ProjectionTable : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(ProjectionTable, ProjectsAsTheFormulasSay)
{
    const ProjectionCase& c = GetParam();
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetRotation(c.rotation);
    options.SetElevation(c.elevation);
    options.SetTilt(c.tilt);
    options.SetPerspective(c.perspective);
    options.SetZoom(c.zoom);
    options.SetHorizOffset(c.horizOffset);
    options.SetVertOffset(c.vertOffset);
    TProjection3D p;
    p.SetupView(&options, true);
    p.CalcProjection(c.maxDepth, c.rect);
    int x = c.in.X, y = c.in.Y;
    p.ProjectInPlace(x, y, c.in.Z);
    EXPECT_EQ(x, c.expected.X);
    EXPECT_EQ(y, c.expected.Y);
    TPoint f{-1, -1};
    p.ProjectFloat(f, c.in.Z, c.in.X, c.in.Y);
    EXPECT_EQ(f, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Views, ProjectionTable, ::testing::ValuesIn(Cases));

TEST(TProjection3DOrthogonal, DepthMovesRightAndUp)
{
    TView3DOptions options;  // orthogonal, 45 degrees, zoom 100
    TProjection3D p;
    p.SetupView(&options, true);
    p.CalcProjection(40, TRect{0, 0, 200, 100});
    int x = 120, y = 70;
    p.ProjectInPlace(x, y, 10);
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 60);
}

TEST(TProjection3DOrthogonal, AngleFactors)
{
    TView3DOptions options;
    TProjection3D p;
    options.SetOrthoAngle(135);
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.OrthoX, -1.0);
    EXPECT_NEAR(p.OrthoY, 1.0, 1e-12);
    options.SetOrthoAngle(90);
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.OrthoY, 1.0);
    EXPECT_DOUBLE_EQ(p.OrthoX, 1.0);
    options.SetOrthoAngle(60);
    p.SetupView(&options, true);
    EXPECT_NEAR(p.OrthoY, 1.7320508075688772, 1e-12);  // tan 60
}

TEST(TProjection3DOrthogonal, ZoomAndOffsets)
{
    TView3DOptions options;
    options.SetZoom(150);
    options.SetHorizOffset(5);
    options.SetVertOffset(-3);
    TProjection3D p;
    p.SetupView(&options, true);
    p.CalcProjection(20, TRect{0, 0, 100, 60});
    int x = 60, y = 40;
    p.ProjectInPlace(x, y, 4);
    // x: (4 + 10) * 1.5 + 55 = 76; y: (10 - 4) * 1.5 + 27 = 36
    EXPECT_EQ(x, 76);
    EXPECT_EQ(y, 36);
}

TEST(TProjection3DOrthogonal, UnprojectGivesBackThePoint)
{
    TView3DOptions options;
    options.SetZoom(130);
    options.SetHorizOffset(9);
    TProjection3D p;
    p.SetupView(&options, true);
    p.CalcProjection(30, TRect{0, 0, 300, 200});
    for (int z : {0, 7, 30}) {
        int x = 41, y = 163;
        p.ProjectInPlace(x, y, z);
        p.UnprojectInPlace(x, y, z);
        EXPECT_NEAR(x, 41, 1);
        EXPECT_NEAR(y, 163, 1);
    }
}

TEST(TProjection3D, UnprojectOfARotatedViewUsesTheInverseTerms)
{
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetRotation(30);
    options.SetElevation(320);
    options.SetTilt(20);
    options.SetPerspective(50);
    options.SetZoom(120);
    options.SetHorizOffset(7);
    options.SetVertOffset(-5);
    TProjection3D p;
    p.SetupView(&options, true);
    p.CalcProjection(100, TRect{10, 20, 410, 320});
    // python3, with the M terms of the test above, centre (210, 170), screen centre
    // (217, 165), centre depth 50, inv = 1 / 1.2:
    //   x = ((X - 217) * inv - (Z - 50) * M5 - (Y - 170) * M1) / M3 -> round + 210
    //   y = ((Y - 165) * inv - (Z - 50) * M6 - (X - 210) * M4) / M2 -> round + 170
    // (18, 56, 0): x -276.79, y -253.29; (150, 200, 80): x -69.96, y -0.58;
    // (300, 40, 10): x 128.33, y -72.51
    const struct {
        int x, y, z, ex, ey;
    } cases[] = {{18, 56, 0, -67, -83}, {150, 200, 80, 140, 169}, {300, 40, 10, 338, 97}};
    for (const auto& c : cases) {
        int x = c.x, y = c.y;
        p.UnprojectInPlace(x, y, c.z);
        EXPECT_EQ(x, c.ex);
        EXPECT_EQ(y, c.ey);
    }
}

TEST(TProjection3D, TwoDimensionalLeavesPointsAlone)
{
    TView3DOptions options;
    options.SetZoom(200);
    options.SetHorizOffset(40);
    TProjection3D p;
    p.SetupView(&options, false);
    p.CalcProjection(10, TRect{0, 0, 100, 100});
    int x = 17, y = 33;
    p.ProjectInPlace(x, y, 99);
    EXPECT_EQ(x, 17);
    EXPECT_EQ(y, 33);
    EXPECT_DOUBLE_EQ(p.ZoomFactor, 1.0);
    TPoint f{5, 6};
    p.ProjectFloat(f, 3, 50.4, 60.7);
    EXPECT_EQ(f, (TPoint{5, 6}));
    p.UnprojectInPlace(x, y, 5);
    EXPECT_EQ(x, 17);
}

TEST(TProjection3D, CentreDepthRoundsHalvesToEven)
{
    TProjection3D p;
    p.CalcProjection(5, TRect{0, 0, 11, 7});
    EXPECT_EQ(p.CentreZ, 2);
    p.CalcProjection(7, TRect{0, 0, -11, -7});
    EXPECT_EQ(p.CentreZ, 4);
    EXPECT_EQ(p.CentreX, -5);  // toward zero
    EXPECT_EQ(p.CentreY, -3);
}

TEST(TProjection3D, ZoomRoundedToWholePercent)
{
    TView3DOptions options;
    options.SetZoomDouble(99.6);
    TProjection3D p;
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.ZoomFactor, 1.0);
    options.SetZoomDouble(100.5);
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.ZoomFactor, 1.0);  // halves to even
    // beyond the int range, the nearest end; no number, none
    options.SetZoomDouble(1e30);
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.ZoomFactor, 21474836.47);
    options.SetZoomDouble(-std::numeric_limits<double>::infinity());
    p.SetupView(&options, true);
    EXPECT_DOUBLE_EQ(p.ZoomFactor, -21474836.48);
    options.SetZoomDouble(std::nan(""));
    p.SetupView(&options, true);
    EXPECT_EQ(p.ZoomFactor, 0);
}

TEST(TProjection3D, PerspectiveFactorUsesWidthAtLeastOne)
{
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetPerspective(30);
    TProjection3D p;
    p.SetupView(&options, true);
    EXPECT_FALSE(p.PerspectiveOn);
    p.CalcProjection(10, TRect{50, 0, 50, 100});
    EXPECT_TRUE(p.PerspectiveOn);
    EXPECT_DOUBLE_EQ(p.PerspectiveFactor, 30.0 / 150.0);
    options.SetPerspective(0);
    p.SetupView(&options, true);
    p.CalcProjection(10, TRect{0, 0, 100, 100});
    EXPECT_FALSE(p.PerspectiveOn);
}

TEST(TProjection3D, InverseTermsForATiltedView)
{
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetRotation(30);
    options.SetElevation(320);
    options.SetTilt(20);
    TProjection3D p;
    p.SetupView(&options, true);
    // python3: E,R,T = radians(-320), radians(-30), radians(20)
    //   M1 = cos R sin T; M2 = cos R cos T; M3 = sin E sin R sin T + cos E cos T
    //   M4 = cos T sin E sin R - cos E sin T; M5 = cos E sin R sin T - cos T sin E
    //   M6 = cos E cos T sin R + sin E sin T
    EXPECT_NEAR(p.M1, 0.29619813272602386, 1e-12);
    EXPECT_NEAR(p.M2, 0.8137976813493738, 1e-12);
    EXPECT_NEAR(p.M3, 0.6099231551964769, 1e-12);
    EXPECT_NEAR(p.M4, -0.5640140170069118, 1e-12);
    EXPECT_NEAR(p.M5, -0.7350240886697463, 1e-12);
    EXPECT_NEAR(p.M6, -0.14007684480352267, 1e-12);
}

}  // namespace
