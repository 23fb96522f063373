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

    // The values an owner treats as its defaults (not stored when equal).
    TPenEndStyle DefaultEndStyle() const { return m_defaultEndStyle; }
    void SetDefaultEndStyle(TPenEndStyle value) { m_defaultEndStyle = value; }
    bool DefaultVisible() const { return m_defaultVisible; }
    void SetDefaultVisible(bool value) { m_defaultVisible = value; }
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value) { m_defaultWidth = value; }
    TPenMode DefaultMode() const { return m_defaultMode; }
    // Each value and its stored default together, for owners that build the
    // pen otherwise than the class does.
    void InitColor(TColor value)
    {
        SetColor(value);
        m_defaultColor = value;
    }
    void InitStyle(TPenStyle value)
    {
        SetStyle(value);
        m_defaultStyle = value;
    }
    void InitMode(TPenMode value)
    {
        SetMode(value);
        m_defaultMode = value;
    }

    void Assign(const TPen& source) override;

    // Whether streaming writes each property.
    virtual bool IsColorStored() const { return Color() != m_defaultColor; }
    virtual bool IsStyleStored() const { return Style() != m_defaultStyle; }
    bool IsEndStyleStored() const { return m_endStyle != m_defaultEndStyle; }
    bool IsSmallDotsStored() const { return m_smallDots; }
    bool IsSmallSpaceStored() const { return m_smallSpace != 0; }
    virtual bool IsVisibleStored() const { return m_visible != m_defaultVisible; }

private:
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
    bool IsColorStored() const override { return Color() != clGray; }
    bool IsStyleStored() const override { return Style() != psDot; }
};

class TDarkGrayPen : public TChartPen {
public:
    explicit TDarkGrayPen(std::function<void()> onChange = {});
    bool IsColorStored() const override { return Color() != clGray; }
};

class TWhitePen : public TChartPen {
public:
    explicit TWhitePen(std::function<void()> onChange = {});
    bool IsColorStored() const override { return Color() != clWhite; }
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

    bool IsColorStored() const { return Color() != DefaultColor; }
    bool IsBackColorStored() const { return m_backColor != DefaultBackColor; }

    // The colour a stream leaves out: an owner that gives the brush another
    // colour at construction sets it too.
    TColor DefaultColor = clDefault;
    TColor DefaultBackColor = clNone;
    TBrushStyle DefaultStyle = bsSolid;
    bool IsImageStored() const { return m_image && m_image->HasGraphic(); }

private:
    TColor m_backColor = clNone;
    std::unique_ptr<TPicture> m_image;
};
