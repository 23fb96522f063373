#pragma once
// One polyline through the points with no pointers, areas or stacking; with
// AutoRepaint off each added point is drawn at once, without a repaint.
#include "chart/series/custom_line_series.h"

class TLinearPixelForm;

class TFastLineSeries : public TCustomLineSeries {
    Q_OBJECT
public:
    explicit TFastLineSeries(QObject* Owner = nullptr);

    bool AutoRepaint() const { return m_autoRepaint; }
    void SetAutoRepaint(bool Value) { m_autoRepaint = Value; }
    bool DrawAllPoints() const { return m_drawAllPoints; }
    void SetDrawAllPoints(bool Value) { SetBooleanProperty(m_drawAllPoints, Value); }
    // The incremental draw uses a plain solid pen in the line colour.
    bool FastPen() const { return m_fastPen; }
    void SetFastPen(bool Value) { m_fastPen = Value; }
    bool IgnoreNulls() const { return m_ignoreNulls; }
    void SetIgnoreNulls(bool Value) { SetBooleanProperty(m_ignoreNulls, Value); }
    bool InvertedStairs() const { return m_invertedStairs; }
    void SetInvertedStairs(bool Value) { SetBooleanProperty(m_invertedStairs, Value); }
    bool Stairs() const { return m_stairs; }
    void SetStairs(bool Value) { SetBooleanProperty(m_stairs, Value); }

    // Whole draws project linear axes inline (off: one axis call per point,
    // the same pixels).
    bool InlinePositions() const { return m_inlinePositions; }
    void SetInlinePositions(bool Value) { m_inlinePositions = Value; }
    // With DrawAllPoints, consecutive segments within one pixel column are
    // drawn as the one run of pixels they cover where that gives the same
    // pixels (2D, a solid one-pixel pen copying its colour); off: each
    // segment on its own.
    bool MergeColumns() const { return m_mergeColumns; }
    void SetMergeColumns(bool Value) { m_mergeColumns = Value; }

    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "TFastLineSeriesEditor"; }
    void SetPen(const TChartPen& Value) override;
    void SetSeriesColor(TColor Value) override;
    void SetAssignedColor(TColor Value) override;
    void GetHorizMargins(int& Left, int& Right) override;
    void GetVertMargins(int& Top, int& Bottom) override;
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    void DrawAllValues() override;
    void DrawValue(int ValueIndex) override;
    // A fast line has no point of its own to draw.
    void DrawValueAlone(int, const TChartPen&) override {}
    void DrawLegendShape(int Index, const TRect& Rect) override;
    // Lifted by the callout.
    void DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position) override;
    void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
    void AddedValue(int Index) override;
    int Clicked(int X, int Y) const override;
    const TPointIndex* PointIndex() const override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    void PrepareCanvas(TCanvas3D& Canvas);
    void PointPosition(int Index, int& X, int& Y) const;
    // The segment (or move) to the point's pixel X, Y.
    void DrawTo(int ValueIndex, int x, int y);
    // Points From..Last with IgnoreNulls, the segments within one column
    // drawn as the run of pixels they cover.
    void DrawColumnRuns(int From, int Last, const TLinearPixelForm& Px, const TLinearPixelForm& Py);
    // The hit test over points From..To (segments only after Start).
    int ClickedIn(int From, int To, int Start, int X, int Y) const;
    // Grows the margins by the line's width beyond the point.
    int PenMargin() const;

    bool m_autoRepaint = true;
    bool m_drawAllPoints = true;
    bool m_fastPen = false;
    bool m_ignoreNulls = true;
    bool m_inlinePositions = true;
    bool m_mergeColumns = true;
    bool m_invertedStairs = false;
    bool m_stairs = false;
    int m_oldX = 0;
    int m_oldY = 0;
    // the point before was null (tnDontPaint: reached by a move)
    bool m_oldNull = false;
};
