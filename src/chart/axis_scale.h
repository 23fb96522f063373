#pragma once
// The scale of an axis as plain arithmetic: current limits, pixel span, the
// value <-> pixel forms and the label increment rules. The axis holds one and
// feeds it its settings; nothing here draws or asks the chart.
#include <climits>
#include <cmath>
#include <initializer_list>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Largest pixel coordinate a conversion returns (and its negative the
// smallest); set when the engine starts.
extern int MaxPixelPos;
inline constexpr int DefaultMaxPixelPos = 0x3FFFFFF;

// Smallest numeric increment and largest label count the increment rules use.
inline constexpr double MinAxisIncrement = 1e-12;
inline constexpr double MaxDateTimeLabels = 1e6;

// Next value of the 1, 2, 5 sequence strictly above X.
double NiceStep(double X);

// Settings of the numeric increment rule.
struct TNumericIncrementInput {
    double Range = 0;       // current maximum - minimum
    double Increment = 0;   // the axis' fixed increment, 0 = automatic
    bool Logarithmic = false;
    double LogarithmicBase = 10;
    int LabelsSeparation = 10;
    // Fewest points of an active series that has this axis as its
    // non-mandatory axis; INT_MAX when there is none.
    int FewestSeriesPoints = INT_MAX;
};

// Increment for at most N labels (N <= 0: the smallest increment).
double CalcNumericIncrement(const TNumericIncrementInput& In, int N);
double CalcDateTimeIncrement(double Range, double Increment, int N);
// How many labels of size LabelSize pixels fit on AxisSize pixels.
int LabelsThatFit(int AxisSize, int LabelSize, int LabelsSeparation);

class TAxisScale {
public:
    // Kind of the axis, deciding the value-to-pixel forms (SelectForms).
    bool Horizontal = false;
    bool Inverted = false;
    bool Logarithmic = false;
    bool DepthAxis = false;
    bool FastCalc = false;

    double CurrentMinimum = 0;
    double CurrentMaximum = 0;
    double CurrentRange = 0;
    bool RangeIsZero = true;
    double LogMinimum = 0;
    double LogMaximum = 0;
    double LogRange = 0;
    int StartPos = 0;
    int EndPos = 0;
    int AxisSize = 0;
    int CenterPos = 0;
    double SizePerUnit = 0;
    double SizePerLogUnit = 0;

    TAxisScale() { SelectForms(); }

    // Re-chooses the routines after a change of the kind flags above.
    void SelectForms();
    // Range, per-pixel factors and logarithmic limits from the current limits.
    void RecalcSizes();
    // Span in pixels from Origin; positions in percent of Span.
    void SetStartEnd(int Origin, int Span, double StartPercent, double EndPercent);
    // Widens the limits so that A pixels before and B after the span stay
    // free; margins that leave less than one pixel change nothing.
    void AdjustMaxMinRect(int A, int B);

    // Value to pixel through the chosen form; the horizontal and vertical forms.
    int CalcPosValue(double Value) const { return (this->*m_calcPos)(Value); }
    int CalcXPosValue(double Value) const { return (this->*m_calcX)(Value); }
    int CalcYPosValue(double Value) const { return (this->*m_calcY)(Value); }
    // Pixel length of a value span (0 for Value <= 0), clamped.
    int CalcSizeValue(double Value) const;
    // Pixel to value.
    double PositionToValue(int Position) const;
    double CalcPosPoint(int Position) const { return PositionToValue(Position); }

    // The individual forms.
    int DepthPos(double Value) const;
    int LogHorizPos(double Value) const;
    int LogVertPos(double Value) const;
    int FastHorizPos(double Value) const;
    int FastVertPos(double Value) const;
    int ClampedHorizPos(double Value) const;
    int ClampedVertPos(double Value) const;

private:
    using TPosForm = int (TAxisScale::*)(double) const;
    // The end where the minimum stands (also where NaN lands).
    int MinimumEnd(bool HorizontalForm) const;
    TPosForm m_calcX = &TAxisScale::ClampedHorizPos;
    TPosForm m_calcY = &TAxisScale::ClampedVertPos;
    TPosForm m_calcPos = &TAxisScale::ClampedVertPos;
};

// A pixel coordinate within +-MaxPixelPos; NaN gives Fallback.
int ClampPixel(double P, int Fallback);

// The linear forms of a scale (clamped or fast, either direction) copied out
// for loops that project many values: At gives the same pixel as the scale's
// horizontal or vertical form, inline. Linear() is false for the forms it
// does not cover (logarithmic, depth); At must not be used then.
class TLinearPixelForm {
public:
    TLinearPixelForm(const TAxisScale& Scale, bool HorizontalForm)
        : m_linear(!Scale.DepthAxis && !Scale.Logarithmic),
          m_roundFirst(Scale.FastCalc),
          m_rangeIsZero(Scale.RangeIsZero),
          m_center(Scale.CenterPos),
          m_fallback(HorizontalForm ? (Scale.Inverted ? Scale.EndPos : Scale.StartPos)
                                    : (Scale.Inverted ? Scale.StartPos : Scale.EndPos)),
          m_minimum(Scale.CurrentMinimum),
          m_sizePerUnit(Scale.SizePerUnit),
          m_max(MaxPixelPos)
    {
        // the pixel grows with the value from the start, or falls from the end
        const bool fromStart = HorizontalForm != Scale.Inverted;
        m_base = fromStart ? Scale.StartPos : Scale.EndPos;
        m_sign = fromStart ? 1.0 : -1.0;
    }

    bool Linear() const { return m_linear; }

    int At(double Value) const
    {
        if (m_rangeIsZero)
            return m_center;
        double t = (Value - m_minimum) * m_sizePerUnit;
        if (m_roundFirst)
            t = RoundHalfEven(t);
        // negating is exact: base + (-t) is base - t
        const double p = m_base + m_sign * t;
        if (p != p)
            return m_fallback;
        if (p > m_max)
            return static_cast<int>(m_max);
        if (p < -m_max)
            return -static_cast<int>(m_max);
        return static_cast<int>(RoundHalfEven(p));
    }

    // At for each of N values, written to Pixels; the common form two values
    // at a time where SSE2 is there.
    void AtEach(const double* Values, int N, int* Pixels) const
    {
        int i = 0;
#if defined(__SSE2__)
        if (!m_rangeIsZero && !m_roundFirst) {
            // two at a time; the conversion rounds halves to even like nearbyint
            const __m128d minimum = _mm_set1_pd(m_minimum);
            const __m128d perUnit = _mm_set1_pd(m_sizePerUnit);
            const __m128d base = _mm_set1_pd(m_base);
            const __m128d sign = _mm_set1_pd(m_sign);
            const __m128d hi = _mm_set1_pd(m_max);
            const __m128d lo = _mm_set1_pd(-m_max);
            const __m128i fallback = _mm_set1_epi32(m_fallback);
            for (; i + 2 <= N; i += 2) {
                const __m128d v = _mm_loadu_pd(Values + i);
                const __m128d p = _mm_add_pd(base, _mm_mul_pd(sign, _mm_mul_pd(_mm_sub_pd(v, minimum), perUnit)));
                const __m128d nan = _mm_cmpunord_pd(p, p);
                // NaN leaves max and min at the bound; the mask then puts the fallback
                const __m128i r = _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(p, lo), hi));
                const __m128i m = _mm_shuffle_epi32(_mm_castpd_si128(nan), _MM_SHUFFLE(3, 3, 2, 0));
                const __m128i out = _mm_or_si128(_mm_andnot_si128(m, r), _mm_and_si128(m, fallback));
                _mm_storel_epi64(reinterpret_cast<__m128i*>(Pixels + i), out);
            }
        }
#endif
        for (; i < N; ++i)
            Pixels[i] = At(Values[i]);
    }

    // The values that surely land on Pixel: At gives Pixel for every value
    // from Lo to Hi, as At never falls while the value grows. Lo > Hi where
    // no such span is found; NaN lies in no span.
    void ValuesOn(int Pixel, double& Lo, double& Hi) const
    {
        Lo = 1;
        Hi = 0;
        if (m_rangeIsZero) {
            if (Pixel == m_center) {
                Lo = -HUGE_VAL;
                Hi = HUGE_VAL;
            }
            return;
        }
        if (!(m_sizePerUnit > 0) || !std::isfinite(m_sizePerUnit))
            return;
        // a little inside the pixel's rounding half-widths, then checked at both ends
        for (double inset : {0.4999, 0.25}) {
            const double a = m_minimum + (Pixel - inset - m_base) * m_sign / m_sizePerUnit;
            const double b = m_minimum + (Pixel + inset - m_base) * m_sign / m_sizePerUnit;
            const double lo = a < b ? a : b;
            const double hi = a < b ? b : a;
            if (std::isfinite(lo) && std::isfinite(hi) && At(lo) == Pixel && At(hi) == Pixel) {
                Lo = lo;
                Hi = hi;
                return;
            }
        }
    }

private:
    // nearbyint in the default rounding mode without the library call
    static double RoundHalfEven(double X)
    {
        constexpr double Shift = 6755399441055744.0;  // 1.5 x 2^52
        if (!(X < 0x1p51 && X > -0x1p51))
            return std::nearbyint(X);
        return (X + Shift) - Shift;
    }

    bool m_linear;
    bool m_roundFirst;
    bool m_rangeIsZero;
    int m_center;
    int m_fallback;
    double m_minimum;
    double m_sizePerUnit;
    double m_max;
    double m_base = 0;
    double m_sign = 1;
};
