#pragma once
// The chart control: the axis panel with four titles, the legend, the mouse
// behaviour (clicks on chart parts, zoom by dragging, panning, wheel
// scrolling) and the colour palette index. TChart is the class put on forms.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/chart_legend.h"
#include "chart/chart_title.h"

class TChartAxis;

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

    TMouseButton ScrollMouseButton() const { return m_scrollMouseButton; }
    void SetScrollMouseButton(TMouseButton Value) { m_scrollMouseButton = Value; }
    int ColorPaletteIndex() const { return m_colorPaletteIndex; }
    // Applies the palette of that number when the value changes.
    void SetColorPaletteIndex(int Value);

    // ---- legend services ----
    // Colour the legend is drawn on (series draw their symbols against it).
    TColor LegendColor = clWhite;
    // Pen of legend symbols; nullptr: each series' own.
    TChartPen* LegendPen = nullptr;
    // Legend text of point Index of Series in the legend's text style, line
    // separators as blanks; empty for no series or index -1.
    std::string LegendText(const TChartSeries& Series, int Index) const override;
    // The text of legend item Index for the resolved style, through OnGetLegendText.
    std::string FormattedLegend(int Index) const;
    // The legend symbol of point ValueIndex (-1: the series) of Series in R.
    void DrawSeriesLegendSymbol(TChartSeries& Series, int ValueIndex, const TRect& R);

    bool IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const override;

    // ---- events ----
    std::function<void(TCustomChart&, TMouseButton, TShiftState, int, int)> OnClickLegend;
    std::function<void(TCustomChart&, TMouseButton, TShiftState, int, int)> OnClickBackground;
    std::function<void(TCustomChart&, TChartAxis*, TMouseButton, TShiftState, int, int)> OnClickAxis;
    std::function<void(TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int)> OnClickSeries;
    std::function<void(TCustomChart&, TChartTitle*, TMouseButton, TShiftState, int, int)> OnClickTitle;
    std::function<void(TCustomAxisPanel&, TLegendStyle, int, std::string&)> OnGetLegendText;
    std::function<void(TCustomChart&, int, int& X, int& Y, int& XColor)> OnGetLegendPos;
    std::function<void(TCustomChart&, TRect&)> OnGetLegendRect;

    // Title, SubTitle, Foot, SubFoot (those whose CustomPosition is CustomPass)
    // and the legend in the order the legend's alignment asks.
    void DrawTitlesAndLegend(bool BeforeSeries);

    void Assign(const TCustomPlotPanel& Source) override;

private:
    template <typename T, typename S>
    static void AssignPart(T* Part, const S* Value)
    {
        if (Value && Value != Part)
            Part->Assign(*Value);
    }
    void DrawTitles(bool CustomPass);

    std::unique_ptr<TChartFootTitle> m_foot;
    std::unique_ptr<TChartFootTitle> m_subFoot;
    std::unique_ptr<TChartLegend> m_legend;
    TMouseButton m_scrollMouseButton = mbRight;
    std::unique_ptr<TChartTitle> m_subTitle;
    std::unique_ptr<TChartTitle> m_title;
    int m_colorPaletteIndex = 0;
};

class TChart : public TCustomChart {
public:
    using TCustomChart::TCustomChart;
};
