#pragma once
// An axis of a chart: turns values into pixels along one side of the chart
// rectangle (through its TAxisScale) and draws its line, ticks, grids, labels
// and title. The chart (a TAxisContainer) owns the six standard axes; custom
// axes belong to its TChartCustomAxes.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis_container.h"
#include "chart/axis_scale.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_pen.h"
#include "chart/plot_panel.h"
#include "chart/property_model.h"
#include "chart/value_setter.h"

class TAxisItems;
class TChartAxisTitle;
class TPlotCustomShape;
class TPlotCustomToolAxis;
class TPlotFont;

enum TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };
inline constexpr const char* AxisLabelStyleNames[] = {"talAuto", "talNone", "talValue", "talMark", "talText"};
enum TAxisLabelAlign : std::uint8_t { alDefault, alOpposite };
inline constexpr const char* AxisLabelAlignNames[] = {"alDefault", "alOpposite"};
enum TPenLineMode : std::uint8_t { lmLine, lmCylinder, lmRectangle };
inline constexpr const char* PenLineModeNames[] = {"lmLine", "lmCylinder", "lmRectangle"};

// Number pattern of axis labels unless the axis has its own.
inline constexpr const char* DefaultAxisValuesFormat = "#,##0.###";

// The axis line pen: width 2 and a line mode.
class TChartAxisPen : public TChartPen {
public:
    explicit TChartAxisPen(std::function<void()> onChange = {});
    static const TPropertyTable<TChartPen>& Properties();
    TPenLineMode LineMode() const { return m_lineMode; }
    void SetLineMode(TPenLineMode Value);
    void Assign(const TPen& Source) override;

private:
    TPenLineMode m_lineMode = lmLine;
};

// The grid pen: how often a line is drawn, centring between labels, depth.
class TAxisGridPen : public TDottedGrayPen {
public:
    explicit TAxisGridPen(std::function<void()> onChange = {});
    static const TPropertyTable<TChartPen>& Properties();
    bool Centered() const { return m_centered; }
    void SetCentered(bool Value);
    int DrawEvery() const { return m_drawEvery; }
    void SetDrawEvery(int Value);
    // Percent of the chart depth.
    double ZPosition() const { return m_zPosition; }
    void SetZPosition(double Value);
    // The depth a stream leaves out: the one the pen was built with.
    double DefaultZPosition() const { return m_defaultZPosition; }
    // ZPosition and its stored default together.
    void InitZPosition(double Value) { InitValue(*this, &TAxisGridPen::SetZPosition, m_defaultZPosition, Value); }
    void Assign(const TPen& Source) override;

private:
    bool m_centered = false;
    int m_drawEvery = 1;
    double m_zPosition = 0;
    double m_defaultZPosition = 0;
};

// Draw-label hook: may move the label, change its text or cancel it.
using TAxisDrawLabelEvent = std::function<void(TChartAxis& Sender, int& X, int& Y, int& Z, std::string& Text, bool& DrawLabel)>;

class TChartAxis {
public:
    // Joins Chart's axis list; a seventh or later axis is a custom one.
    explicit TChartAxis(TAxisContainer& Chart);
    virtual ~TChartAxis();
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    static const TPropertyTable<TChartAxis>& Properties();
    virtual const TPropertyTable<TChartAxis>& PropertyTable() const { return Properties(); }
    void WriteProperties(TPropertyWriter& Writer) const { PropertyTable().Write(*this, Writer); }
    void ReadProperties(TPropertyReader& Reader) { PropertyTable().ReadList(*this, Reader, "TChartAxis"); }
    // Every published setting but ZPosition and OnDrawLabel, without repaint.
    virtual void Assign(const TChartAxis& Source);

    TAxisContainer* ParentChart() const { return m_chart; }

    // Series holding this axis as a custom axis and axis tools drawing on it,
    // on its chart or not: each drops the axis when it is freed. A holder
    // registers once per reference it keeps.
    void AddHolder(TChartSeries* Series) { m_holderSeries.push_back(Series); }
    void RemoveHolder(const TChartSeries* Series);
    void AddHolder(TPlotCustomToolAxis* Tool) { m_holderTools.push_back(Tool); }
    void RemoveHolder(const TPlotCustomToolAxis* Tool);

    // ---- range ----
    bool Automatic() const { return m_automatic; }
    void SetAutomatic(bool Value);
    bool AutomaticMaximum() const { return m_automaticMaximum; }
    void SetAutomaticMaximum(bool Value);
    bool AutomaticMinimum() const { return m_automaticMinimum; }
    void SetAutomaticMinimum(bool Value);
    double Increment() const { return m_increment; }
    void SetIncrement(double Value);
    double Maximum() const { return m_maximum; }
    void SetMaximum(double Value);
    double Minimum() const { return m_minimum; }
    void SetMinimum(double Value);
    // Both limits, automatic scaling off, no checks; followers of this axis too.
    void SetMinMax(double AMin, double AMax);
    bool Logarithmic() const { return m_logarithmic; }
    void SetLogarithmic(bool Value);
    double LogarithmicBase() const { return m_logarithmicBase; }
    void SetLogarithmicBase(double Value);
    int MaximumOffset() const { return m_maximumOffset; }
    void SetMaximumOffset(int Value);
    int MinimumOffset() const { return m_minimumOffset; }
    void SetMinimumOffset(int Value);
    bool MaximumRound() const { return m_maximumRound; }
    void SetMaximumRound(bool Value);
    bool MinimumRound() const { return m_minimumRound; }
    void SetMinimumRound(bool Value);

    // ---- pens, title, position ----
    TChartAxisPen* Axis() const { return m_axisPen.get(); }
    void SetAxis(const TChartAxisPen* Value) { m_axisPen->Assign(*Value); }
    TAxisGridPen* Grid() const { return m_grid.get(); }
    void SetGrid(const TAxisGridPen* Value) { m_grid->Assign(*Value); }
    TChartHiddenPen* MinorGrid() const { return m_minorGrid.get(); }
    TDarkGrayPen* MinorTicks() const { return m_minorTicks.get(); }
    TDarkGrayPen* Ticks() const { return m_ticks.get(); }
    TDarkGrayPen* TicksInner() const { return m_ticksInner.get(); }
    TChartAxisTitle* Title() const { return m_title.get(); }
    void SetTitle(const TChartAxisTitle* Value);
    int TitleSize() const { return m_titleSize; }
    void SetTitleSize(int Value);
    // Percent of the chart depth; 0 becomes 0.01.
    double ZPosition() const { return m_zPosition; }
    void SetZPosition(double Value);
    bool IsZPositionStored() const;
    double StartPosition() const { return m_startPosition; }
    void SetStartPosition(double Value);
    double EndPosition() const { return m_endPosition; }
    void SetEndPosition(double Value);
    double PositionPercent() const { return m_positionPercent; }
    void SetPositionPercent(double Value);
    TPlotUnits PositionUnits() const { return m_positionUnits; }
    void SetPositionUnits(TPlotUnits Value);
    bool Horizontal() const { return m_horizontal; }
    void SetHorizontal(bool Value);
    bool OtherSide() const { return m_otherSide; }
    void SetOtherSide(bool Value);
    bool Inverted() const { return m_inverted; }
    virtual void SetInverted(bool Value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    // Horizontal and OtherSide are stored for custom axes only.
    bool IsCustom() const;

    // ---- labels ----
    bool Labels() const;
    void SetLabels(bool Value);
    TPlotFont* LabelsFont() const;
    void SetLabelsFont(const TPlotFont* Value);
    TAxisLabelAlign LabelsAlign() const { return m_labelsAlign; }
    void SetLabelsAlign(TAxisLabelAlign Value);
    bool LabelsAlternate() const { return m_labelsAlternate; }
    void SetLabelsAlternate(bool Value);
    // Degrees, stored modulo 360.
    int LabelsAngle() const { return m_labelsAngle; }
    void SetLabelsAngle(int Value);
    bool LabelsOnAxis() const { return m_labelsOnAxis; }
    void SetLabelsOnAxis(bool Value);
    // Percent of a label kept free; negative raises.
    int LabelsSeparation() const { return m_labelsSeparation; }
    void SetLabelsSeparation(int Value);
    int LabelsSize() const { return m_labelsSize; }
    void SetLabelsSize(int Value);
    TAxisLabelStyle LabelStyle() const { return m_labelStyle; }
    void SetLabelStyle(TAxisLabelStyle Value);
    bool LabelsExponent() const { return m_labelsExponent; }
    void SetLabelsExponent(bool Value);
    bool LabelsMultiLine() const { return m_labelsMultiLine; }
    void SetLabelsMultiLine(bool Value);
    bool RoundFirstLabel() const { return m_roundFirstLabel; }
    void SetRoundFirstLabel(bool Value);
    const std::string& AxisValuesFormat() const { return m_axisValuesFormat; }
    void SetAxisValuesFormat(const std::string& Value);
    const std::string& DateTimeFormat() const { return m_dateTimeFormat; }
    void SetDateTimeFormat(const std::string& Value);
    bool ExactDateTime() const { return m_exactDateTime; }
    void SetExactDateTime(bool Value);
    bool GridCentered() const { return m_grid->Centered(); }
    void SetGridCentered(bool Value) { m_grid->SetCentered(Value); }
    int MinorTickCount() const { return m_minorTickCount; }
    void SetMinorTickCount(int Value);
    int MinorTickLength() const { return m_minorTickLength; }
    void SetMinorTickLength(int Value);
    int TickInnerLength() const { return m_tickInnerLength; }
    void SetTickInnerLength(int Value);
    int TickLength() const { return m_tickLength; }
    void SetTickLength(int Value);
    bool TickOnLabelsOnly() const { return m_tickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool Value);
    TAxisItems& Items() const { return *m_items; }

    TAxisDrawLabelEvent OnDrawLabel;

    // ---- run-time state ----
    // A custom axis whose SetMinMax this axis follows; a link that would close
    // a loop is refused (returns false).
    TChartAxis* MasterAxis() const { return m_masterAxis; }
    bool SetMasterAxis(TChartAxis* Value);
    bool IsDepthAxis() const { return m_isDepthAxis; }
    // Unique over the run: tells an axis from a later one at the same address.
    std::uint64_t Serial() const { return m_serial; }
    bool IsDateTimeAxis() const { return m_isDateTimeAxis; }
    // Series whose marks or texts give the labels of the last draw.
    const std::vector<TChartSeries*>& LabelSeriesList() const { return m_labelSeriesList; }
    const TAxisScale& Scale() const { return m_scale; }
    double CurrentMinimum() const { return m_scale.CurrentMinimum; }
    double CurrentMaximum() const { return m_scale.CurrentMaximum; }
    double CurrentRange() const { return m_scale.CurrentRange; }
    bool RangeIsZero() const { return m_scale.RangeIsZero; }
    double LogMinimum() const { return m_scale.LogMinimum; }
    double LogMaximum() const { return m_scale.LogMaximum; }
    double LogRange() const { return m_scale.LogRange; }
    int StartPos() const { return m_scale.StartPos; }
    int EndPos() const { return m_scale.EndPos; }
    int AxisSize() const { return m_scale.AxisSize; }
    int CenterPos() const { return m_scale.CenterPos; }
    // Moves the pixel span by Delta for one drawing pass (a series' shadow);
    // the size and the value range stay.
    void ShiftPositions(int Delta)
    {
        m_scale.StartPos += Delta;
        m_scale.EndPos += Delta;
        m_scale.CenterPos += Delta;
    }
    double SizePerUnit() const { return m_scale.SizePerUnit; }
    double SizePerLogUnit() const { return m_scale.SizePerLogUnit; }
    int ZPositionPixels() const { return m_zPositionPixels; }
    int PosAxis = 0;
    int PosLabels = 0;
    int PosTitle = 0;
    // Pixel positions of the labels (or ticks) drawn last.
    std::vector<int> TickPositions;
    // Set by the walls code while it redraws grids.
    bool HideBackGrid = false;
    bool HideSideGrid = false;
    // Called with the axis before its grid lines are drawn.
    std::function<void(TChartAxis& Sender)> OnDrawGrids;

    // ---- scale ----
    void AdjustMaxMin();
    void RecalcSizes();
    void SetStartEnd();
    // Margins: pixels to keep free before (Left/Top) and after (Right/Bottom).
    void AdjustMaxMinRect(const TRect& Margins);
    void RoundLimits();
    double CalcIncrement(int MaxLabels);
    double CalcLabelsIncrement();
    // Increment grown (1, 2, 5 steps) until the widest label of the values it
    // places keeps its room; Measured is the label size the fit started from.
    double WidenToFitLabels(double Increment, int Measured);
    int CalcPosValue(double Value) const { return m_scale.CalcPosValue(Value); }
    int CalcXPosValue(double Value) const { return m_scale.CalcXPosValue(Value); }
    int CalcYPosValue(double Value) const { return m_scale.CalcYPosValue(Value); }
    int CalcSizeValue(double Value) const { return m_scale.CalcSizeValue(Value); }
    double CalcPosPoint(int Position) const { return m_scale.CalcPosPoint(Position); }
    double PositionToValue(int Position) const { return m_scale.PositionToValue(Position); }
    // Shifts both limits by Offset (automatic scaling off); with CheckLimits
    // only while series values lie beyond the limit in that direction.
    void Scroll(double Offset, bool CheckLimits);

    // ---- labels ----
    virtual std::string LabelValue(double Value);
    virtual TAxisLabelStyle CalcLabelStyle() const;
    // Size of a value's label along the axis, in the labels font.
    int LabelSizeOf(double Value);
    // Index into the date-time step table of the current increment, or dtNone.
    int DateTimeStepIndex(double Increment) const;

    // ---- sizing and drawing ----
    int SizeTickAxis() const;
    int SizeLabels();
    int SizeTitle();
    void CalcRect(TRect& R, bool InflateChartRect);
    // PosTitle just beyond the labels again (after the limits moved by the offsets).
    void PlaceTitleBeyondLabels() { PosTitle = Outward(PosLabels, SizeLabels()); }
    void Draw(bool CalcPosAxis);
    void DrawGrids(int Count);
    // The axis' rectangle (along: StartPos..EndPos, across: line to labels).
    TRect AxisRect() const;
    bool Clicked(int X, int Y) const;
    // Draws a text as a label at position P along the axis.
    void DrawAxisLabel(int P, const std::string& Text, TPlotCustomShape* Shape = nullptr);

protected:
    // A depth axis of the chart (set by TChartDepthAxis).
    void MarkDepthAxis();
    // Stores and repaints when changed.
    template <typename T>
    void SetAndRepaint(T& Field, const T& Value);
    void Repaint() const;
    void ReselectForms();

private:
    friend class TChartDepthAxis;
    friend class TChartAxes;
    friend class TAxisContainer;
    // Some active series shows dates and times on this axis.
    void RefreshIsDateTimeAxis();
    // Label placement.
    void DrawLabels(TAxisLabelStyle Style, double Increment, int StepIndex);
    void DrawCustomLabels();
    void DrawStandardLabels(double Increment, int StepIndex);
    void DrawLogLabels();
    void DrawSeriesLabels(TAxisLabelStyle Style);
    void DrawDepthTextLabels();
    bool DrawNextLabels();
    // Places a label at Value (LabelsOnAxis, tick positions, automatic items).
    void PlaceLabel(double Value, const std::string* Text, TPlotCustomShape* Shape);
    std::string CallGetAxisLabel(TChartSeries* Series, int ValueIndex, std::string Text);
    // Drawing pieces.
    void DrawTitle();
    void DrawAxisLine();
    void DrawTicks(const std::vector<int>& Positions, int Length, int Outward);
    void DrawGridLine(int P);
    void DrawMinorTicksAndGrid();
    std::vector<int> MinorPositions() const;
    void DrawTick(int P, int From, int Length);
    int EdgeOf(const TRect& R) const;
    void ShrinkRect(TRect& R, int S) const;
    int PositionOffset(const TRect& R) const;
    int Outward(int C, int S) const;
    int LabelAreaSize();
    // widest label text in pixels; MaxLines, when given, receives the most lines of any label
    int MaxLabelsWidth(int* MaxLines = nullptr);
    bool IsVertical() const { return !m_horizontal; }
    int FontHeightW();

    TAxisContainer* m_chart;
    TAxisScale m_scale;
    std::unique_ptr<TAxisItems> m_items;
    std::unique_ptr<TChartAxisTitle> m_title;
    std::unique_ptr<TDarkGrayPen> m_ticks;
    std::unique_ptr<TDarkGrayPen> m_minorTicks;
    std::unique_ptr<TDarkGrayPen> m_ticksInner;
    std::unique_ptr<TAxisGridPen> m_grid;
    std::unique_ptr<TChartHiddenPen> m_minorGrid;
    std::unique_ptr<TChartAxisPen> m_axisPen;
    std::vector<TChartSeries*> m_labelSeriesList;
    std::vector<TChartSeries*> m_holderSeries;
    std::vector<TPlotCustomToolAxis*> m_holderTools;
    TChartAxis* m_masterAxis = nullptr;
    bool m_isDepthAxis = false;
    std::uint64_t m_serial = 0;
    bool m_isDateTimeAxis = false;
    int m_zPositionPixels = 0;
    bool m_settingMinMax = false;
    // Drawing state of one pass.
    int m_labelIndex = 0;
    // Text labels drawn so far: position and half size along the axis.
    std::vector<std::pair<int, int>> m_drawnTextLabels;
    double m_drawIncrement = 0;

    bool m_automatic = true;
    bool m_automaticMaximum = true;
    bool m_automaticMinimum = true;
    double m_increment = 0;
    double m_maximum = 0;
    double m_minimum = 0;
    bool m_logarithmic = false;
    double m_logarithmicBase = 10;
    int m_maximumOffset = 0;
    int m_minimumOffset = 0;
    bool m_maximumRound = false;
    bool m_minimumRound = false;
    double m_zPosition = 0.01;
    int m_titleSize = 0;
    TAxisLabelAlign m_labelsAlign = alDefault;
    bool m_labelsAlternate = false;
    int m_labelsAngle = 0;
    bool m_labelsOnAxis = true;
    int m_labelsSeparation = 10;
    int m_labelsSize = 0;
    TAxisLabelStyle m_labelStyle = talAuto;
    bool m_labelsExponent = false;
    bool m_labelsMultiLine = false;
    bool m_roundFirstLabel = true;
    std::string m_axisValuesFormat = DefaultAxisValuesFormat;
    std::string m_dateTimeFormat;
    bool m_exactDateTime = true;
    int m_minorTickCount = 3;
    int m_minorTickLength = 2;
    int m_tickInnerLength = 0;
    int m_tickLength = 4;
    bool m_tickOnLabelsOnly = true;
    bool m_inverted = false;
    bool m_horizontal = false;
    bool m_otherSide = false;
    bool m_visible = true;
    double m_startPosition = 0;
    double m_endPosition = 100;
    double m_positionPercent = 0;
    TPlotUnits m_positionUnits = muPercent;
};

// A label date moved back by one calendar step of the date-time table (half
// month, 1 to 6 months, one year), time dropped, the day kept where the month
// has it (31 March back one month is the last day of February).
double StepBackAxisDate(int StepIndex, double Date);

// The depth (Z) axis: the axis' properties, Visible with default False and
// ZPosition never stored; both depth axes of a chart are inverted together.
class TChartDepthAxis : public TChartAxis {
public:
    explicit TChartDepthAxis(TAxisContainer& Chart);
    static const TPropertyTable<TChartAxis>& Properties();
    const TPropertyTable<TChartAxis>& PropertyTable() const override { return Properties(); }
    TAxisLabelStyle CalcLabelStyle() const override;
    void SetInverted(bool Value) override;
};
