#pragma once
// The chart control: the axis panel with four titles, the legend, the walls,
// the mouse behaviour (clicks on chart parts, zoom by dragging, panning, wheel
// scrolling) and the colour palette index. TChart is the class put on forms.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/chart_legend.h"
#include "chart/chart_title.h"
#include "chart/chart_walls.h"

class TChartAxis;

// The part of a chart under a point.
enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect, cpSeriesMarks,
                              cpSubTitle, cpSubFoot, cpAxisTitle };

struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    int PointIndex = -1;
    TChartSeries* ASeries = nullptr;
    TChartAxis* AAxis = nullptr;
};

// Wheel scrolling of the vertical axes (on unless switched off).
extern bool WheelScrollsAxes;
// Keys that must be down for a pan drag to start.
extern TShiftState ScrollKeyShift;
// A zoom animation moves each axis by 1 / this of the remaining way per step.
extern double ZoomAnimationDivisor;

class TCustomChart : public TCustomAxisPanel {
public:
    explicit TCustomChart(QWidget* Parent = nullptr);
    ~TCustomChart() override;

    static const TPropertyTable<TCustomPlotPanel>& Properties();
    const TPropertyTable<TCustomPlotPanel>& PropertyTable() const override { return Properties(); }

    // ---- owned parts (setters assign into them) ----
    TChartTitle* Title() const { return m_title.get(); }
    void SetTitle(const TChartTitle* Value) { AssignPart(m_title.get(), Value); }
    TChartTitle* SubTitle() const { return m_subTitle.get(); }
    void SetSubTitle(const TChartTitle* Value) { AssignPart(m_subTitle.get(), Value); }
    TChartFootTitle* Foot() const { return m_foot.get(); }
    void SetFoot(const TChartTitle* Value) { AssignPart(m_foot.get(), Value); }
    TChartFootTitle* SubFoot() const { return m_subFoot.get(); }
    void SetSubFoot(const TChartTitle* Value) { AssignPart(m_subFoot.get(), Value); }
    TChartLegend* Legend() const { return m_legend.get(); }
    void SetLegend(const TCustomChartLegend* Value) { AssignPart(m_legend.get(), Value); }
    TChartWalls& Walls() const { return *m_walls; }
    TChartBackWall* BackWall() const { return &m_walls->Back(); }
    TChartLeftWall* LeftWall() const { return &m_walls->Left(); }
    TChartRightWall* RightWall() const { return &m_walls->Right(); }
    TChartBottomWall* BottomWall() const { return &m_walls->Bottom(); }
    // The back wall's pen.
    TChartPen* Frame() const { return m_walls->Back().Pen(); }
    void SetFrame(const TChartPen* Value) { m_walls->Back().SetPen(Value); }

    TMouseButton ScrollMouseButton() const { return m_scrollMouseButton; }
    void SetScrollMouseButton(TMouseButton Value) { m_scrollMouseButton = Value; }
    int ColorPaletteIndex() const { return m_colorPaletteIndex; }
    // Applies the palette of that number when the value changes.
    void SetColorPaletteIndex(int Value) override;

    // ---- editor support ----
    // The data sources an editor may offer Series: none here.
    virtual void FillSeriesSourceItems(const TChartSeries* Series, const std::function<void(const std::string&)>& Proc);
    // For a series whose data source is another series, the name of each
    // value list of that source.
    virtual void FillValueSourceItems(const TChartSeries* Series, const std::function<void(const std::string&)>& Proc);

    // ---- legend services ----
    // Legend text of point Index of Series in the legend's text style, line
    // separators as blanks; empty for index -1.
    std::string LegendText(const TChartSeries& Series, int Index) const override;
    // The text of legend item Index for the resolved style, through OnGetLegendText.
    std::string FormattedLegend(int Index);
    // Colour the legend is drawn on (series draw their symbols against it).
    TColor LegendColor = clWhite;
    TChartPen* LegendSymbolPen() const override { return m_legendPen; }
    void SetLegendSymbolPen(TChartPen* Value) { m_legendPen = Value; }
    void DrawLegendRect(const TRect& R) override;
    TColor LegendBackColor() const override { return LegendColor; }

    bool IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const override;
    TColor GetBackColor() const override;
    int AxisWallSize(const TChartAxis& Axis) const override;

    // ---- mouse ----
    // The part under (X, Y); ForClick tests only series that answer clicks
    // and lets the series hit fire its own part's click (a pointer's).
    TChartClickedPart CalcClickedPart(int X, int Y, bool ForClick = false);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;

    // ---- zoom ----
    // Zooms the four standard axes to the pixel rectangle.
    void ZoomRect(const TRect& R);
    void UndoZoom() override;
    // The axis state was saved by a zoom or pan and not yet restored.
    bool AxesSaved() const { return !m_restoredAxes; }

    // ---- events ----
    std::function<void(TCustomChart&, TMouseButton, TShiftState, int, int)> OnClickLegend;
    std::function<void(TCustomChart&, TMouseButton, TShiftState, int, int)> OnClickBackground;
    std::function<void(TCustomChart&, TChartAxis*, TMouseButton, TShiftState, int, int)> OnClickAxis;
    std::function<void(TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int)> OnClickSeries;
    std::function<void(TCustomChart&, TChartTitle*, TMouseButton, TShiftState, int, int)> OnClickTitle;
    std::function<void(TCustomAxisPanel&, TLegendStyle, int, std::string&)> OnGetLegendText;
    std::function<void(TCustomChart&, int, int& X, int& Y, int& XColor)> OnGetLegendPos;
    std::function<void(TCustomChart&, TRect&)> OnGetLegendRect;
    // Sender axis, in-out minimum and maximum, in-out permission (true on entry).
    std::function<void(TChartAxis&, double&, double&, bool&)> OnAllowScroll;

    // Title, SubTitle, Foot, SubFoot and the legend: before the series those
    // at their usual places, after them those at custom positions.
    void DrawTitlesAndLegend(bool BeforeSeries) override;

    void Assign(const TCustomPlotPanel& Source) override;

protected:
    void CalcWallsRect() override;
    void DrawWalls() override;

private:
    template <typename T, typename S>
    static void AssignPart(T* Part, const S* Value)
    {
        if (Value && Value != Part)
            Part->Assign(*Value);
    }
    void DrawTitles(bool CustomPass);
    // Zoom or pan starts at (X, Y) when the button and keys ask for it.
    void StartZoomOrPan(TMouseButton Button, TShiftState Shift, int X, int Y);
    void SaveAxes();
    void RestoreAxes();
    // Sets the axis range after OnAllowScroll; true when the axis moved.
    bool ScrollAxis(TChartAxis& Axis, double Min, double Max);
    void PanTo(int X, int Y);
    bool WallDrawable(const TCustomChartWall& Wall) const;

    struct TSavedAxis {
        bool Automatic = true;
        bool AutomaticMinimum = true;
        bool AutomaticMaximum = true;
        double Minimum = 0;
        double Maximum = 0;
        // The axis the record belongs to (axes may come and go between zoom and undo).
        std::uint64_t AxisSerial = 0;
    };

    std::unique_ptr<TChartFootTitle> m_foot;
    std::unique_ptr<TChartFootTitle> m_subFoot;
    std::unique_ptr<TChartLegend> m_legend;
    std::vector<TSavedAxis> m_savedAxes;
    TMouseButton m_scrollMouseButton = mbRight;
    std::unique_ptr<TChartTitle> m_subTitle;
    std::unique_ptr<TChartTitle> m_title;
    std::unique_ptr<TChartWalls> m_walls;
    int m_colorPaletteIndex = 0;
    bool m_restoredAxes = true;
    TChartPen* m_legendPen = nullptr;
};

class TChart : public TCustomChart {
public:
    using TCustomChart::TCustomChart;
};
