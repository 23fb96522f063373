#pragma once
// The model of a series' marks: the text labels drawn by its points, with
// margins, per-point custom positions (kept across draws when the user moved
// them) and per-point mark styles ("Items" in the form stream).
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/alignment.h"
#include "base/basic_types.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shape.h"
#include "chart/property_model.h"

class TCanvas3D;
class TChartSeries;
class TMarksCallout;

enum TSeriesMarksStyle {
    smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend, smsPercentTotal,
    smsLabelPercentTotal, smsXValue, smsXY, smsSeriesTitle, smsPointIndex, smsPercentRelative
};
enum TMarginUnits { maPercentFont, maPercentSize, maPixels };

constexpr TColor clInfoBk = clSystemColorBase + 24;

struct TPoint2 {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint2&) const = default;
};

// Where one mark stands; Custom when the user placed it.
struct TSeriesMarkPosition {
    TPoint2 ArrowFrom;
    bool ArrowFix = false;
    TPoint2 ArrowTo;
    bool Custom = false;
    int Height = 0;
    TPoint2 LeftTop;
    int Width = 0;
    TPoint2 MidPoint;      // middle arrow point of callouts
    bool HasMid = false;

    void Assign(const TSeriesMarkPosition& Source) { *this = Source; }
    // Right = left + width, bottom = top + height.
    int Right() const { return LeftTop.X + Width; }
    int Bottom() const { return LeftTop.Y + Height; }
    // Places the box above the arrow end (X, Y).
    void PlaceAt(int X, int Y);
    bool operator==(const TSeriesMarkPosition&) const = default;
};

// Margins around a mark's text.
class TMargins {
public:
    explicit TMargins(int LeftRight = 10);
    int Left() const { return m_left; }
    void SetLeft(int Value) { Set(m_left, Value); }
    int Top() const { return m_top; }
    void SetTop(int Value) { Set(m_top, Value); }
    int Right() const { return m_right; }
    void SetRight(int Value) { Set(m_right, Value); }
    int Bottom() const { return m_bottom; }
    void SetBottom(int Value) { Set(m_bottom, Value); }
    TMarginUnits Units() const { return m_units; }
    void SetUnits(TMarginUnits Value);
    int DefaultLeftRight() const { return m_default; }

    // Pixel sizes for a text of that size and a "W" FontHeight pixels high.
    void Calculate(int TextWidth, int TextHeight, int FontHeight);
    int LeftPixels() const { return m_size[0]; }
    int TopPixels() const { return m_size[1]; }
    int RightPixels() const { return m_size[2]; }
    int BottomPixels() const { return m_size[3]; }
    int HorizSize() const { return m_size[0] + m_size[2]; }
    int VertSize() const { return m_size[1] + m_size[3]; }

    void Assign(const TMargins& Source);
    std::function<void()> OnChange;

    static const TPropertyTable<TMargins>& Properties();

private:
    void Set(int& Field, int Value);
    int m_left, m_top = 5, m_right, m_bottom = 5;
    int m_default;
    TMarginUnits m_units = maPercentFont;
    int m_size[4] = {0, 0, 0, 0};
};

// Mark style of one point: a shape of its own and optional text lines.
class TMarksItem : public TPlotCustomShape {
public:
    explicit TMarksItem(TCustomPlotPanel* Panel = nullptr);
    const std::vector<std::string>& Text() const { return m_text; }
    void SetText(std::vector<std::string> Value);
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

protected:
    void InitShadow(TPlotShadow& Shadow) override;

private:
    std::vector<std::string> m_text;
};

// The symbol box a mark may show beside its text.
class TSeriesMarksSymbol : public TPlotCustomShape {
public:
    explicit TSeriesMarksSymbol(TCustomPlotPanel* Panel = nullptr);
    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

protected:
    void InitShadow(TPlotShadow& Shadow) override;
};

class TSeriesMarks : public TPlotCustomShape {
public:
    explicit TSeriesMarks(TChartSeries* Series);
    ~TSeriesMarks() override;

    // The panel of the series' chart; passed on to the symbol.
    void SetParentChart(TCustomPlotPanel* Value) override;
    // Repaints through the series.
    void CanvasChanged() override;

    TChartSeries* ParentSeries() const { return m_series; }

    int Angle() const { return m_angle; }
    void SetAngle(int Value) { SetAndRepaint(m_angle, Value); }
    bool Clip() const { return m_clip; }
    void SetClip(bool Value) { SetAndRepaint(m_clip, Value); }
    int DrawEvery() const { return m_drawEvery; }
    void SetDrawEvery(int Value) { SetAndRepaint(m_drawEvery, Value); }
    // DrawEvery as a divisor: never below 1.
    int DrawStep() const { return m_drawEvery < 1 ? 1 : m_drawEvery; }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool Value) { SetAndRepaint(m_multiLine, Value); }
    TSeriesMarksStyle Style() const { return m_style; }
    void SetStyle(TSeriesMarksStyle Value) { SetAndRepaint(m_style, Value); }
    TAlignment TextAlign() const { return m_textAlign; }
    void SetTextAlign(TAlignment Value) { SetAndRepaint(m_textAlign, Value); }
    // Created on first use; nullptr frees it.
    TSeriesMarksSymbol* Symbol();
    TSeriesMarksSymbol* SymbolIfAny() const { return m_symbol.get(); }
    void SetSymbol(const TSeriesMarksSymbol* Value);
    // The callout's arrow pen and length (the callout created on first use).
    TChartPen* Arrow();
    int ArrowLength() const;
    void SetArrowLength(int Value);
    // The callout's Length and its stored default, now and for a callout
    // made again after it was freed.
    void InitArrowLength(int Value);
    TMarksCallout* Callout();
    TMarksCallout* CalloutIfAny() const { return m_callout.get(); }
    // Copies into the own callout; nullptr frees it.
    void SetCallout(const TMarksCallout* Value);
    // Lets the callout lengthen the arrow of Position.
    void ApplyArrowLength(TSeriesMarkPosition& Position) const;
    TMargins& Margins() { return m_margins; }
    const TMargins& Margins() const { return m_margins; }
    int ZPosition() const { return m_zPosition; }
    void SetZPosition(int Value) { m_zPosition = Value; }

    // ---- custom positions: slot i is point i's or empty ----
    int PositionCount() const { return static_cast<int>(m_positions.size()); }
    // nullptr when i is beyond the list or the slot is empty.
    TSeriesMarkPosition* Position(int i) const;
    // Slot i, created (Custom false) when missing; a negative i raises ChartException.
    TSeriesMarkPosition& PositionAt(int i);
    void AppendPosition(std::unique_ptr<TSeriesMarkPosition> Position) { m_positions.push_back(std::move(Position)); }
    void DeletePosition(int i);
    // Removes the slots from Start on.
    void DeletePositionsFrom(int Start);
    void ClearPositions() { m_positions.clear(); }
    bool ExistCustom() const;
    // Keeps a user-placed position: a Custom entry replaces Position (keeping
    // the computed ArrowFrom when ArrowFix is set); otherwise Position is stored.
    void MarkPosition(int i, TSeriesMarkPosition& Position);
    // Index of the mark whose box holds (X, Y), the last drawn winning; -1 when none.
    int Clicked(int X, int Y) const;

    // ---- drawing ----
    // The shape mark i is drawn with: its item, else the marks.
    TPlotCustomShape& MarkItem(int i);
    // Width of the widest line of Text (lines split at the line separator).
    int TextWidth(TCanvas3D& Canvas, const std::string& Text) const;
    // The widest mark text over the points whose mark is visible (each in its
    // item's font); 0 without a chart canvas.
    int MaxMarkWidth();
    // Width and Height of the box of Text for point Index.
    void MeasureBox(TCanvas3D& Canvas, int Index, const std::string& Text, TSeriesMarkPosition& Position);
    // Keeps a custom position (MarkPosition), then draws the arrow, the box,
    // the symbol and the text of point Index in Colour.
    void DrawItem(TCanvas3D& Canvas, int Index, TColor Colour, const std::string& Text,
                  TSeriesMarkPosition& Position);
    // Moves Mark up (or down) off the earlier marks First..Index-1 it overlaps.
    void AntiOverlap(int First, int Index, TSeriesMarkPosition& Mark) const;

    // ---- per-point styles ----
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // nullptr when i is beyond the list or the slot is empty.
    TMarksItem* ItemOrNull(int i) const;
    // Item i, the list padded with empty slots and the item created on demand;
    // a negative i raises ChartException.
    TMarksItem& Item(int i);
    void DeleteItem(int i);
    void ClearItems();
    bool ItemsLocked() const { return m_itemsLocked; }
    // Loading of the series has ended: items read from a stream may be cleared again.
    void UnlockItems() { m_itemsLocked = false; }

    // Clears the positions; also the items unless locked.
    void Clear();
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

    // "Items": an int32 count, then each item as a property list.
    std::vector<std::uint8_t> WriteItems() const;
    // Replaces the items by those of the stream; any fault raises one
    // EReadError and keeps the old items.
    void ReadItems(std::span<const std::uint8_t> Data);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

protected:
    std::unique_ptr<TCustomPlotGradient> CreateGradient() override;
    void InitShadow(TPlotShadow& Shadow) override;

private:
    template <typename T>
    void SetAndRepaint(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    // LeftTop of Position on the screen: in 3D on a canvas without 3D text
    // the box moves with the projection of its arrow end.
    TPoint2 ScreenLeftTop(TCanvas3D* Canvas, const TSeriesMarkPosition& Position) const;
    // The canvas takes the font of Shape, zoomed as the 3D view's text zoom asks.
    void AssignMarkFont(TCanvas3D& Canvas, TPlotCustomShape& Shape) const;

    TChartSeries* m_series;
    int m_angle = 0;
    bool m_clip = false;
    int m_drawEvery = 1;
    bool m_multiLine = false;
    TSeriesMarksStyle m_style = smsLabel;
    TAlignment m_textAlign = taCenter;
    std::unique_ptr<TSeriesMarksSymbol> m_symbol;
    std::unique_ptr<TMarksCallout> m_callout;
    int m_defaultArrowLength = 8;
    int m_zPosition = 0;
    TMargins m_margins{20};
    std::vector<std::unique_ptr<TSeriesMarkPosition>> m_positions;
    std::vector<std::unique_ptr<TMarksItem>> m_items;
    bool m_itemsLocked = false;
};
