#include "chart/axis_scale.h"

#include <cmath>

#include "base/basic_types.h"
#include "chart/plot_procs.h"

int MaxPixelPos = DefaultMaxPixelPos;

namespace {

constexpr double LabelCountLimit = 2147483647.0;

}  // namespace

int ClampPixel(double P, int Fallback)
{
    if (std::isnan(P))
        return Fallback;
    if (P > MaxPixelPos)
        return MaxPixelPos;
    if (P < -MaxPixelPos)
        return -MaxPixelPos;
    return static_cast<int>(std::nearbyint(P));
}

double NiceStep(double X)
{
    if (std::isinf(X))
        return 1;
    // No step follows 0, a negative or NaN: the smallest increment does.
    if (!(X > 0))
        return MinAxisIncrement;
    // Scaled into [1, 10) and back by the same factors in the same order as
    // the recursive definition (10 x NiceStep(X x 0.1), 0.1 x NiceStep(X x 10)).
    const double x = X;
    int ups = 0;
    int downs = 0;
    while (X >= 10) {
        X *= 0.1;
        ++ups;
    }
    while (X < 1) {
        X *= 10;
        ++downs;
    }
    double r = X < 2 ? 2 : X < 5 ? 5 : 10;
    while (downs-- > 0)
        r *= 0.1;
    while (ups-- > 0)
        r *= 10;
    // Scaled back into the subnormals, the step may lose its digits and not
    // grow: doubling always does, so a search for a larger step ends.
    return r > x ? r : x * 2;
}

double CalcNumericIncrement(const TNumericIncrementInput& In, int N)
{
    if (N <= 0)
        return MinAxisIncrement;
    const double range = In.Range;
    // Infinite or NaN data label nothing; the step of a zero range stands in.
    if (!std::isfinite(range))
        return 1;
    double s;
    if (In.Increment > 0) {
        s = In.Increment;
    } else {
        s = range == 0 ? 1 : std::fabs(range) / (N + 1);
        if (In.Logarithmic)
            s = std::pow(In.LogarithmicBase, std::nearbyint(std::log(s) / std::log(In.LogarithmicBase)));
        if (range >= 1 && In.FewestSeriesPoints <= N)
            s = std::fmax(s, 1);
    }
    if (!(s > 0) || std::isnan(s))
        s = MinAxisIncrement;
    if (In.LabelsSeparation > 0) {
        // A base in (0, 1) would shrink the step: it grows by the inverse of the base.
        double logGrowth = In.LogarithmicBase;
        if (logGrowth > 0 && logGrowth < 1)
            logGrowth = 1 / logGrowth;
        long long n = static_cast<long long>(N) + 1;
        for (;;) {
            const double q = range / s;
            bool grow;
            if (std::fabs(q) >= LabelCountLimit) {
                grow = true;
            } else {
                n = static_cast<long long>(std::nearbyint(q));
                grow = n > N;
            }
            if (grow)
                s = In.Logarithmic ? s * logGrowth : NiceStep(s);
            if (n <= N || std::isinf(s) || s > range)
                break;
        }
    }
    if (std::isinf(s))
        return range;
    return std::fmax(MinAxisIncrement, s);
}

double CalcDateTimeIncrement(double Range, double Increment, int N)
{
    const double first = DateTimeStep[dtOneMicroSecond];
    if (N <= 0)
        return first;
    double s = std::fmax(first, Increment);
    if (!std::isfinite(Range) || std::isnan(s))
        return first;
    if (s > 0 && N >= 1) {
        if (Range / s > MaxDateTimeLabels)
            s = Range / MaxDateTimeLabels;
        for (;;) {
            const long long n = static_cast<long long>(std::nearbyint(Range / s));
            if (n <= N || std::isinf(s))
                break;
            if (s >= DateTimeStep[dtOneYear])
                s *= 2;
            else if (s >= DateTimeStep[dtOneSecond])
                s = NextDateTimeStep(s);
            else
                s = NiceStep(s);
        }
    }
    return std::fmax(first, s);
}

int LabelsThatFit(int AxisSize, int LabelSize, int LabelsSeparation)
{
    if (LabelSize < 1)
        return 1;
    long long l = LabelSize;
    if (LabelsSeparation > 0)
        l += Round(LabelsSeparation * 0.01 * static_cast<double>(LabelSize));
    return static_cast<int>(Round(AxisSize * 1.0 / static_cast<double>(l)));
}

// ---- TAxisScale ----

void TAxisScale::SelectForms()
{
    if (DepthAxis) {
        m_calcX = m_calcY = &TAxisScale::DepthPos;
    } else if (Logarithmic) {
        m_calcX = &TAxisScale::LogHorizPos;
        m_calcY = &TAxisScale::LogVertPos;
    } else if (FastCalc) {
        m_calcX = &TAxisScale::FastHorizPos;
        m_calcY = &TAxisScale::FastVertPos;
    } else {
        m_calcX = &TAxisScale::ClampedHorizPos;
        m_calcY = &TAxisScale::ClampedVertPos;
    }
    m_calcPos = Horizontal ? m_calcX : m_calcY;
}

void TAxisScale::RecalcSizes()
{
    CurrentRange = CurrentMaximum - CurrentMinimum;
    RangeIsZero = CurrentRange == 0;
    SizePerUnit = RangeIsZero ? 0 : AxisSize / CurrentRange;
    if (Logarithmic) {
        LogMinimum = CurrentMinimum > 0 ? std::log(CurrentMinimum) : 0;
        LogMaximum = CurrentMaximum > 0 ? std::log(CurrentMaximum) : 0;
        LogRange = LogMaximum - LogMinimum;
        SizePerLogUnit = LogRange == 0 ? 0 : AxisSize / LogRange;
    }
}

void TAxisScale::SetStartEnd(int Origin, int Span, double StartPercent, double EndPercent)
{
    StartPos = Origin + ClampPixel(std::nearbyint(Span * 0.01 * StartPercent), 0);
    EndPos = Origin + ClampPixel(std::nearbyint(Span * 0.01 * EndPercent), 0);
    AxisSize = EndPos - StartPos;
    CenterPos = (StartPos + EndPos) / 2;
    RecalcSizes();
}

void TAxisScale::AdjustMaxMinRect(int A, int B)
{
    const int oldStart = StartPos;
    const int oldEnd = EndPos;
    const int oldSize = AxisSize;
    StartPos += A;
    EndPos -= B;
    AxisSize = EndPos - StartPos;
    // Margins that eat the whole span would collapse the range to one value.
    if (AxisSize < 1) {
        StartPos = oldStart;
        EndPos = oldEnd;
        AxisSize = oldSize;
        return;
    }
    const double vStart = PositionToValue(oldStart);
    const double vEnd = PositionToValue(oldEnd);
    StartPos = oldStart;
    EndPos = oldEnd;
    AxisSize = oldSize;
    CurrentMinimum = vStart;
    CurrentMaximum = vEnd;
    if (CurrentMinimum > CurrentMaximum)
        std::swap(CurrentMinimum, CurrentMaximum);
    RecalcSizes();
}

int TAxisScale::MinimumEnd(bool HorizontalForm) const
{
    if (HorizontalForm)
        return Inverted ? EndPos : StartPos;
    return Inverted ? StartPos : EndPos;
}

int TAxisScale::DepthPos(double Value) const
{
    if (RangeIsZero)
        return CenterPos;
    const double t = (Inverted ? CurrentMaximum - Value : Value - CurrentMinimum) * SizePerUnit;
    return ClampPixel(t, 0);
}

int TAxisScale::LogHorizPos(double Value) const
{
    if (LogRange == 0)
        return CenterPos;
    if (!(Value > 0))
        return MinimumEnd(true);
    const double l = std::log(Value);
    const double t = (Inverted ? LogMaximum - l : l - LogMinimum) * SizePerLogUnit;
    return ClampPixel(StartPos + std::nearbyint(t), MinimumEnd(true));
}

int TAxisScale::LogVertPos(double Value) const
{
    if (LogRange == 0)
        return CenterPos;
    if (!(Value > 0))
        return MinimumEnd(false);
    const double l = std::log(Value);
    const double t = (Inverted ? LogMaximum - l : l - LogMinimum) * SizePerLogUnit;
    return ClampPixel(EndPos - std::nearbyint(t), MinimumEnd(false));
}

int TAxisScale::FastHorizPos(double Value) const
{
    if (RangeIsZero)
        return CenterPos;
    const double t = std::nearbyint((Value - CurrentMinimum) * SizePerUnit);
    return ClampPixel(Inverted ? EndPos - t : StartPos + t, MinimumEnd(true));
}

int TAxisScale::FastVertPos(double Value) const
{
    if (RangeIsZero)
        return CenterPos;
    const double t = std::nearbyint((Value - CurrentMinimum) * SizePerUnit);
    return ClampPixel(Inverted ? StartPos + t : EndPos - t, MinimumEnd(false));
}

int TAxisScale::ClampedHorizPos(double Value) const
{
    if (RangeIsZero)
        return CenterPos;
    const double t = (Value - CurrentMinimum) * SizePerUnit;
    return ClampPixel(Inverted ? EndPos - t : StartPos + t, MinimumEnd(true));
}

int TAxisScale::ClampedVertPos(double Value) const
{
    if (RangeIsZero)
        return CenterPos;
    const double t = (Value - CurrentMinimum) * SizePerUnit;
    return ClampPixel(Inverted ? StartPos + t : EndPos - t, MinimumEnd(false));
}

int TAxisScale::CalcSizeValue(double Value) const
{
    if (!(Value > 0))
        return 0;
    if (Logarithmic)
        return LogRange == 0 ? 0 : ClampPixel(std::log(Value) * SizePerLogUnit, 0);
    return ClampPixel(Value * SizePerUnit, 0);
}

double TAxisScale::PositionToValue(int Position) const
{
    if (Logarithmic) {
        const bool maxAtStart = Horizontal == Inverted;
        if (Position == StartPos)
            return maxAtStart ? CurrentMaximum : CurrentMinimum;
        if (Position == EndPos)
            return maxAtStart ? CurrentMinimum : CurrentMaximum;
        if (LogRange != 0 && AxisSize != 0) {
            const double t = static_cast<double>(Inverted ? EndPos - Position : Position - StartPos) * LogRange / AxisSize;
            return Horizontal ? std::exp(LogMinimum + t) : std::exp(LogMaximum - t);
        }
        return CurrentMinimum;
    }
    if (AxisSize >= 1) {
        const double t = static_cast<double>(Inverted ? EndPos - Position : Position - StartPos) * CurrentRange / AxisSize;
        return Horizontal ? CurrentMinimum + t : CurrentMaximum - t;
    }
    return 0;
}
