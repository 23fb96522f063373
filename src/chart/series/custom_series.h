#pragma once
// Points joined segment by segment, with pointers, stairs, a filled area down
// to an origin, stacking of series of one kind, 3D ribbons, and the hit test
// of points, segments and area pieces.
#include <functional>
#include <memory>
#include <span>

#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/series/custom_line_series.h"
#include "chart/series_pointer.h"
#include "chart/value_setter.h"

enum TCustomSeriesStack { cssNone, cssOverlap, cssStack, cssStack100 };
inline constexpr const char* CustomSeriesStackNames[] = {"cssNone", "cssOverlap", "cssStack", "cssStack100"};

class TCustomSeries : public TCustomLineSeries {
    Q_OBJECT
public:
    explicit TCustomSeries(QObject* Owner = nullptr);
    ~TCustomSeries() override;

    TChartBrush& AreaChartBrush() const { return *m_areaBrush; }
    void SetAreaChartBrush(const TChartBrush& Value) { m_areaBrush->Assign(Value); }
    TBrushStyle AreaBrush() const { return m_areaBrush->Style(); }
    void SetAreaBrush(TBrushStyle Value) { m_areaBrush->SetStyle(Value); }
    TBrushStyle LineBrush() const { return Brush().Style(); }
    void SetLineBrush(TBrushStyle Value) { Brush().SetStyle(Value); }
    TColor AreaColor() const { return m_areaColor; }
    void SetAreaColor(TColor Value) { SetColorProperty(m_areaColor, Value); }
    TChartPen& AreaLinesPen() const { return *m_areaLinesPen; }
    void SetAreaLinesPen(const TChartPen& Value) { m_areaLinesPen->Assign(Value); }
    bool ClickableLine() const { return m_clickableLine; }
    void SetClickableLine(bool Value) { m_clickableLine = Value; }
    bool ColorEachLine() const { return m_colorEachLine; }
    void SetColorEachLine(bool Value) { SetBooleanProperty(m_colorEachLine, Value); }
    virtual bool Dark3D() const { return m_dark3D; }
    virtual void SetDark3D(bool Value) { SetBooleanProperty(m_dark3D, Value); }
    bool DrawArea() const { return m_drawArea; }
    void SetDrawArea(bool Value) { SetBooleanProperty(m_drawArea, Value); }
    bool DrawLine() const { return m_drawLine; }
    void SetDrawLine(bool Value) { SetBooleanProperty(m_drawLine, Value); }
    bool InvertedStairs() const { return m_invertedStairs; }
    void SetInvertedStairs(bool Value) { SetBooleanProperty(m_invertedStairs, Value); }
    int LineHeight() const { return m_lineHeight; }
    void SetLineHeight(int Value) { SetIntegerProperty(m_lineHeight, Value); }
    TChartHiddenPen& OutLine() const { return *m_outLine; }
    void SetOutLine(const TChartPen& Value) { m_outLine->Assign(Value); }
    TSeriesPointer& Pointer() const { return *m_pointer; }
    void SetPointer(const TSeriesPointer& Value) { m_pointer->Assign(Value); }
    TPlotShadow& Shadow() const { return *m_shadow; }
    void SetShadow(const TPlotShadow& Value) { m_shadow->Assign(&Value); }
    TCustomSeriesStack Stacked() const { return m_stacked; }
    // Also every series of the chart of this class (or derived).
    void SetStacked(TCustomSeriesStack Value);
    bool Stairs() const { return m_stairs; }
    void SetStairs(bool Value) { SetBooleanProperty(m_stairs, Value); }
    virtual TPlotGradient& Gradient() const { return *m_gradient; }
    void SetGradient(const TCustomPlotGradient& Value) { m_gradient->Assign(Value); }
    virtual int Transparency() const { return m_transparency; }
    virtual void SetTransparency(int Value) { SetIntegerProperty(m_transparency, Value); }
    // The values a stream leaves out: those the type is built with.
    bool DefaultClickableLine() const { return m_defaultClickableLine; }
    bool DefaultDrawArea() const { return m_defaultDrawArea; }
    int DefaultTransparency() const { return m_defaultTransparency; }

    std::function<void(TCustomSeries& Sender, int ValueIndex, int X, int Y)> OnClickPointer;
    std::function<TSeriesPointerStyle(TCustomSeries& Sender, int ValueIndex)> OnGetPointerStyle;

    // ---- operations ----
    // Distance from a point to its mark: the callout's distance and length.
    virtual int MarkOffset() const;
    // The pointer of point ValueIndex at (PointX, PointY) lies under (X, Y).
    virtual bool ClickedPointer(int ValueIndex, int PointX, int PointY, int X, int Y) const;
    virtual void PrepareClickedPointer(int) const {}
    // Stacks on Series (same class).
    virtual bool SameStackGroup(const TCustomSeries& Series) const;
    // Screen position of the bottom of point ValueIndex on the mandatory axis.
    virtual int GetOriginPos(int ValueIndex) const;
    TSeriesPointerStyle GetPointerStyle(int ValueIndex);
    virtual void DrawPointer(int X, int Y, TColor Color, int ValueIndex);
    // Sum of the mandatory values of the same stack below this series (SumAll:
    // of every series of the stack, this one included), the signs apart.
    double PointOrigin(int ValueIndex, bool SumAll) const;
    int CalcStackedPos(double Value, int ValueIndex) const;

    // ---- overrides ----
    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "TCustomSeriesEditor"; }
    void GetHorizMargins(int& Left, int& Right) override;
    void GetVertMargins(int& Top, int& Bottom) override;
    void CalcZOrder() override;
    void DrawAllValues() override;
    void DrawLegendShape(int Index, const TRect& Rect) override;
    // At the series' start depth; a vertical series' mark is lifted by the callout.
    void DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position) override;
    void DrawValue(int ValueIndex) override;
    // The pointer's symbol at the point (shown or not), outlined with Pen.
    void DrawValueAlone(int ValueIndex, const TChartPen& Pen) override;
    double MaxXValue() const override;
    double MaxYValue() const override;
    double MinXValue() const override;
    double MinYValue() const override;
    int CalcXPos(int Index) const override;
    int CalcYPos(int Index) const override;
    int Clicked(int X, int Y) const override;
    // Clicked; a press on the pointer of the point found fires OnClickPointer.
    int MouseClicked(int X, int Y) override;
    bool PositionsInOrder() const override;
    const TPointIndex* PointIndex() const override;
    bool HasClickPointerEvents() const { return m_pointer->Visible() && OnClickPointer; }
    bool HasClickEvents() const override { return TCustomLineSeries::HasClickEvents() || HasClickPointerEvents(); }
    // Off: each segment of a plain line sets up its pen again, as the first
    // one does (the reference for comparisons).
    static void SetPenRunsEnabled(bool Enabled);
    static bool PenRunsEnabled();

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

protected:
    // Each value and its stored default together, the one way a type is
    // built otherwise than TCustomSeries is.
    void InitClickableLine(bool Value)
    {
        InitValue(*this, &TCustomSeries::SetClickableLine, m_defaultClickableLine, Value);
    }
    void InitDrawArea(bool Value) { InitValue(*this, &TCustomSeries::SetDrawArea, m_defaultDrawArea, Value); }
    void InitTransparency(int Value)
    {
        InitValue(*this, &TCustomSeries::SetTransparency, m_defaultTransparency, Value);
    }
    // Stacked without propagation or repaint.
    void SetStackedQuiet(TCustomSeriesStack Value) { m_stacked = Value; }
    // The Y where the segment from point i - 1 to point i crosses the
    // horizontal value XEdge (linear or logarithmic mandatory axis), in pixels.
    int EdgeCrossingY(int ValueIndex, double XEdge) const;
    void DrawSegment(int ValueIndex, bool DrawOldPointer);
    void DrawAreaPiece(int ValueIndex);
    // The whole series once more in the shadow's colour, its axes shifted by
    // the shadow's sizes, pointers hidden.
    void DrawShadowPass();
    void DrawRibbon3D(TCanvas3D& c);
    void DrawStairs3D(TCanvas3D& c);
    // The side plane closing a 3D area at X (a vertical series) from Y to Bottom.
    void DrawEndCap(TCanvas3D& c, int X, int Y, int Bottom);
    void FillGradient(TCanvas3D& c, const TRect& R, TColor StartColor);
    static TRect PolygonBounds(std::span<const TPoint> Points);
    // Depth of an area's front face: the end depth when the chart is turned round.
    int FrontFaceZ() const;
    TRect AreaGradientRect(const TRect& Piece) const;
    TColor AreaColorOf(TColor PointColor) const;

    // drawing state of one pass
    int m_bottomPos = 0;
    int m_oldBottomPos = 0;
    int m_oldX = 0;
    int m_oldY = 0;
    TColor m_oldColor = clNone;
    double m_darkRatio = 0;
    // the point being drawn
    int m_x = 0;
    int m_y = 0;
    TColor m_color = clNone;
    bool m_isLast = false;

private:
    // The canvas pen a plain 2D line segment left, with the line pen and the
    // colour it came from: while all stay, the next segment draws with it as
    // it is.
    struct TPenRun {
        bool Valid = false;
        TColor Colour = clNone;  // the colour asked of the line pen
        TColor PenColor = clNone;
        TPenStyle PenStyle = psSolid;
        TPenMode PenMode = pmCopy;
        int PenWidth = 0;
        TColor LineColor = clNone;
        TPenStyle LineStyle = psSolid;
        TPenMode LineMode = pmCopy;
        int LineWidth = 0;
        bool LineSmallDots = false;
        bool Holds(const TPen& CanvasPen, const TChartPen& Line, TColor Asked) const;
    };
    // Draws point ValueIndex's segment with the pen of the run; false when
    // the general path must draw it.
    bool DrawValueInPenRun(int ValueIndex);
    void StartPenRun(TCanvas3D& c, TColor Colour);

    // Mandatory value extremes: Max or min over the points drawn, stacked.
    double MandatoryExtreme(bool Max) const;
    bool SegmentClicked(int X0, int Y0, int X1, int Y1, int X, int Y) const;
    // The hit test over points From..To (segments only after Start).
    int ClickedIn(int From, int To, int Start, int X, int Y) const;

    std::unique_ptr<TChartBrush> m_areaBrush;
    TColor m_areaColor = clDefault;
    std::unique_ptr<TChartPen> m_areaLinesPen;
    bool m_clickableLine = true;
    bool m_colorEachLine = true;
    bool m_dark3D = true;
    bool m_drawArea = false;
    bool m_drawLine = false;
    bool m_invertedStairs = false;
    int m_lineHeight = 0;
    std::unique_ptr<TChartHiddenPen> m_outLine;
    std::unique_ptr<TSeriesPointer> m_pointer;
    std::unique_ptr<TPlotShadow> m_shadow;
    TCustomSeriesStack m_stacked = cssNone;
    bool m_stairs = false;
    int m_transparency = 0;
    std::unique_ptr<TPlotGradient> m_gradient;
    TPenRun m_penRun;
    bool m_defaultClickableLine = true;
    bool m_defaultDrawArea = false;
    int m_defaultTransparency = 0;
};
