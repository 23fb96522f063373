#pragma once
// Types shared by the instrument widgets: the published enumerations, the
// date and time label settings of a scale, the instrument frame and colour
// blending.
#include "base/font_style.h"
#include <cstdint>
#include <functional>

#include "base/alignment.h"
#include "base/basic_types.h"
#include "base/shift_state.h"
#include "platform/drawing_device.h"

enum TColorScheme : std::uint8_t { csBWG, csSystem };
enum TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
enum TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };
enum TFigType : std::uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
// Horizontal with ticks above the base line near the bottom (XB), below it near
// the top (XT); vertical with ticks right of it near the left (YL), left of it
// near the right (YR).
enum TScaleType : std::uint8_t { sctXB, sctXT, sctYL, sctYR };
enum TTimeFormat : std::uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };
enum TYearLength : std::uint8_t { ylNone, ylYY, ylYYYY };
enum TDateOrder : std::uint8_t { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime : std::uint8_t { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
enum TDirection : std::uint8_t { dirUpward, dirDownward, dirLeftward, dirRightward };
enum TOrientation : std::uint8_t { orVert, orHoriz };




// A font of an instrument: the device font and the text colour.
struct TInstrumentFont {
    platform::FontDesc desc;
    TColor color = clBlack;
    friend bool operator==(const TInstrumentFont&, const TInstrumentFont&) = default;
};

// Date and time label settings of a scale; every field starts at zero and the
// owner sets the defaults it wants.
class TDTLabel {
public:
    TTimeFormat TimeFormat() const { return m_timeFormat; }
    void SetTimeFormat(TTimeFormat v);  // fires OnChange even when unchanged
    char DateSeparator() const { return m_dateSeparator; }
    void SetDateSeparator(char v);
    char TimeSeparator() const { return m_timeSeparator; }
    void SetTimeSeparator(char v);
    TYearLength YearLength() const { return m_yearLength; }
    void SetYearLength(TYearLength v);
    bool MonthName() const { return m_monthName; }
    void SetMonthName(bool v);
    TDateOrder DateOrder() const { return m_dateOrder; }
    void SetDateOrder(TDateOrder v);  // fires OnChange even when unchanged
    TDateForTime DateForTime() const { return m_dateForTime; }
    void SetDateForTime(TDateForTime v);

    // Copies the seven settings (not the handler) and fires OnChange once.
    void Assign(const TDTLabel& source);

    std::function<void(TDTLabel* sender)> OnChange;

private:
    void Changed();

    TTimeFormat m_timeFormat = tfHHMMSS;
    char m_dateSeparator = 0;
    char m_timeSeparator = 0;
    TYearLength m_yearLength = ylNone;
    bool m_monthName = false;
    TDateOrder m_dateOrder = doMMDDYY;
    TDateForTime m_dateForTime = dtNone;
};

// Border of the box whose corner pixels (left, top) and (right, bottom) are
// both included: one pixel for fsSimple, two for the bevelled styles. Sets
// only the pen colour of the device.
void DrawFrame(platform::DrawingDevice& dc, int style, int left, int top, int right, int bottom,
               TColor highlight, TColor light, TColor shadow, TColor darkShadow, TColor lineColor);

// The colour the fraction (clamped to 0..1, NaN as 0) of the way from c1 to c2,
// channel by channel, halves to even; system colours are taken literally.
TColor BlendColors(TColor c1, TColor c2, double fraction);

// Frame shadow and highlight of a colour scheme: grey and white, or the
// platform's button shadow and highlight.
struct TSchemeColors {
    TColor shadow;
    TColor highlight;
};
TSchemeColors SchemeColors(TColorScheme scheme);

// Selects a copy of the device's pen with another colour.
void SetPenColor(platform::DrawingDevice& dc, TColor color);
