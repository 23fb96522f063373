#pragma once
// The positioned shape with every property published, and the framed
// multi-line text box of the annotation and rectangle tools.
#include <string>

#include "chart/chart_input.h"
#include "chart/series_marks.h"
#include "chart/shape_position.h"

class TPlotShapePosition : public TPlotCustomShapePosition {
public:
    using TPlotCustomShapePosition::TPlotCustomShapePosition;
};

class TTextShape : public TPlotShapePosition {
public:
    explicit TTextShape(TCustomPlotPanel* Owner = nullptr);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool Value);
    // AutoSize and Cursor as a stream leaves them out.
    bool DefaultAutoSize() const { return m_defaultAutoSize; }
    TCursor DefaultCursor() const { return m_defaultCursor; }
    // Each value and its stored default together (no repaint).
    void InitAutoSize(bool Value) { m_autoSize = m_defaultAutoSize = Value; }
    void InitCursor(TCursor Value) { m_cursor = m_defaultCursor = Value; }
    bool ClipText() const { return m_clipText; }
    void SetClipText(bool Value);
    // Only stored: the mouse cursor over the box.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value) { m_cursor = Value; }
    TAlignment TextAlignment() const { return m_textAlignment; }
    void SetTextAlignment(TAlignment Value);
    TMargins& Margins() { return m_margins; }
    const TMargins& Margins() const { return m_margins; }
    void SetMargins(const TMargins& Value) { m_margins.Assign(Value); }
    // Lines separated by the engine's line separator.
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& Value);

    void Assign(const TPlotCustomShapeBrushPen& Source) override;

    // Draws the box into R (chart coordinates: moved by the chart bounds'
    // top-left corner) and the first LineCount lines of the text, shifted by
    // XOffset. The margins must have been calculated in pixels.
    void DrawText(const TRect& R, int LineCount, int XOffset);

private:
    template <typename T>
    void SetAndRepaint(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }

    bool m_autoSize = true;
    bool m_clipText = true;
    TCursor m_cursor = crDefault;
    bool m_defaultAutoSize = true;
    TCursor m_defaultCursor = crDefault;
    TAlignment m_textAlignment = taLeftJustify;
    TMargins m_margins;
    std::string m_text;
};

// The text with line feeds removed, " " when that leaves it empty.
std::string TextShapeLines(const std::string& Text);
// The number of lines of a text split at the engine's line separator.
int TextLineCount(const std::string& Text);
// Horizontal text origin in R for an alignment (margins in pixels; FramePad:
// the frame pen width when the frame shows, added for left alignment).
int TextShapeOriginX(TAlignment Alignment, const TRect& R, int LeftMargin, int RightMargin, int FramePad);
