#pragma once
// Pens and brushes of chart elements: visibility, small-dots mode, line ends,
// hatch background and picture, with the per-instance defaults used when storing.
#include <memory>

#include "chart/graphics_objects.h"

class TChartPen : public TPen {
public:
    explicit TChartPen(std::function<void()> onChange = {});

    TPenEndStyle EndStyle() const { return m_endStyle; }
    void SetEndStyle(TPenEndStyle value);
    bool SmallDots() const { return m_smallDots; }
    void SetSmallDots(bool value);
    int SmallSpace() const { return m_smallSpace; }
    void SetSmallSpace(int value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    void Hide() { SetVisible(false); }
    void Show() { SetVisible(true); }

    // The values a stream leaves out: those the pen was built with.
    TColor DefaultColor() const { return m_defaultColor; }
    TPenEndStyle DefaultEndStyle() const { return m_defaultEndStyle; }
    TPenMode DefaultMode() const { return m_defaultMode; }
    TPenStyle DefaultStyle() const { return m_defaultStyle; }
    bool DefaultVisible() const { return m_defaultVisible; }
    int DefaultWidth() const { return m_defaultWidth; }
    // Each value and its stored default together, the one way a class or an
    // owner builds the pen otherwise than TChartPen does.
    void InitColor(TColor value) { Init(m_defaultColor, value, &TChartPen::SetColor); }
    void InitEndStyle(TPenEndStyle value) { Init(m_defaultEndStyle, value, &TChartPen::SetEndStyle); }
    void InitMode(TPenMode value) { Init(m_defaultMode, value, &TChartPen::SetMode); }
    void InitStyle(TPenStyle value) { Init(m_defaultStyle, value, &TChartPen::SetStyle); }
    void InitVisible(bool value) { Init(m_defaultVisible, value, &TChartPen::SetVisible); }
    void InitWidth(int value) { Init(m_defaultWidth, value, &TChartPen::SetWidth); }

    void Assign(const TPen& source) override;

    // Whether streaming writes each property.
    bool IsColorStored() const { return Color() != m_defaultColor; }
    bool IsStyleStored() const { return Style() != m_defaultStyle; }
    bool IsEndStyleStored() const { return m_endStyle != m_defaultEndStyle; }
    bool IsSmallDotsStored() const { return m_smallDots; }
    bool IsSmallSpaceStored() const { return m_smallSpace != 0; }
    virtual bool IsVisibleStored() const { return m_visible != m_defaultVisible; }

private:
    template <typename T, typename V>
    void Init(T& Default, T Value, void (V::*Set)(T))
    {
        (this->*Set)(Value);
        Default = Value;
    }

    TPenEndStyle m_endStyle = esRound;
    bool m_smallDots = false;
    int m_smallSpace = 0;
    bool m_visible = true;
    TPenEndStyle m_defaultEndStyle = esRound;
    bool m_defaultVisible = true;
    int m_defaultWidth = 1;
    TColor m_defaultColor = clBlack;
    TPenStyle m_defaultStyle = psSolid;
    TPenMode m_defaultMode = pmCopy;
};

// Hidden unless made visible.
class TChartHiddenPen : public TChartPen {
public:
    explicit TChartHiddenPen(std::function<void()> onChange = {});
};

class TDottedGrayPen : public TChartPen {
public:
    explicit TDottedGrayPen(std::function<void()> onChange = {});
};

class TDarkGrayPen : public TChartPen {
public:
    explicit TDarkGrayPen(std::function<void()> onChange = {});
};

class TWhitePen : public TChartPen {
public:
    explicit TWhitePen(std::function<void()> onChange = {});
    bool IsVisibleStored() const override { return true; }
};

class TChartBrush : public TBrush {
public:
    explicit TChartBrush(std::function<void()> onChange = {});
    ~TChartBrush() override;

    // Colour behind hatches and patterns; clNone keeps it transparent.
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor value);
    // Created on first read.
    TPicture* Image();
    bool HasImage() const { return m_image != nullptr; }
    const TPicture* ImageIfAny() const { return m_image.get(); }
    // Copies the picture into the brush's own; nullptr frees it.
    void SetImage(const TPicture* value);

    void Assign(const TBrush& source) override;

    // The values a stream leaves out: those the brush was built with.
    TColor DefaultBackColor() const { return m_defaultBackColor; }
    TColor DefaultColor() const { return m_defaultColor; }
    TBrushStyle DefaultStyle() const { return m_defaultStyle; }
    // Each value and its stored default together, the one way a class or an
    // owner builds the brush otherwise than TChartBrush does.
    void InitBackColor(TColor value)
    {
        SetBackColor(value);
        m_defaultBackColor = value;
    }
    void InitColor(TColor value)
    {
        SetColor(value);
        m_defaultColor = value;
    }
    void InitStyle(TBrushStyle value)
    {
        SetStyle(value);
        m_defaultStyle = value;
    }

    bool IsImageStored() const { return m_image && m_image->HasGraphic(); }

private:
    TColor m_backColor = clNone;
    TColor m_defaultBackColor = clNone;
    TColor m_defaultColor = clDefault;
    TBrushStyle m_defaultStyle = bsSolid;
    std::unique_ptr<TPicture> m_image;
};
