#include "chart/plot_gradient.h"

#include <algorithm>
#include <cmath>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_filters.h"
#include "platform/system_colors.h"

TCustomPlotGradient::TCustomPlotGradient(std::function<void()> onChange) : OnChange(std::move(onChange)) {}

TCustomPlotGradient::~TCustomPlotGradient() = default;

void TCustomPlotGradient::Changed()
{
    if (OnChange)
        OnChange();
}

void TCustomPlotGradient::SetAngle(int value) { SetValue(m_angle, value); }
void TCustomPlotGradient::SetBalance(int value) { SetValue(m_balance, value); }
void TCustomPlotGradient::SetDirection(TGradientDirection value) { SetValue(m_direction, value); }
void TCustomPlotGradient::SetEndColor(TColor value) { SetValue(m_endColor, value); }
void TCustomPlotGradient::SetRadialX(int value) { SetValue(m_radialX, value); }
void TCustomPlotGradient::SetRadialY(int value) { SetValue(m_radialY, value); }
void TCustomPlotGradient::SetStartColor(TColor value) { SetValue(m_startColor, value); }
void TCustomPlotGradient::SetVisible(bool value) { SetValue(m_visible, value); }

void TCustomPlotGradient::SetMidColor(TColor value)
{
    if (value == clNone) {
        if (m_hasMidColor) {
            m_hasMidColor = false;
            Changed();
        }
        return;
    }
    if (m_hasMidColor && m_midColor == value)
        return;
    m_midColor = value;
    m_hasMidColor = true;
    Changed();
}

TSubGradient* TCustomPlotGradient::SubGradient()
{
    if (!m_subGradient)
        m_subGradient = std::make_unique<TSubGradient>([this] { Changed(); });
    return m_subGradient.get();
}

void TCustomPlotGradient::SetSubGradient(const TSubGradient* value)
{
    if (!value)
        m_subGradient.reset();
    else
        SubGradient()->Assign(*value);
    Changed();
}

void TCustomPlotGradient::Assign(const TCustomPlotGradient& source)
{
    if (&source == this)
        return;
    m_angle = source.m_angle;
    m_balance = source.m_balance;
    m_direction = source.m_direction;
    m_endColor = source.m_endColor;
    m_midColor = source.m_midColor;
    m_hasMidColor = source.m_hasMidColor;
    m_radialX = source.m_radialX;
    m_radialY = source.m_radialY;
    m_startColor = source.m_startColor;
    m_visible = source.m_visible;
    if (source.m_subGradient)
        SubGradient()->Assign(*source.m_subGradient);
    else
        m_subGradient.reset();
    Changed();
}

void TSubGradient::SetTransparency(int value) { SetValue(m_transparency, value); }

void TSubGradient::Assign(const TCustomPlotGradient& source)
{
    if (auto* sub = dynamic_cast<const TSubGradient*>(&source))
        m_transparency = sub->m_transparency;
    TCustomPlotGradient::Assign(source);
}

void TPlotFontGradient::SetOutline(bool value) { SetValue(m_outline, value); }

void TPlotFontGradient::Assign(const TCustomPlotGradient& source)
{
    if (auto* font = dynamic_cast<const TPlotFontGradient*>(&source))
        m_outline = font->m_outline;
    TCustomPlotGradient::Assign(source);
}

TColor GradientStepColor(TColor Start, TColor End, int I, int D, int Balance)
{
    const int s[3] = {GetRValue(Start), GetGValue(Start), GetBValue(Start)};
    const int e[3] = {GetRValue(End), GetGValue(End), GetBValue(End)};
    int c[3];
    if (Balance == 50) {
        for (int k = 0; k < 3; ++k)
            c[k] = s[k] + ((e[k] - s[k]) * I) / std::max(1, D);
    } else {
        const double f = std::pow((1.0 + I) / (1.0 + D), Balance * 0.015 + 0.5);
        for (int k = 0; k < 3; ++k)
            c[k] = s[k] + static_cast<int>(Round(f * (e[k] - s[k])));
    }
    for (int& v : c)
        v = std::clamp(v, 0, 255);
    return RGB(static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]), static_cast<std::uint8_t>(c[2]));
}

namespace {

TColor PrepareColor(TCanvas3D& canvas, TColor c)
{
    if (c == clNone)
        return c;
    c = platform::ColorToRGB(c);
    if (!canvas.GetMonochrome())
        return c;
    const int v = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
    return RGB(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v));
}

}  // namespace

void TCustomPlotGradient::Draw(TCanvas3D& Canvas, const TRect& R, int RoundSize)
{
    if (m_angle != 0)
        DrawRotated(Canvas, R);
    else
        DrawUnrotated(Canvas, R, RoundSize);
    if (m_subGradient && m_subGradient->Visible()) {
        TPlotBlend* blend = Canvas.BeginBlending(R, m_subGradient->Transparency());
        if (m_subGradient->Direction() == gdRadial)
            m_subGradient->DrawRadial(Canvas, R);
        else
            m_subGradient->Draw(Canvas, R);
        Canvas.EndBlending(blend);
    }
}

void TCustomPlotGradient::DrawUnrotated(TCanvas3D& Canvas, const TRect& R, int RoundSize)
{
    const TColor start = PrepareColor(Canvas, m_startColor);
    const TColor end = PrepareColor(Canvas, m_endColor);
    const TColor mid = PrepareColor(Canvas, MidColor());
    if (RoundSize > 0)
        Canvas.ClipRoundRectangle(R, RoundSize);
    const bool bands = m_direction == gdTopBottom || m_direction == gdBottomTop || m_direction == gdLeftRight
                    || m_direction == gdRightLeft;
    if (m_direction == gdRadial) {
        Canvas.GradientFill(R, start, end, gdRadial, 50);
    } else if (mid == clNone || m_direction == gdDiagonalUp || m_direction == gdDiagonalDown) {
        Canvas.GradientFill(R, start, end, m_direction, m_balance);
    } else if (bands) {
        const bool vertical = m_direction == gdTopBottom || m_direction == gdBottomTop;
        TRect first = R;
        TRect second = R;
        if (vertical) {
            first.Bottom = second.Top = (R.Top + R.Bottom) / 2;
        } else {
            first.Right = second.Left = (R.Left + R.Right) / 2;
        }
        // top-bottom and left-right bands run from the far edge
        const bool fromFar = m_direction == gdTopBottom || m_direction == gdLeftRight;
        if (fromFar) {
            Canvas.GradientFill(first, mid, end, m_direction, 50);
            Canvas.GradientFill(second, start, mid, m_direction, 50);
        } else {
            Canvas.GradientFill(first, start, mid, m_direction, 50);
            Canvas.GradientFill(second, mid, end, m_direction, 50);
        }
    } else {
        Canvas.GradientFill(R, start, end, m_direction, 50);
    }
    if (RoundSize > 0)
        Canvas.UnClip();
}

void TCustomPlotGradient::DrawRotated(TCanvas3D& Canvas, const TRect& R)
{
    platform::DrawingDevice* device = Canvas.GetHandle();
    const TRect r = NormalizeRect(R);
    const int w = r.Width();
    const int h = r.Height();
    if (!device || w <= 0 || h <= 0)
        return;
    // the rectangle's extents under the rotation: turned back, the gradient
    // covers the rectangle from edge to edge
    const double rad = (360 - m_angle) * 0.017453292519943295;
    const double s = std::abs(std::sin(rad));
    const double c = std::abs(std::cos(rad));
    // (rounded up, and a pixel more each side at other than right angles, so
    // that the nearest-pixel turn leaves no corner of the rectangle bare)
    const int margin = m_angle % 90 == 0 ? 0 : 2;
    const int tw = std::max(1, static_cast<int>(std::ceil(w * c + h * s - 1e-9)) + margin);
    const int th = std::max(1, static_cast<int>(std::ceil(w * s + h * c - 1e-9)) + margin);
    std::unique_ptr<platform::DrawingDevice> temp = device->CreateCompatible(tw, th);
    TPlotCanvas3D tempCanvas;
    tempCanvas.SetBufferedDisplay(false);
    tempCanvas.SetMonochrome(Canvas.GetMonochrome());
    tempCanvas.InitWindow(temp.get(), nullptr, clWhite, false, TRect{0, 0, tw, th});
    const int angle = m_angle;
    m_angle = 0;
    DrawUnrotated(tempCanvas, TRect{0, 0, tw, th}, 0);
    m_angle = angle;
    TBitmap bitmap;
    bitmap.FromDeviceBitmap(temp->Surface());
    RotateBitmap(bitmap, m_angle);
    bitmap.SetPixelFormat(pf32bit);
    // the turned bitmap centred on the rectangle
    const int x = r.Left + (w - bitmap.Width()) / 2;
    const int y = r.Top + (h - bitmap.Height()) / 2;
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.ClipRectangle(r);
    Canvas.Draw(x, y, &bitmap);
    Canvas.UnClip();
}

void TCustomPlotGradient::DrawPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points)
{
    Canvas.Pen()->SetStyle(psClear);
    Canvas.GradientPolygon(Points, this);
}

void TCustomPlotGradient::DrawPolygonZ(TCanvas3D& Canvas, const TPoint (&Points)[4], int Z)
{
    TPoint p[4];
    for (int i = 0; i < 4; ++i)
        Canvas.Project(Points[i].X, Points[i].Y, Z, p[i]);
    DrawPolygon(Canvas, p);
}

void TCustomPlotGradient::DrawRadial(TCanvas3D& Canvas, const TRect& R)
{
    const TRect r = NormalizeRect(R);
    const int w = r.Width();
    const int h = r.Height();
    const int m = std::min(255, std::max(w, h));
    if (m <= 0)
        return;
    const int n = (w % 2 != 0 || h % 2 != 0) ? m - 1 : m;
    const TColor start = PrepareColor(Canvas, m_startColor);
    const TColor end = PrepareColor(Canvas, m_endColor);
    TPen* pen = Canvas.Pen();
    TBrush* brush = Canvas.Brush();
    const TPenStyle savedPenStyle = pen->Style();
    const TColor savedBrushColor = brush->Color();
    const TBrushStyle savedBrushStyle = brush->Style();
    TBitmap* savedBrushBitmap = brush->Bitmap();
    pen->SetStyle(psClear);
    brush->SetBitmap(nullptr);
    brush->SetStyle(bsSolid);
    brush->SetColor(end);
    Canvas.FillRect(r);
    const double cx = m_radialX + 1 + (r.Left + r.Right) * 0.5;
    const double cy = m_radialY + 1 + (r.Top + r.Bottom) * 0.5;
    const int s[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
    const int d[3] = {GetRValue(end) - s[0], GetGValue(end) - s[1], GetBValue(end) - s[2]};
    TColor previous = end;
    for (int j = n; j >= 0; --j) {
        TColor colour;
        if (m_balance == 50) {
            int c[3];
            for (int k = 0; k < 3; ++k)
                c[k] = std::clamp(s[k] + static_cast<int>(Round(static_cast<double>(j) * d[k] / m)), 0, 255);
            colour = RGB(static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                         static_cast<std::uint8_t>(c[2]));
        } else {
            colour = GradientStepColor(start, end, j, n, m_balance);
        }
        if (colour != previous) {
            brush->SetColor(colour);
            previous = colour;
        }
        const double hw = j * w * 0.5 / m;
        const double hh = j * h * 0.5 / m;
        Canvas.Ellipse(static_cast<int>(Round(cx - hw)), static_cast<int>(Round(cy - hh)),
                       static_cast<int>(Round(cx + hw)), static_cast<int>(Round(cy + hh)));
    }
    brush->SetColor(savedBrushColor);
    brush->SetStyle(savedBrushStyle);
    brush->SetBitmap(savedBrushBitmap);
    pen->SetStyle(savedPenStyle);
}
