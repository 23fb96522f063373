#include "chart/back_image.h"

#include "chart/plot_panel_extended.h"

const TPropertyTable<TBackImage>& TBackImage::Properties()
{
    using B = TBackImage;
    static const TPropertyTable<B> table =
        TPropertyTable<B>::Of()
            .Property("Inside", BooleanKind, TAccessors{&B::Inside, &B::SetInside}, false)
            .Property("Left", IntegerKind, TAccessors{&B::Left, &B::SetLeft}, 0)
            .Property("Mode", EnumKind(PlotBackImageModeNames), TAccessors{&B::Mode, &B::SetMode}, pbmStretch)
            .Property("Top", IntegerKind, TAccessors{&B::Top, &B::SetTop}, 0)
            .Defined("Data", &WritePictureData, &ReadPictureData, &IsPictureDataStored)
            .AssignedBy(&CopyGraphic)
            .Defined(
                "FilterItems", [](const B& b, TPropertyWriter& w) { b.WriteFilterItems(w); },
                [](B& b, TPropertyReader& r) { b.ReadFilterItems(r); }, &B::IsFilterItemsStored)
            .AssignedBy(&CopyFilters);
    return table;
}

void TBackImage::SetInside(bool Value) { SetValue(m_inside, Value); }
void TBackImage::SetLeft(int Value) { SetValue(m_left, Value); }
void TBackImage::SetMode(TPlotBackImageMode Value) { SetValue(m_mode, Value); }
void TBackImage::SetTop(int Value) { SetValue(m_top, Value); }

void TBackImage::Assign(const TPicture* source)
{
    if (source == this)
        return;
    if (const auto* image = dynamic_cast<const TBackImage*>(source)) {
        m_inside = image->m_inside;
        m_left = image->m_left;
        m_mode = image->m_mode;
        m_top = image->m_top;
    }
    TPlotPicture::Assign(source);
}

void TBackImage::Draw(TCustomPlotPanel& Panel, const TRect& R, int Z)
{
    const TGraphic* g = FilteredGraphic();
    if (!g)
        return;
    TCanvas3D& c = *Panel.Canvas();
    const bool inPlane = Z > 0 && !c.IsOrthogonal;
    TRect r = R;
    if (Z > 0 && c.IsOrthogonal) {
        r = c.ProjectRect(R, Z);
        if (!Panel.View3D())
            ++r.Top;
    }
    if (m_mode == pbmStretch) {
        if (inPlane)
            c.StretchDrawAtZ(R, g, Z, 2);
        else
            c.StretchDraw(r, g);
        return;
    }
    const bool clip = Panel.CanClip();
    if (clip) {
        if (Z == 0)
            c.ClipRectangle(R);
        else
            c.ClipCube(R, 0, Panel.Width3D);
    }
    const int w = r.Width();
    const int h = r.Height();
    const int gw = g->Width();
    const int gh = g->Height();
    // one picture at (X, Y) in its own size
    auto drawAt = [&](int X, int Y) {
        if (inPlane)
            c.StretchDrawAtZ(TRect{X, Y, X + gw, Y + gh}, g, Z, 2);
        else
            c.Draw(X, Y, g);
    };
    if (m_mode == pbmTile) {
        if (gw > 0 && gh > 0)
            for (int y = 0; y < h; y += gh)
                for (int x = 0; x < w; x += gw)
                    drawAt(r.Left + x, r.Top + y);
    } else {
        if (auto* extended = dynamic_cast<TCustomPlotPanelExtended*>(&Panel))
            extended->FillPanelBack(r);
        if (m_mode == pbmCustom)
            drawAt(r.Left + m_left, r.Top + m_top);
        else
            drawAt(r.Left + (w - gw) / 2, r.Top + (h - gh) / 2);
    }
    if (clip)
        c.UnClip();
}
