#pragma once
// Routines and tables the chart engine shares: the colour palette, date-time
// steps, hit tests on lines, polygons and ellipses, an index quicksort and a
// few text helpers. PlotProcsStartUp / PlotProcsShutDown are called by the
// engine's ordered start-up and shut-down.
#include "chart/plot_geometry.h"
#include "base/basic_types.h"
#include "core/format_settings.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QObject;

void PlotProcsStartUp();
void PlotProcsShutDown();

// --- Colour palette ---------------------------------------------------------

inline constexpr std::array<TColor, 20> DefaultColorPalette = {
    clRed,    clGreen, clYellow, clBlue,   clWhite, clGray,   clFuchsia,    clTeal,    clNavy,  clMaroon,
    clLime,   clOlive, clPurple, clSilver, clAqua,  clBlack,  clMoneyGreen, clSkyBlue, clCream, clMedGray};

// The palette in force: the default colours after start-up, empty after shut-down.
const std::vector<TColor>& ColorPalette();
// Colour Index of the palette, wrapping in both directions (-1 is the last
// colour); the default palette stands in for an empty one.
TColor ColorPaletteColor(int Index);
// Back to the 20 default colours.
void SetDefaultColorPalette();
// High = 0 resets to the default colours; otherwise the palette becomes
// Palette[0..High], High clamped to the array (nothing left also resets).
void SetDefaultColorPalette(std::span<const TColor> Palette, int High);

// --- Date-time steps --------------------------------------------------------

enum TDateTimeStep {
    dtOneMicroSecond, dtOneMillisecond, dtOneSecond, dtFiveSeconds, dtTenSeconds,
    dtFifteenSeconds, dtThirtySeconds, dtOneMinute, dtFiveMinutes, dtTenMinutes,
    dtFifteenMinutes, dtThirtyMinutes, dtOneHour, dtTwoHours, dtSixHours,
    dtTwelveHours, dtOneDay, dtTwoDays, dtThreeDays, dtOneWeek,
    dtHalfMonth, dtOneMonth, dtTwoMonths, dtThreeMonths, dtFourMonths,
    dtSixMonths, dtOneYear, dtNone
};

// Step lengths in days, ascending; dtNone has none.
inline constexpr std::array<double, 27> DateTimeStep = {
    1.0 / 86400000000.0, 1.0 / 86400000.0, 1.0 / 86400.0, 5.0 / 86400.0, 10.0 / 86400.0,
    15.0 / 86400.0, 30.0 / 86400.0, 1.0 / 1440.0, 5.0 / 1440.0, 10.0 / 1440.0,
    15.0 / 1440.0, 30.0 / 1440.0, 1.0 / 24.0, 2.0 / 24.0, 0.25,
    0.5, 1.0, 2.0, 3.0, 7.0,
    15.0, 30.0, 60.0, 90.0, 120.0,
    182.0, 365.0};

// The largest step within one microsecond of StepValue; dtNone when none is.
TDateTimeStep FindDateTimeStep(double StepValue);
// The step after the largest one not above Step; one year below every step.
double NextDateTimeStep(double Step);
// Short date format for steps above one day, else the long time format.
std::string DateTimeDefaultFormat(double Step, const TFormatSettings& Settings = DefaultFormatSettings());
// Date (time dropped) rounded down to the calendar unit of half months,
// months (one to six) and years: the 1st or the 15th, the 1st, 1 January.
// Dates on or before 1 January 1900 are returned as they are.
double TruncDateToStep(TDateTimeStep StepIndex, double Date);
// One step forward (Increment) or back. Date-time values with a step from
// half a month to one year move in calendar units, landing on a date without
// time: half months by the 1st and the 15th, months on the 1st, years keeping
// day and month (29 February becomes the 28th in a common year). A calendar
// move that would leave years 1..9999, and every other case, adds or
// subtracts Step.
void IncDecDateTime(bool IsDateTime, bool Increment, double& Value, double Step, TDateTimeStep StepIndex);

// --- Sorting ----------------------------------------------------------------

// Quicksort over the indices First..Last of the caller's data: Compare(a, b)
// is < 0, 0 or > 0, Swap(a, b) exchanges two items. The pivot is the middle
// item, followed through swaps. Recursion takes the smaller part only, so the
// depth stays below log2 of the count; an inconsistent Compare still ends and
// never reaches outside First..Last.
template <class CompareFn, class SwapFn>
void IndexQuickSort(int First, int Last, CompareFn&& Compare, SwapFn&& Swap)
{
    int l = First;
    int r = Last;
    while (r > l) {
        int i = l;
        int j = r;
        int m = l + (r - l) / 2;
        for (;;) {
            while (i <= r && Compare(i, m) < 0)
                ++i;
            while (j >= l && Compare(m, j) < 0)
                --j;
            if (j > i) {
                Swap(i, j);
                if (i == m)
                    m = j;
                else if (j == m)
                    m = i;
            }
            if (j >= i) {
                ++i;
                --j;
            }
            if (j <= i)
                break;
        }
        // Both parts are smaller than l..r for any consistent Compare; the
        // clamps only keep a broken one from looping.
        j = std::min(j, r - 1);
        i = std::max(i, l + 1);
        if (j - l < r - i) {
            if (j > l)
                IndexQuickSort(l, j, Compare, Swap);
            l = i;
        } else {
            if (i < r)
                IndexQuickSort(i, r, Compare, Swap);
            r = j;
        }
    }
}

// --- Hit tests (pixels) -----------------------------------------------------

// True when P is an end of the segment or within Tolerance + 1 pixels of it.
bool PointNearLine(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance);
bool PointNearLinePts(const TPoint& P, const TPoint& P0, const TPoint& P1, int Tolerance);
// PointNearLine with Tolerance 0.
bool PointOnLine(const TPoint& P, int X0, int Y0, int X1, int Y1);
bool PointOnLinePts(const TPoint& P, const TPoint& P0, const TPoint& P1);
// Even-odd rule over Points[0..High] (High clamped to the array).
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points, int High);
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points);
// The triangle (X0, Y1), ((X0 + X1) / 2, Y0), (X1, Y1).
bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1);
// The ellipse inside the rectangle; false when it has no width or no height.
bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom);
// Crossing point of the lines through (X1, Y1)-(X2, Y2) and (X3, Y3)-(X4, Y4)
// in X, Y; true only when the two segments cross. Parallel lines give X = X2
// and Y on the first line at X2. A vertical segment gives X of that segment
// and Y on the other line (two vertical segments: X = X2, Y = Y2).
bool SegmentsIntersect(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4,
                       double& X, double& Y);

// --- Texts ------------------------------------------------------------------

// Separator of ExtractField; ";" unless changed.
const std::string& FieldSeparator();
void SetFieldSeparator(std::string_view Separator);
// Separator of the lines of mark and label texts: carriage return unless changed.
char LineSeparator();
void SetLineSeparator(char Separator);

// Field Index (from 1) of Text split at the separator; the last field when
// there are fewer; empty for an empty text or Index < 1.
std::string ExtractField(std::string_view Text, int Index);
std::string ExtractFieldSep(std::string_view Text, int Index, std::string_view Separator);
// Every Old becomes New, or is deleted when New is '\0'.
std::string StrReplaceChar(std::string_view Text, char Old, char New);
// Decimal digits and a minus sign, no grouping.
std::string IntToStrPlain(long long Value);
// StartName followed by the smallest number from 1 that no direct child of
// Owner has as its object name (names compared without ASCII case);
// StartName + "1" without an owner.
std::string GetUniqueComponentName(const QObject* Owner, std::string_view StartName);

// Cursor number of the hand cursor.
inline constexpr int crPlotHand = 2020;
