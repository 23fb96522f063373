#pragma once
// The drawing objects the chart engine builds on: pen, brush, font, and the
// bitmap/picture pair. Each reports changes through OnChange.
#include "base/font_style.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/value_setter.h"
#include "base/basic_types.h"
#include "platform/drawing_device.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Binary raster operations in the order of their system numbers (1..16).
enum TPenMode {
    pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask,
    pmMask, pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TPenEndStyle : std::uint8_t { esRound, esSquare, esFlat };
enum TPenJoin : std::uint8_t { pjRound, pjBevel, pjMiter };


// Common base: a change notification fired by every setter that changes a value.
class TGraphicsObject {
public:
    virtual ~TGraphicsObject() = default;
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    // Stores value and notifies; nothing when it is unchanged.
    template <typename T>
    void SetValue(T& field, const T& value)
    {
        UpdateValue(field, value, [this] { Changed(); });
    }
};

// A pen built from explicit system settings (geometric width, user dash pattern,
// alternate pixels, ends and joins) in place of the plain Color/Style/Width set.
struct TPenHandle {
    bool Geometric = false;
    int Width = 1;
    TPenStyle Style = psSolid;
    std::vector<std::uint32_t> UserStyle;  // dash, gap, dash, ... in pixels
    bool Alternate = false;                // cosmetic pen drawing every other pixel
    TPenEndStyle EndStyle = esRound;
    TPenJoin Join = pjRound;
    TColor Color = clBlack;
    bool operator==(const TPenHandle&) const = default;
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle value);
    int Width() const { return m_width; }
    void SetWidth(int value);

    // A system pen description replacing Color/Style/Width (which then read its
    // colour, style and width); cleared by their setters.
    const TPenHandle* Handle() const { return m_handle.get(); }
    void SetHandle(const TPenHandle& handle);

    // Colour, mode, style and width of another pen.
    virtual void Assign(const TPen& source);

private:
    // Stores a colour, style or width, which drops the handle; nothing when the
    // value is unchanged and there is no handle.
    template <typename T>
    void SetPlainValue(T& field, const T& value);

    TColor m_color = clBlack;
    TPenMode m_mode = pmCopy;
    TPenStyle m_style = psSolid;
    int m_width = 1;
    std::unique_ptr<TPenHandle> m_handle;
};

class TBitmap;

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    ~TBrush() override;

    // A colour or style set drops the pattern; nothing when the value is
    // unchanged and there is no pattern.
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle value);
    // Pattern bitmap; not owned: a bitmap being freed leaves the brush without it.
    TBitmap* Bitmap() const { return m_bitmap; }
    void SetBitmap(TBitmap* value);

    virtual void Assign(const TBrush& source);

private:
    friend class TBitmap;
    void LinkBitmap(TBitmap* value);
    template <typename T>
    void SetPlainValue(T& field, const T& value);

    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    TBitmap* m_bitmap = nullptr;
};

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value);
    // Size in points; Height in pixels (negative: character height).
    int Size() const;
    void SetSize(int value);
    int Height() const { return m_height; }
    void SetHeight(int value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Style() const { return m_style; }
    void SetStyle(int value);
    int Charset() const { return m_charset; }
    void SetCharset(int value);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value) { m_pixelsPerInch = value; }
    // Escapement in tenths of a degree.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int value);

    virtual void Assign(const TFont& source);

private:
    std::string m_name = "Arial";
    int m_height = -11;  // 8 points at 96 dpi
    TColor m_color = clBlack;
    int m_style = 0;
    int m_charset = 1;
    int m_pixelsPerInch = 96;
    int m_orientation = 0;
};

// Any picture content.
class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Drawn without the pixels of its transparent colour (the bottom-left pixel's).
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Value) { m_transparent = Value; }

protected:
    bool m_transparent = false;
};

enum TPixelFormat { pf24bit, pf32bit };

// A bitmap: 32-bit pixels (0xFFRRGGBB, as the drawing device holds them) or,
// for the image filters, 24-bit rows of blue-green-red triples.
class TBitmap : public TGraphic {
    static std::uint64_t NewContentStamp();

public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = pf32bit);
    // A copy is a new bitmap: no brush takes it as its pattern.
    TBitmap(const TBitmap& source);
    TBitmap& operator=(const TBitmap& source);
    ~TBitmap() override;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    std::unique_ptr<TGraphic> Clone() const override;

    // New pixels are white.
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return m_format; }
    void SetPixelFormat(TPixelFormat format);
    void Assign(const TBitmap& source);
    // First byte of row y; nullptr outside the image.
    std::uint8_t* ScanLine(int y);
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);

    // The colour drawn transparent when Transparent; clNone: the bottom-left
    // pixel's colour.
    TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(TColor Value) { m_transparentColor = Value; }
    // The pixels as the drawing device takes them.
    platform::Bitmap ToDeviceBitmap() const;
    // The same as it is drawn: when Transparent, the pixels of the transparent
    // colour are fully transparent.
    platform::Bitmap ToDrawnBitmap() const;
    void FromDeviceBitmap(const platform::Bitmap& source);

    // A value no other content has had: it changes with every change of the
    // pixels or size (a ScanLine pointer counts as a change when it is taken),
    // and a copy shares it until either changes. Caches of the pixels key on it.
    std::uint64_t ContentStamp() const { return m_stamp; }

private:
    void Touch();

    std::uint64_t m_stamp = NewContentStamp();
    int m_width = 0;
    int m_height = 0;
    TPixelFormat m_format = pf32bit;
    TColor m_transparentColor = clNone;
    platform::Bitmap m_pixels;         // pf32bit
    std::vector<std::uint8_t> m_bytes;  // pf24bit, 3 * width per row
    // Brushes holding this bitmap as their pattern.
    friend class TBrush;
    std::vector<TBrush*> m_patternOf;
};

// Holder of one graphic (a copy), with a change notification.
class TPicture : public TGraphicsObject {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    ~TPicture() override = default;

    TGraphic* Graphic() const { return m_graphic.get(); }
    void SetGraphic(const TGraphic* graphic);
    bool HasGraphic() const { return m_graphic && !m_graphic->Empty(); }

    virtual void Assign(const TPicture* source);

    // The form the graphic was read in (its class name and bytes), kept so
    // that it is written back the same way; nullptr once the graphic changed.
    struct TStreamForm {
        std::string ClassName;
        std::vector<std::uint8_t> Bytes;
        std::uint64_t Stamp = 0;
    };
    const TStreamForm* StreamForm() const;
    // Gives the picture the graphic read from Form.
    void SetGraphic(const TGraphic* graphic, TStreamForm Form);

private:
    std::unique_ptr<TGraphic> m_graphic;
    std::shared_ptr<const TStreamForm> m_form;
};
