#pragma once
// The base of every series type: the points of one data series (value lists,
// a label and an optional colour per point, custom mark positions), its axis
// binding, its data sources and the series that depend on it, the "Data"
// stream, mark and legend texts.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/chart_element.h"
#include "chart/chart_value_list.h"
#include "chart/labels_list.h"
#include "chart/plot_geometry.h"
#include "chart/series_marks.h"
#include "chart/graphics_objects.h"

class TChartAxis;
class TChartSeries;
class TPlotFunction;
class TPointIndex;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
enum TLegendTextStyle {
    ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue, ltsValue, ltsPercent,
    ltsXAndValue, ltsXAndPercent
};
// Changes passed to dependent series.
enum class TValueEvent { Clear = 0, Add = 1, Delete = 2, Refresh = 3, Modify = 4 };

// Notify flags of a dependant.
enum : std::uint8_t { nfDelete = 1, nfModify = 2, nfAdd = 4, nfClear = 8 };

// Refills Series from its data sources or function (Designing: sample values
// for a series with neither).
void RefreshSeriesData(TChartSeries& Series, bool Designing);
// Raises ChartException "Circular Series dependences are not allowed" when
// Series is Source or one of its sources, through series and source components.
void CheckCircularSource(const TChartSeries* Series, const QObject* Source);

// Separator of the columns of a legend text.
inline constexpr char ColumnSeparator = 6;

class TChartSeries : public TCustomChartSeries {
    Q_OBJECT
public:
    explicit TChartSeries(QObject* Owner = nullptr);
    ~TChartSeries() override;

    // ---- value lists ----
    TChartValueList& XValues() const { return *m_lists[0]; }
    void SetXValues(const TChartValueList& Value);
    TChartValueList& YValues() const { return *m_lists[1]; }
    void SetYValues(const TChartValueList& Value);
    int ValuesListCount() const { return static_cast<int>(m_lists.size()); }
    TChartValueList& ValuesList(int i) const { return *m_lists[static_cast<std::size_t>(i)]; }
    // A new list of this series (extra lists come after X and Y).
    TChartValueList& CreateValueList(const std::string& Name);
    // Extra list (index 2 on) of that name, else YValues.
    TChartValueList& ValueListByName(const std::string& Name) const;
    void AssignValueList(int Index, const TChartValueList& Source);
    TChartValueList& MandatoryValueList() const { return *m_mandatory; }
    TChartValueList& NotMandatoryValueList() const { return *m_notMandatory; }
    bool YMandatory() const { return m_yMandatory; }
    // X becomes the mandatory list (horizontal series types).
    void SetHorizontal();

    // ---- points ----
    int Count() const { return XValues().Count(); }
    virtual int AddXY(double X, double Y, const std::string& Label = {}, TColor Color = clDefault);
    int Add(double Value, const std::string& Label = {}, TColor Color = clDefault);
    int AddXYPointY(double Value, const std::string& Label = {}, TColor Color = clDefault);
    int AddNull(const std::string& Label = {}) { return Add(0, Label, clNone); }
    // Many points at once, as AddXY would add them one by one (X and Y of the
    // same length): appended in one step when they keep the X order and no
    // per-point event needs them (OnBeforeAdd unset, the series updating).
    void AddXYs(std::span<const double> X, std::span<const double> Y);
    int AddNullXY(double X, double Y, const std::string& Label = {}) { return AddXY(X, Y, Label, clNone); }
    // Point Index of Source; answers the new index.
    virtual int AddValuesFrom(const TChartSeries& Source, int Index);
    virtual int AddPointFrom(const TChartSeries& Source, int Index);
    // Raises ChartException for an index outside 0..Count-1.
    virtual void Delete(int Index);
    // Nothing when Start is outside 0..Count-1; Quantity is cut to the points there are.
    virtual void DeleteRange(int Start, int Quantity, bool RemoveGap = false);
    virtual void Clear();
    virtual void ClearLists();
    void BeginUpdate() { ++m_updateLock; }
    void EndUpdate();
    bool Updating() const { return m_updateLock > 0; }
    // Exchanges two points in every list, the colours and labels.
    void SwapValues(int A, int B);
    // Sorts the points by the mandatory list's order and renumbers the other
    // list (unless it has a value source).
    void CheckOrder();

    virtual double GetXValue(int Index) const { return XValues().Value(Index); }
    virtual double GetYValue(int Index) const { return YValues().Value(Index); }
    double MandatoryValue(int Index) const { return m_mandatory->Value(Index); }
    virtual double GetMarkValue(int Index) const { return MandatoryValue(Index); }
    virtual double MaxXValue() const { return XValues().MaxValue(); }
    virtual double MaxYValue() const { return YValues().MaxValue(); }
    virtual double MinXValue() const { return XValues().MinValue(); }
    virtual double MinYValue() const { return YValues().MinValue(); }
    virtual double MaxZValue() const { return EffectiveZOrder(); }
    virtual double MinZValue() const { return EffectiveZOrder(); }
    // True unless X is exactly 0, 1, ..., n-1 (every point checked); false
    // when the series does not store X.
    bool HasNonSequentialX() const;

    // ---- colours ----
    TColor SeriesColor() const;
    virtual void SetSeriesColor(TColor Value);
    TColor AssignedColor() const { return m_assignedColor; }
    // The palette's colour, used while the series has none of its own.
    virtual void SetAssignedColor(TColor Value) { m_assignedColor = Value; }
    // The user's colour (clDefault when none).
    TColor OwnSeriesColor() const { return m_seriesColor; }
    bool ColorEachPoint() const { return m_colorEachPoint; }
    virtual void SetColorEachPoint(bool Value) { SetBooleanProperty(m_colorEachPoint, Value); }
    // The point's own colour (clDefault when it has none or the index is out of range).
    TColor ValueColor(int Index) const;
    // Out-of-range indexes change nothing.
    void SetValueColor(int Index, TColor Value);
    bool HasColors() const { return m_colors != nullptr; }
    // The colour a point is drawn in.
    virtual TColor GetValueColor(int Index) const;
    bool IsNull(int Index) const { return GetValueColor(Index) == clNone; }
    virtual TColor LegendItemColor(int i) const { return GetValueColor(i); }
    // Shown with a colour in series lists.
    bool ShowColorInList() const { return m_showColorInList; }
    void SetShowColorInList(bool Value) { m_showColorInList = Value; }

    // ---- labels and marks ----
    TLabelsList& Labels() { return m_labels; }
    const TLabelsList& Labels() const { return m_labels; }
    TSeriesMarks& Marks() { return *m_marks; }
    const TSeriesMarks& Marks() const { return *m_marks; }
    void SetMarks(const TSeriesMarks& Value) { m_marks->Assign(Value); }
    const std::string& ValueFormat() const { return m_valueFormat; }
    virtual void SetValueFormat(const std::string& Value) { SetStringProperty(m_valueFormat, Value); }
    const std::string& PercentFormat() const { return m_percentFormat; }
    void SetPercentFormat(const std::string& Value) { SetStringProperty(m_percentFormat, Value); }
    // The mark text of a point by the marks' Style (then the item's text, then OnGetMarkText).
    std::string GetMarkText(int Index) const;
    // The widest text over the visible marks.
    int MaxMarkWidth() { return Marks().MaxMarkWidth(); }
    std::string LegendString(int Index, TLegendTextStyle Style) const;
    virtual int LegendToValueIndex(int i) const { return i; }
    // The component name, or "Series" and the position in the chart + 1.
    std::string NameOrDefault() const;
    // The title (column separators as blanks), or NameOrDefault.
    std::string TitleOrName() const;
    void SetTitle(const std::string& Value) override;

    // ---- axes ----
    THorizAxis HorizAxis() const { return m_horizAxis; }
    void SetHorizAxis(THorizAxis Value);
    TVertAxis VertAxis() const { return m_vertAxis; }
    void SetVertAxis(TVertAxis Value);
    TChartAxis* CustomHorizAxis() const { return m_customHorizAxis; }
    void SetCustomHorizAxis(TChartAxis* Value);
    TChartAxis* CustomVertAxis() const { return m_customVertAxis; }
    void SetCustomVertAxis(TChartAxis* Value);
    // The axes in use (nullptr without a chart).
    TChartAxis* GetHorizAxis() const { return m_resolvedHoriz; }
    TChartAxis* GetVertAxis() const { return m_resolvedVert; }
    TChartAxis* MandatoryAxis() const { return m_yMandatory ? m_resolvedVert : m_resolvedHoriz; }
    // Resolves the axes on the current chart; a custom axis of another chart is dropped.
    void RebindAxes();
    // Axis is being freed: the series goes back to the standard axes, and
    // rebinds and repaints when Rebind (not while the chart is freed).
    void ForgetCustomAxis(const TChartAxis& Axis, bool Rebind);
    virtual bool UseAxis() const { return true; }
    bool AssociatedToAxis(const TChartAxis* Axis) const;
    // The same for a standard axis of the chart (by the binding while the
    // chart has no axis objects).
    bool AssociatedToStandardAxis(TStandardAxis Axis) const;
    const TChartValueList* AxisValueList(const TChartAxis* Axis) const;
    int CalcXPosValue(double Value) const;
    int CalcYPosValue(double Value) const;
    virtual int CalcXPos(int Index) const { return CalcXPosValue(GetXValue(Index)); }
    virtual int CalcYPos(int Index) const { return CalcYPosValue(GetYValue(Index)); }
    // Screen position of point Index.
    virtual void CalcXYPos(int Index, int& X, int& Y) const
    {
        X = CalcXPos(Index);
        Y = CalcYPos(Index);
    }
    // Drawn with the other active series of its Z order (the chart's answer).
    virtual bool MoreSameZOrder() const { return ParentChart() && ParentChart()->MoreSameZOrder(*this); }
    // Screen position of a value along the mandatory axis.
    int CalcPosValue(double Value) const { return m_yMandatory ? CalcYPosValue(Value) : CalcXPosValue(Value); }
    double XScreenToValue(int X) const;
    double YScreenToValue(int Y) const;

    // ---- depth ----
    int Depth() const { return m_depth; }
    void SetDepth(int Value) { SetIntegerProperty(m_depth, Value); }
    int ZOrder() const { return m_zOrder; }
    void SetZOrder(int Value) { SetIntegerProperty(m_zOrder, Value); }
    int EffectiveZOrder() const { return m_zOrder == -1 ? m_computedZOrder : m_zOrder; }
    virtual void CalcZOrder();
    // The Z order this draw uses (the chart reverses it for depth).
    int ComputedZOrder() const { return m_computedZOrder; }
    void SetComputedZOrder(int Value) { m_computedZOrder = Value; }
    virtual void CalcDepthPositions();
    int StartZ() const { return m_startZ; }
    int MiddleZ() const { return m_middleZ; }
    int EndZ() const { return m_endZ; }

    // ---- visible range ----
    int FirstValueIndex() const { return m_firstValueIndex; }
    int LastValueIndex() const { return m_lastValueIndex; }
    void SetVisibleRange(int First, int Last)
    {
        m_firstValueIndex = First;
        m_lastValueIndex = Last;
    }
    bool CalcVisiblePoints() const { return m_calcVisiblePoints; }
    void SetCalcVisiblePoints(bool Value) { m_calcVisiblePoints = Value; }
    bool DrawBetweenPoints() const { return m_drawBetweenPoints; }
    void SetDrawBetweenPoints(bool Value) { m_drawBetweenPoints = Value; }
    virtual bool DrawValuesForward() const;
    int FirstDrawIndex() const { return DrawValuesForward() ? m_firstValueIndex : m_lastValueIndex; }
    int LastDrawIndex() const { return DrawValuesForward() ? m_lastValueIndex : m_firstValueIndex; }
    // First and last point inside the not-mandatory axis' range (all points
    // when that list is unordered or visibility is not calculated).
    virtual void CalcFirstLastVisible();
    // Point Index is drawn front to back (false when the chart is seen from behind).
    virtual bool DrawSeriesForward(int Index) const;

    // ---- drawing ----
    // One point; the series types draw it.
    virtual void DrawValue(int) {}
    // Point ValueIndex by itself, outside the chart's draw (a tool's mark),
    // with Pen in place of the series' own and joined to no other point.
    virtual void DrawValueAlone(int ValueIndex, const TChartPen& Pen);
    // The visible points, forwards or backwards.
    virtual void DrawAllValues();
    // The marks of the visible points (every DrawEvery-th, not null, with a text).
    void DrawMarks();
    virtual void DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position);
    // BeforeDrawValues / AfterDrawValues, and the notices to the series tools bound to this series.
    virtual void DoBeforeDrawValues();
    virtual void DoAfterDrawValues();
    // The legend symbol of point Index (-1: the whole series) in Rect.
    void DrawLegend(int Index, const TRect& Rect);
    virtual void DrawLegendShape(int Index, const TRect& Rect);
    // The series type's pen, back colour and brush style for its legend symbol.
    virtual void PrepareLegendCanvas(int, TColor&, TBrushStyle&) {}

    // ---- gallery ----
    // The captions of the type's sub-styles, "Normal" first.
    virtual void CreateSubGallery(std::vector<std::string>& Captions) const;
    // Applies sub-style Index (0 is "Normal": nothing).
    virtual void SetSubGallery(int) {}
    // Settings of the type's preview in the gallery (IsEnabled false: the
    // entry is shown disabled).
    virtual void PrepareForGallery(bool) {}

    // First and last point of the current page of Size points.
    void CalcFirstLastPage(int PageSize, int Current, int& First, int& Last) const;

    // ---- functions and data sources ----
    TPlotFunction* FunctionType() const { return m_function; }
    // A line a function keeps beside its series (owned and freed by the
    // function, never streamed with the chart).
    bool OwnedByFunction() const;
    // The series whose function owns this line; nullptr for a series of its own.
    TChartSeries* FunctionParentSeries() const;
    // Takes over Function; frees the previous one.
    virtual void SetFunction(TPlotFunction* Function);
    // The Period-0 result of the function is one point at the middle of the
    // source's X range (else a level line across it).
    bool SinglePointFunction() const { return m_singlePointFunction; }
    void SetSinglePointFunction(bool Value) { m_singlePointFunction = Value; }
    int DataSourceCount() const { return static_cast<int>(m_dataSources.size()); }
    QObject* DataSourceAt(int i) const { return m_dataSources[static_cast<std::size_t>(i)]; }
    QObject* DataSource() const { return m_dataSources.empty() ? nullptr : m_dataSources.front(); }
    // nullptr removes every source; otherwise Value replaces them.
    void SetDataSource(QObject* Value);
    // Answers the source's index, -1 when it was there already.
    int AddDataSource(QObject* Source, bool Replace = false);
    void RemoveDataSource(QObject* Source);
    void ClearDataSources();
    // This series' own test of a source (not itself; its function decides).
    virtual bool IsValidSourceOf(const QObject* Source) const;
    // Series whose data source is this one.
    const std::vector<TChartSeries*>& LinkedSeries() const { return m_linked; }
    std::uint8_t NotifyFlags() const { return m_notifyFlags; }
    void SetNotifyFlags(std::uint8_t Value) { m_notifyFlags = Value; }
    // Refills from the data sources (or the function).
    void CheckDataSource();
    virtual void AssignValues(const TChartSeries& Source);
    void CopyValues(const TChartSeries& Source) { AssignValues(Source); }
    void RefreshSeries();
    virtual void NotifyValue(TValueEvent Event, int Index);
    virtual void AddedValue(int Index);
    virtual void DeletedValue(const TChartSeries& Source, int Index);
    const std::string& ColorSource() const { return m_colorSource; }
    void SetColorSource(const std::string& Value);
    const std::string& XLabelsSource() const { return m_xLabelsSource; }
    void SetXLabelsSource(const std::string& Value);

    // ---- sample values ----
    // The series type's own sample count (0: NumSampleValues).
    virtual int DefaultSampleCount() const { return 0; }
    virtual int NumSampleValues() const { return 25; }
    // Raises ChartException for a negative count.
    void FillSampleValues(int NumValues = 0);
    virtual void AddSampleValues(int NumValues, bool OnlyMandatory = false);
    int RandomValue(int Limit) const;

    // ---- streaming ----
    // Points were read from "Data" and not replaced since.
    bool StreamedData() const { return m_streamedData; }
    void SetStreamedData(bool Value) { m_streamedData = Value; }
    // The points are edited data, stored with the form (the same flag).
    bool Modified() const { return m_streamedData; }
    void SetModified(bool Value) { m_streamedData = Value; }
    bool XStored() const { return m_xStored; }
    void SetXStored(bool Value) { m_xStored = Value; }
    std::vector<std::uint8_t> WriteData() const;
    // Replaces the points; a malformed stream raises one EReadError and leaves
    // the series cleared and unlocked.
    void ReadData(std::span<const std::uint8_t> Data);

    // Another series' settings and points.
    void Assign(const TCustomChartElement& Source) override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

    int Cursor() const { return m_cursor; }
    void SetCursor(int Value) { m_cursor = Value; }
    virtual int Clicked(int, int) const { return -1; }
    // The hit test of a press on the chart: Clicked, and the click events of
    // the series' own parts that a hit fires.
    virtual int MouseClicked(int X, int Y) { return Clicked(X, Y); }
    // The screen positions of the points along the not-mandatory axis never
    // turn back as the index grows (false when that is not sure).
    virtual bool PositionsInOrder() const { return false; }
    // Bounds of the points' values by runs, up to date, when each point's
    // position is that of its X and Y values on linear axes; else nullptr.
    virtual const TPointIndex* PointIndex() const { return nullptr; }
    virtual bool HasClickEvents() const { return OnClick || OnDblClick; }
    // The mouse was over a point at the last mouse-over check.
    bool MouseInside() const { return m_mouseInside; }
    void SetMouseInside(bool Value) { m_mouseInside = Value; }

    // The chart added or removed this series.
    void SetParentChart(TSeriesParent* Value) override;
    void Repaint() override;

    // ---- events ----
    std::function<bool(TChartSeries&)> OnBeforeAdd;
    std::function<void(TChartSeries&, int)> OnAfterAdd;
    std::function<void(TChartSeries&)> OnClearValues;
    std::function<void(const TChartSeries&, int, std::string&)> OnGetMarkText;
    std::function<void(TChartSeries&)> BeforeDrawValues;
    std::function<void(TChartSeries&)> AfterDrawValues;
    std::function<void(TChartSeries&)> OnClick;
    std::function<void(TChartSeries&)> OnDblClick;
    std::function<void(TChartSeries&)> OnMouseEnter;
    std::function<void(TChartSeries&)> OnMouseLeave;

protected:
    // Depth positions a series type narrows; the middle lies between them.
    void SetDepthPositions(int Start, int End)
    {
        m_startZ = Start;
        m_endZ = End;
        m_middleZ = (Start + End) / 2;
    }
    void Notification(QObject* AComponent) override;
    void Loaded() override;

private:
    friend class TPlotFunction;
    std::string ValueText(double Value) const;
    std::string PercentText(double Value) const;
    std::string XText(int Index) const;
    std::string LabelOrValue(int Index) const;
    // Sets a custom axis slot, registering the series with the axis.
    void HoldCustomAxis(TChartAxis*& Slot, TChartAxis* Value);
    void LinkSource(QObject* Source);
    void UnlinkSource(QObject* Source);
    void AddLinked(TChartSeries* Series);
    void RemoveLinked(TChartSeries* Series);
    void ReadDataSources(TPropertyReader& Reader);
    void WriteDataSources(TPropertyWriter& Writer) const;

    std::vector<std::unique_ptr<TChartValueList>> m_lists;
    TChartValueList* m_mandatory = nullptr;
    TChartValueList* m_notMandatory = nullptr;
    bool m_yMandatory = true;
    TLabelsList m_labels;
    std::unique_ptr<std::vector<TColor>> m_colors;
    TColor m_seriesColor = clDefault;
    TColor m_assignedColor = clDefault;
    bool m_colorEachPoint = false;
    bool m_showColorInList = true;
    std::string m_colorSource;
    std::string m_xLabelsSource;
    int m_cursor = 0;
    bool m_mouseInside = false;
    int m_depth = -1;
    int m_zOrder = -1;
    int m_computedZOrder = 0;
    int m_startZ = 0;
    int m_middleZ = 0;
    int m_endZ = 0;
    THorizAxis m_horizAxis = aBottomAxis;
    TVertAxis m_vertAxis = aLeftAxis;
    TChartAxis* m_customHorizAxis = nullptr;
    TChartAxis* m_customVertAxis = nullptr;
    TChartAxis* m_resolvedHoriz = nullptr;
    TChartAxis* m_resolvedVert = nullptr;
    std::unique_ptr<TSeriesMarks> m_marks;
    std::string m_valueFormat = "#,##0.###";
    std::string m_percentFormat = "##0.## %";
    std::vector<QObject*> m_dataSources;
    std::vector<std::string> m_pendingSources;
    std::vector<TChartSeries*> m_linked;
    std::uint8_t m_notifyFlags = nfDelete | nfModify | nfAdd | nfClear;
    TPlotFunction* m_function = nullptr;
    int m_updateLock = 0;
    // ClearLists keeps the lists' arrays (a function is refilling them)
    bool m_keepRoom = false;
    int m_firstValueIndex = -1;
    int m_lastValueIndex = -1;
    bool m_calcVisiblePoints = true;
    bool m_drawBetweenPoints = false;
    bool m_singlePointFunction = true;
    bool m_xStored = true;
    bool m_streamedData = false;
};
