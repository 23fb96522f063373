#pragma once
// The chart's legend: style resolution, item count and texts in two columns,
// rows and columns that fit, size and placement with the gap it leaves in the
// chart rectangle, drawing with symbols and check boxes, hit testing and
// check-box clicks.
#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QPointer>

#include "chart/chart_series.h"
#include "chart/legend_items.h"
#include "chart/legend_symbol.h"
#include "chart/legend_title.h"
#include "chart/shape_position.h"

class TChartSeries;
class TCustomChart;

enum TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };
inline constexpr const char* LegendAlignmentNames[] = {"laLeft", "laRight", "laTop", "laBottom"};
enum TCheckBoxesStyle : std::uint8_t { cbsCheck, cbsRadio };
inline constexpr const char* CheckBoxesStyleNames[] = {"cbsCheck", "cbsRadio"};
enum TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
inline constexpr const char* LegendStyleNames[] = {"lsAuto", "lsSeries", "lsValues", "lsLastValues",
                                                   "lsSeriesGroups"};
inline constexpr const char* LegendTextStyleNames[] = {
    "ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent", "ltsXValue", "ltsValue",
    "ltsPercent", "ltsXAndValue", "ltsXAndPercent"};

class LegendException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Separator of the two columns of a legend text (code 6 unless changed).
extern char LegendColumnSeparator;
// Text before the first separator, and the text between the first and the
// second (what follows a second separator is dropped).
std::array<std::string, 2> SplitLegendColumns(const std::string& Text);

class TCustomChartLegend : public TPlotCustomShapePosition {
public:
    explicit TCustomChartLegend(TCustomChart* Chart = nullptr);
    ~TCustomChartLegend() override;

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    TLegendAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TLegendAlignment Value) { SetValue(m_alignment, Value); }
    bool CheckBoxes() const { return m_checkBoxes; }
    void SetCheckBoxes(bool Value) { SetValue(m_checkBoxes, Value); }
    TCheckBoxesStyle CheckBoxesStyle() const { return m_checkBoxesStyle; }
    // Radio boxes leave only the first active series shown in the legend active.
    void SetCheckBoxesStyle(TCheckBoxesStyle Value);
    bool CurrentPage() const { return m_currentPage; }
    void SetCurrentPage(bool Value) { SetValue(m_currentPage, Value); }
    TChartHiddenPen* DividingLines() const { return m_dividingLines.get(); }
    void SetDividingLines(const TChartPen* Value);
    int FirstValue() const { return m_firstValue; }
    // Raises LegendException for a negative value (not stored).
    void SetFirstValue(int Value);
    bool FontSeriesColor() const { return m_fontSeriesColor; }
    void SetFontSeriesColor(bool Value) { SetValue(m_fontSeriesColor, Value); }
    int HorizMargin() const { return m_horizMargin; }
    void SetHorizMargin(int Value) { SetValue(m_horizMargin, Value); }
    bool Inverted() const { return m_inverted; }
    void SetInverted(bool Value) { SetValue(m_inverted, Value); }
    TLegendItems& Items() { return m_items; }
    int LeftPercent() const { return m_leftPercent; }
    void SetLeftPercent(int Value) { SetValue(m_leftPercent, Value); }
    TLegendStyle LegendStyle() const { return m_legendStyle; }
    void SetLegendStyle(TLegendStyle Value);
    int MaxNumRows() const { return m_maxNumRows; }
    void SetMaxNumRows(int Value) { SetValue(m_maxNumRows, Value); }
    TPlotUnits PositionUnits() const { return m_positionUnits; }
    void SetPositionUnits(TPlotUnits Value) { SetValue(m_positionUnits, Value); }
    bool ResizeChart() const { return m_resizeChart; }
    void SetResizeChart(bool Value) { SetValue(m_resizeChart, Value); }
    // The series whose values are listed (not owned; dropped when it is freed);
    // nullptr: the chart's first shown one.
    TChartSeries* Series() const { return m_series.data(); }
    void SetSeries(TChartSeries* Value);
    TLegendSymbol* Symbol() const { return m_symbol.get(); }
    void SetSymbol(const TLegendSymbol* Value);
    TLegendTextStyle TextStyle() const { return m_textStyle; }
    void SetTextStyle(TLegendTextStyle Value) { SetValue(m_textStyle, Value); }
    TLegendTitle* Title() const { return m_title.get(); }
    void SetTitle(const TLegendTitle* Value);
    int TopPos() const { return m_topPos; }
    void SetTopPos(int Value) { SetValue(m_topPos, Value); }
    int TopPercent() const { return m_topPercent; }
    void SetTopPercent(int Value) { SetValue(m_topPercent, Value); }
    int VertMargin() const { return m_vertMargin; }
    void SetVertMargin(int Value) { SetValue(m_vertMargin, Value); }
    int VertSpacing() const { return m_vertSpacing; }
    void SetVertSpacing(int Value) { SetValue(m_vertSpacing, Value); }
    // Symbol.Width.
    int ColorWidth() const { return m_symbol->Width(); }
    void SetColorWidth(int Value) { m_symbol->SetWidth(Value); }

    // Extra room (pixels) a host may ask for at the right of a vertical legend;
    // for a bottom legend it changes the room left below it. Unset: none.
    std::function<void(TCustomChartLegend& Sender, int& Extra)> OnExtraSpace;

    // ---- resolution, counts and texts ----
    TLegendStyle ResolvedStyle() const;
    // The series listed by lsValues, or nullptr.
    TChartSeries* LegendSeries() const;
    int ItemCount(TLegendStyle Style) const;
    // Text of item Index for a resolved style (the chart's OnGetLegendText not applied).
    std::string ItemText(TLegendStyle Style, int Index) const;
    bool Vertical() const { return m_alignment == laLeft || m_alignment == laRight; }
    bool CheckBoxesShown() const { return m_checkBoxes && ResolvedStyle() != lsValues; }

    // ---- drawing and hit tests ----
    // Lays out and draws on the chart's canvas; shrinks the chart rectangle.
    void DrawLegend();
    // Value index of the item under (X, Y), or -1.
    int Clicked(int X, int Y) const;
    // A click on the check box of item Index; true when check boxes are shown
    // and Index is not -1. Indexes out of range change nothing.
    bool DoMouseDown(int Index);

    // ---- layout of the last draw ----
    int ItemHeight() const { return m_itemHeight; }
    int SymbolWidth() const { return m_symbolWidth; }
    int LastValue() const { return m_lastValue; }
    int TotalItems() const { return m_totalItems; }
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    int ItemsTop() const { return m_itemsTop; }
    int TextX() const { return m_textX; }
    int SymbolX() const { return m_symbolX; }
    int ColumnWidth(int Column) const { return m_columnWidths[static_cast<std::size_t>(Column)]; }
    int TextWidthTotal() const { return m_textWidth; }

    // Every property above, then the position and shape.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

    TCustomChart* Chart() const { return m_chart; }

private:
    template <typename T>
    void SetValue(T& Field, const T& Value)
    {
        UpdateValue(Field, Value, [this] { Repaint(); });
    }
    // The Index-th series shown in the legend (inactive ones too with check boxes).
    TChartSeries* ShownSeries(int Index) const;
    // The texts of the items FirstValue..LastValue, split in columns.
    void CalcTexts(TLegendStyle Style);
    void CalcColumnWidths(TCanvas3D& Canvas);
    int CalcSymbolWidth() const;
    // Items that fit from Start with items Size high (vertical) or wide.
    int Fit(int Start, int Size, int FrameWidth) const;
    int ExtraSpace();
    int CalcHeight(int TitleHeight);
    void CalcVerticalWidth(int FrameWidth, int TitleWidth, bool CheckBoxes);
    void CalcHorizontalWidth(int TitleWidth, bool CheckBoxes);
    void DrawItems(TCanvas3D& Canvas, TLegendStyle Style, bool CheckBoxes);
    void DrawItem(TCanvas3D& Canvas, TLegendStyle Style, int Index, int Position, bool CheckBoxes);
    void ResizeChartRect();
    std::string TextOf(int Index, int Column) const;

    TCustomChart* m_chart;
    TLegendAlignment m_alignment = laRight;
    bool m_checkBoxes = false;
    TCheckBoxesStyle m_checkBoxesStyle = cbsCheck;
    bool m_currentPage = true;
    std::unique_ptr<TChartHiddenPen> m_dividingLines;
    int m_firstValue = 0;
    bool m_fontSeriesColor = false;
    int m_horizMargin = 0;
    bool m_inverted = false;
    TLegendItems m_items{this};
    int m_leftPercent = 0;
    TLegendStyle m_legendStyle = lsAuto;
    int m_maxNumRows = 10;
    TPlotUnits m_positionUnits = muPixels;
    bool m_resizeChart = true;
    QPointer<TChartSeries> m_series;
    std::unique_ptr<TLegendSymbol> m_symbol;
    TLegendTextStyle m_textStyle = ltsLeftValue;
    std::unique_ptr<TLegendTitle> m_title;
    int m_topPos = 10;
    int m_topPercent = 0;
    int m_vertMargin = 0;
    int m_vertSpacing = 0;

    // computed per draw
    int m_symbolWidth = 0;
    int m_lastValue = -1;
    int m_totalItems = 0;
    bool m_hasTitle = false;
    int m_columns = 0;
    int m_rows = 0;
    std::array<int, 2> m_columnWidths{};
    int m_textWidth = 0;
    int m_itemHeight = 0;
    int m_innerMargin = 0;
    int m_spaceWidth = 0;
    int m_itemsTop = 0;
    int m_itemsX = 0;
    int m_checkBoxX = 0;
    int m_textX = 0;
    int m_symbolX = 0;
    int m_frameWidth = 0;
    int m_extraSpace = 0;
    // texts of the items FirstValue.. in columns
    std::vector<std::array<std::string, 2>> m_texts;
};

class TChartLegend : public TCustomChartLegend {
public:
    using TCustomChartLegend::TCustomChartLegend;
};
