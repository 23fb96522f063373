#include "chart/plot_procs.h"

#include "core/date_time.h"
#include "base/name_matching.h"

#include <QObject>
#include <cmath>

namespace {

constinit std::vector<TColor> s_colorPalette;
constinit double s_dateLimit = 0.0;  // 1 January 1900 once started
constinit char s_lineSeparator = '\r';

std::string& fieldSeparatorText()
{
    static std::string separator(";");
    return separator;
}

double squared(double v)
{
    return v * v;
}

// Distance from P to the segment A-B.
double distanceToSegment(const TPoint& P, const TPoint& A, const TPoint& B)
{
    const double dx = static_cast<double>(B.X) - A.X;
    const double dy = static_cast<double>(B.Y) - A.Y;
    const double px = static_cast<double>(P.X) - A.X;
    const double py = static_cast<double>(P.Y) - A.Y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0)
        return std::sqrt(px * px + py * py);
    const double t = (px * dx + py * dy) / length2;
    if (t < 0.0)
        return std::sqrt(px * px + py * py);
    if (t > 1.0)
        return std::sqrt(squared(static_cast<double>(P.X) - B.X) + squared(static_cast<double>(P.Y) - B.Y));
    return std::sqrt(squared(px - t * dx) + squared(py - t * dy));
}

// Moves a month Count months forward or back, carrying into the year.
void moveMonths(int& Year, int& Month, int Count, bool Forward)
{
    if (Forward) {
        Month += Count;
        if (Month > 12) {
            Month -= 12;
            ++Year;
        }
    } else if (Month <= Count) {
        Month = Month - Count + 12;
        --Year;
    } else {
        Month -= Count;
    }
}

} // namespace

void PlotProcsStartUp()
{
    SetDefaultColorPalette();
    s_dateLimit = EncodeDate(1900, 1, 1);
}

void PlotProcsShutDown()
{
    s_colorPalette.clear();
    s_colorPalette.shrink_to_fit();
    fieldSeparatorText() = ";";
}

const std::vector<TColor>& ColorPalette()
{
    return s_colorPalette;
}

TColor ColorPaletteColor(int Index)
{
    const std::span<const TColor> palette =
        s_colorPalette.empty() ? std::span<const TColor>(DefaultColorPalette) : std::span<const TColor>(s_colorPalette);
    const auto count = static_cast<long long>(palette.size());
    const long long i = ((static_cast<long long>(Index) % count) + count) % count;
    return palette[static_cast<std::size_t>(i)];
}

void SetDefaultColorPalette()
{
    s_colorPalette.assign(DefaultColorPalette.begin(), DefaultColorPalette.end());
}

void SetDefaultColorPalette(std::span<const TColor> Palette, int High)
{
    const int last = std::min(High, static_cast<int>(Palette.size()) - 1);
    if (High <= 0 || last < 0) {
        SetDefaultColorPalette();
        return;
    }
    s_colorPalette.assign(Palette.begin(), Palette.begin() + last + 1);
}

TDateTimeStep FindDateTimeStep(double StepValue)
{
    for (int i = dtOneYear; i >= dtOneMicroSecond; --i)
        if (std::fabs(DateTimeStep[static_cast<std::size_t>(i)] - StepValue) < DateTimeStep[dtOneMicroSecond])
            return static_cast<TDateTimeStep>(i);
    return dtNone;
}

double NextDateTimeStep(double Step)
{
    for (int i = dtSixMonths; i >= dtOneMicroSecond; --i)
        if (Step >= DateTimeStep[static_cast<std::size_t>(i)])
            return DateTimeStep[static_cast<std::size_t>(i) + 1];
    return DateTimeStep[dtOneYear];
}

std::string DateTimeDefaultFormat(double Step, const TFormatSettings& Settings)
{
    return Step > 1.0 ? Settings.ShortDateFormat : Settings.LongTimeFormat;
}

double TruncDateToStep(TDateTimeStep StepIndex, double Date)
{
    if (Date <= s_dateLimit)
        return Date;
    int year = 0, month = 0, day = 0;
    if (!DecodeDate(Date, year, month, day))
        return Date;
    if (StepIndex == dtHalfMonth) {
        day = day >= 15 ? 15 : 1;
    } else if (StepIndex >= dtOneMonth && StepIndex <= dtSixMonths) {
        day = 1;
    } else if (StepIndex == dtOneYear) {
        day = 1;
        month = 1;
    }
    return EncodeDate(year, month, day);
}

void IncDecDateTime(bool IsDateTime, bool Increment, double& Value, double Step, TDateTimeStep StepIndex)
{
    int year = 0, month = 0, day = 0;
    if (IsDateTime && StepIndex >= dtHalfMonth && StepIndex <= dtOneYear && DecodeDate(Value, year, month, day)) {
        switch (StepIndex) {
        case dtHalfMonth:
            if (Increment) {
                // forward to the 15th, or from the 15th on to the next 1st
                if (day < 15) {
                    day = 15;
                } else {
                    moveMonths(year, month, 1, true);
                    day = 1;
                }
            } else if (day > 15) {
                day = 15;
            } else if (day < 2) {
                moveMonths(year, month, 1, false);
                day = 15;
            } else {
                day = 1;
            }
            break;
        case dtOneMonth:
        case dtTwoMonths:
        case dtThreeMonths:
        case dtFourMonths:
        case dtSixMonths: {
            static constexpr int kMonths[] = {1, 2, 3, 4, 6};
            moveMonths(year, month, kMonths[StepIndex - dtOneMonth], Increment);
            day = 1;
            break;
        }
        default:  // dtOneYear
            year += Increment ? 1 : -1;
            day = std::min(day, DaysInMonth(year, month));
            break;
        }
        double date = 0.0;
        if (TryEncodeDate(year, month, day, date)) {
            Value = date;
            return;
        }
    }
    Value += Increment ? Step : -Step;
}

bool PointNearLine(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance)
{
    return PointNearLinePts(P, TPoint{X0, Y0}, TPoint{X1, Y1}, Tolerance);
}

bool PointNearLinePts(const TPoint& P, const TPoint& P0, const TPoint& P1, int Tolerance)
{
    if (P == P0 || P == P1)
        return true;
    return distanceToSegment(P, P0, P1) <= static_cast<double>(Tolerance) + 1.0;
}

bool PointOnLine(const TPoint& P, int X0, int Y0, int X1, int Y1)
{
    return PointNearLine(P, X0, Y0, X1, Y1, 0);
}

bool PointOnLinePts(const TPoint& P, const TPoint& P0, const TPoint& P1)
{
    return PointNearLinePts(P, P0, P1, 0);
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points, int High)
{
    const int last = std::min(High, static_cast<int>(Points.size()) - 1);
    bool inside = false;
    int j = last;
    for (int i = 0; i <= last; j = i++) {
        const TPoint& a = Points[static_cast<std::size_t>(i)];
        const TPoint& b = Points[static_cast<std::size_t>(j)];
        if (((a.Y <= P.Y && P.Y < b.Y) || (b.Y <= P.Y && P.Y < a.Y))
            && P.X < (static_cast<double>(b.X) - a.X) * (static_cast<double>(P.Y) - a.Y)
                             / (static_cast<double>(b.Y) - a.Y)
                         + a.X)
            inside = !inside;
    }
    return inside;
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points)
{
    return PointInPolygon(P, Points, static_cast<int>(Points.size()) - 1);
}

bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1)
{
    const TPoint triangle[3] = {{X0, Y1}, {(X0 + X1) / 2, Y0}, {X1, Y1}};
    return PointInPolygon(P, triangle, 2);
}

bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom)
{
    const long long cx = (static_cast<long long>(Left) + Right) / 2;
    const long long cy = (static_cast<long long>(Top) + Bottom) / 2;
    const double a2 = squared(static_cast<double>(cx - Left));
    const double b2 = squared(static_cast<double>(cy - Top));
    if (a2 == 0.0 || b2 == 0.0)
        return false;
    return squared(static_cast<double>(P.X - cx)) / a2 + squared(static_cast<double>(P.Y - cy)) / b2 <= 1.0;
}

bool SegmentsIntersect(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4,
                       double& X, double& Y)
{
    const bool vertical1 = X2 == X1;
    const bool vertical2 = X4 == X3;
    if (vertical1 && vertical2) {
        X = X2;
        Y = Y2;
    } else if (vertical1) {
        const double m2 = (Y4 - Y3) / (X4 - X3);
        X = X1;
        Y = m2 * X + (Y3 - m2 * X3);
    } else if (vertical2) {
        const double m1 = (Y2 - Y1) / (X2 - X1);
        X = X3;
        Y = m1 * X + (Y1 - m1 * X1);
    } else {
        const double m1 = (Y2 - Y1) / (X2 - X1);
        const double m2 = (Y4 - Y3) / (X4 - X3);
        const double b1 = Y1 - m1 * X1;
        const double b2 = Y3 - m2 * X3;
        X = std::fabs(m2 - m1) > 1e-15 ? (b1 - b2) / (m2 - m1) : X2;
        Y = m1 * X + b1;
    }
    // Each segment's ends lie on different sides of the other's line.
    const double c1 = X1 * Y2 - X2 * Y1;
    const double s3 = (Y2 - Y1) * X3 - (X2 - X1) * Y3 - c1;
    const double s4 = (Y2 - Y1) * X4 - (X2 - X1) * Y4 - c1;
    if ((s3 > 0) == (s4 > 0))
        return false;
    const double c2 = X3 * Y4 - X4 * Y3;
    const double s1 = (Y4 - Y3) * X1 - (X4 - X3) * Y1 - c2;
    const double s2 = (Y4 - Y3) * X2 - (X4 - X3) * Y2 - c2;
    return (s1 > 0) != (s2 > 0);
}

const std::string& FieldSeparator()
{
    return fieldSeparatorText();
}

void SetFieldSeparator(std::string_view Separator)
{
    fieldSeparatorText() = std::string(Separator);
}

char LineSeparator()
{
    return s_lineSeparator;
}

void SetLineSeparator(char Separator)
{
    s_lineSeparator = Separator;
}

std::string ExtractField(std::string_view Text, int Index)
{
    return ExtractFieldSep(Text, Index, fieldSeparatorText());
}

std::string ExtractFieldSep(std::string_view Text, int Index, std::string_view Separator)
{
    if (Text.empty() || Index < 1)
        return {};
    if (Separator.empty())
        return std::string(Text);
    std::size_t start = 0;
    for (int field = 1;; ++field) {
        const std::size_t end = Text.find(Separator, start);
        if (field == Index || end == std::string_view::npos)
            return std::string(Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end + Separator.size();
    }
}

std::string StrReplaceChar(std::string_view Text, char Old, char New)
{
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        if (c != Old)
            out += c;
        else if (New != '\0')
            out += New;
    }
    return out;
}

std::string IntToStrPlain(long long Value)
{
    return std::to_string(Value);
}

std::string GetUniqueComponentName(const QObject* Owner, std::string_view StartName)
{
    const std::string start(StartName);
    if (!Owner)
        return start + "1";
    const QObjectList& children = Owner->children();
    for (long long i = 1;; ++i) {
        const std::string candidate = start + std::to_string(i);
        bool taken = false;
        for (const QObject* child : children)
            if (SameTextAscii(child->objectName().toStdString(), candidate)) {
                taken = true;
                break;
            }
        if (!taken)
            return candidate;
    }
}
