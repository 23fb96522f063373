#pragma once
// The scale of an axis as plain arithmetic: current limits, pixel span, the
// value <-> pixel forms and the label increment rules. The axis holds one and
// feeds it its settings; nothing here draws or asks the chart.
#include <climits>

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
