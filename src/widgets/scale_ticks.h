#pragma once
// Tick values and label texts of a scale: the linear, logarithmic, elapsed
// time and calendar generators. Pure functions of the scale's settings; the
// scale draws the plan they return.
#include <string>
#include <vector>

#include "widgets/instrument_base.h"

struct TTickSettings {
    double low = 0;   // RangeLow
    double high = 1;  // RangeHigh
    int minTicks = 3;
    bool shortTicks = true;
    bool logarithmic = false;
    TFigType labelType = ftNum;
    int decPlaces = -2;
    std::string inscript;
    std::string userTickText;
    TDTLabel dateFormat;
    // Pixels along the scale: no pass ever gives more ticks than this.
    int pixels = 1000;
};

struct TTickMark {
    double value = 0;
    bool major = false;
    bool record = true;     // goes into the tick table
    bool labelled = false;  // a label is drawn (maybe empty)
    std::string label;
    std::string dateLine;  // date under a time label of a calendar scale
};

enum class TScaleMessage { None, InvalidDateTime, BelowOneSecond };

struct TTickPlan {
    std::vector<TTickMark> ticks;  // in drawing order
    TScaleMessage message = TScaleMessage::None;
};

// The generator chosen by the label type and Logarithmic.
TTickPlan PlanScaleTicks(const TTickSettings& s);

TTickPlan LinearTicks(const TTickSettings& s);
TTickPlan LogarithmicTicks(const TTickSettings& s);
// False when the range suits no time step (numeric labels are drawn instead).
bool TimeTicks(const TTickSettings& s, TTickPlan& plan);
TTickPlan CalendarTicks(const TTickSettings& s);

// The two texts of a calendar scale that cannot be drawn.
inline constexpr const char* kInvalidDateTimeScale = "invalid DateTime scale";
inline constexpr const char* kDateTimeBelowOneSecond = "DateTime range is below 1 second";

// Decimals of the linear labels: DecPlaces, or for -2 and -3 from the range.
int AutomaticDecimals(int decPlaces, double low, double high);
// The n-th (0-based) item of the "|"-separated user texts; past the end the
// last item again (empty when the texts end with a bar).
std::string UserTickItem(const std::string& userTickText, int n);
// The unit text around a label: "&" stands for the number; without "&" the
// inscript goes in front. An empty label stays empty.
std::string ApplyInscript(const std::string& label, const std::string& inscript);
