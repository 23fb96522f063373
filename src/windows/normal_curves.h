#pragma once
// The arithmetic of the two-normal-curves frame: the density it draws, the
// criterion with alpha and beta in its three directions, the tail bounds,
// the percentage texts and the points of one curve and its shaded tails.
#include <cstdint>
#include <string>
#include <vector>

class TAreaSeries;

// One distribution as drawn. Tails: 0 none, 1 left, 2 right, 3 both.
struct TNormalCurve {
    bool Rebuild = true;
    TAreaSeries* CurveSeries = nullptr;  // not owned
    TAreaSeries* TailSeries = nullptr;   // not owned
    double Mean = 0;
    double SD = 1;  // of the sampling distribution: population SD / sqrt(N)
    double N = 1;
    std::uint8_t Tails = 0;
    double XMin = 0;
    double XMax = 0;
    double LowBound = 0;
    double HighBound = 0;
};

// exp(-((x - mean)/sd)^2 / 2) / (sqrt(2 pi) sd).
double NormalCurveDensity(double x, double mean, double sd);

// Criterion, its mirrors about the two means, alpha and beta.
struct TCriterionState {
    double Criterion = 0;
    double MirrorL = 0;
    double MirrorR = 0;
    double Alpha = 0;
    double Beta = 0;
};

// From alpha (right tail of the left curve); z is held to +-5 near 0 and 1.
TCriterionState CriterionFromAlpha(double alpha, double mL, double sL, double mR, double sR);
// From beta (left tail of the right curve).
TCriterionState CriterionFromBeta(double beta, double mL, double sL, double mR, double sR);
// Alpha and beta for a given criterion.
TCriterionState TailsFromCriterion(double criterion, double mL, double sL, double mR, double sR);

// Tail bounds of a left record (mirror .. criterion) and of a right one
// (criterion .. mirror); a "both tails" record with its bounds the wrong way
// round gets them exchanged, so only the outer parts are shaded.
void SetLeftTailBounds(TNormalCurve& curve, double criterion, double mirrorL);
void SetRightTailBounds(TNormalCurve& curve, double criterion, double mirrorR);

// A percentage as a whole number (halves to even) right-aligned in 3
// characters, then "%": 5 gives "  5%".
std::string TailPercentText(double percent);

struct TCurvePoint {
    double X = 0;
    double Y = 0;
    friend bool operator==(const TCurvePoint&, const TCurvePoint&) = default;
};

// Steps across the horizontal range, and the half-width of a vertical tail edge.
inline constexpr int kCurveSteps = 150;
inline constexpr double kTailEdge = 0.0001;

// The points of a curve (151 steps over XMin..XMax, then the peak points at
// the mean, mean +- 0.1 SD and +- 0.2 SD) and of its tail series (the same
// steps at 0 outside the tails, then the vertical edges at the bounds), in
// the order they are added.
std::vector<TCurvePoint> CurveSeriesPoints(const TNormalCurve& curve);
std::vector<TCurvePoint> TailSeriesPoints(const TNormalCurve& curve);
