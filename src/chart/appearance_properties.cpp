#include "chart/appearance_properties.h"

#include "chart/plot_picture.h"

const TPropertyTable<TChartPen>& ChartPenProperties()
{
    static const TPropertyTable<TChartPen> table =
        TPropertyTable<TChartPen>::Of()
            .Property("Color", ColorKind, TAccessors{&TChartPen::Color, &TChartPen::SetColor},
                      TInstanceDefault{&TChartPen::DefaultColor})
            .Property("EndStyle", EnumKind(PenEndStyleNames), TAccessors{&TChartPen::EndStyle, &TChartPen::SetEndStyle},
                      TInstanceDefault{&TChartPen::DefaultEndStyle})
            .Property("Mode", EnumKind(PenModeNames), TAccessors{&TChartPen::Mode, &TChartPen::SetMode},
                      TInstanceDefault{&TChartPen::DefaultMode})
            .Property("SmallDots", BooleanKind, TAccessors{&TChartPen::SmallDots, &TChartPen::SetSmallDots},
                      TStoredWhen{&TChartPen::IsSmallDotsStored})
            .Property("SmallSpace", IntegerKind, TAccessors{&TChartPen::SmallSpace, &TChartPen::SetSmallSpace},
                      TStoredWhen{&TChartPen::IsSmallSpaceStored})
            .Property("Style", EnumKind(PenStyleNames), TAccessors{&TChartPen::Style, &TChartPen::SetStyle},
                      TInstanceDefault{&TChartPen::DefaultStyle})
            .Property("Visible", BooleanKind, TAccessors{&TChartPen::Visible, &TChartPen::SetVisible},
                      TStoredWhen{&TChartPen::IsVisibleStored})
            .Property("Width", IntegerKind, TAccessors{&TChartPen::Width, &TChartPen::SetWidth},
                      TInstanceDefault{&TChartPen::DefaultWidth});
    return table;
}

const TPropertyTable<TChartBrush>& ChartBrushProperties()
{
    static const TPropertyTable<TChartBrush> table =
        TPropertyTable<TChartBrush>::Of()
            .Property("BackColor", ColorKind, TAccessors{&TChartBrush::BackColor, &TChartBrush::SetBackColor},
                      TInstanceDefault{&TChartBrush::DefaultBackColor})
            .Property("Color", ColorKind, TAccessors{&TChartBrush::Color, &TChartBrush::SetColor},
                      TInstanceDefault{&TChartBrush::DefaultColor})
            .Object(
                "Image", [](const TChartBrush& b) { return b.ImageIfAny(); },
                [](TChartBrush& b) { return b.Image(); }, [](TChartBrush& b) { b.SetImage(nullptr); },
                PictureProperties())
            .Property("Style", EnumKind(BrushStyleNames), TAccessors{&TChartBrush::Style, &TChartBrush::SetStyle},
                      TInstanceDefault{&TChartBrush::DefaultStyle});
    return table;
}

const TPropertyTable<TPlotShadow>& PlotShadowProperties()
{
    static const TPropertyTable<TPlotShadow> table =
        TPropertyTable<TPlotShadow>::Of()
            .Property("Clip", BooleanKind, TAccessors{&TPlotShadow::Clip, &TPlotShadow::SetClip}, AlwaysStored)
            .Property("Color", ColorKind, TAccessors{&TPlotShadow::Color, &TPlotShadow::SetColor},
                      TInstanceDefault{&TPlotShadow::DefaultColor})
            .Property("HorizSize", IntegerKind, TAccessors{&TPlotShadow::HorizSize, &TPlotShadow::SetHorizSize},
                      TInstanceDefault{&TPlotShadow::DefaultSize})
            .Property("Smooth", BooleanKind, TAccessors{&TPlotShadow::Smooth, &TPlotShadow::SetSmooth}, AlwaysStored)
            .Property("SmoothBlur", IntegerKind, TAccessors{&TPlotShadow::SmoothBlur, &TPlotShadow::SetSmoothBlur},
                      AlwaysStored)
            .Property("Transparency", IntegerKind,
                      TAccessors{&TPlotShadow::Transparency, &TPlotShadow::SetTransparency}, AlwaysStored)
            .Property("VertSize", IntegerKind, TAccessors{&TPlotShadow::VertSize, &TPlotShadow::SetVertSize},
                      TInstanceDefault{&TPlotShadow::DefaultSize})
            .Property("Visible", BooleanKind, TAccessors{&TPlotShadow::Visible, &TPlotShadow::SetVisible},
                      TInstanceDefault{&TPlotShadow::DefaultVisible});
    return table;
}

namespace {

const TPropertyTable<TCustomPlotGradient>& SubGradientProperties();

// The gradient properties shared by the gradient and its sub-gradient.
TPropertyTableBuilder<TCustomPlotGradient, TCustomPlotGradient> GradientBase()
{
    using G = TCustomPlotGradient;
    TPropertyTableBuilder<G, G> b(nullptr);
    b.Property("Angle", IntegerKind, TAccessors{&G::Angle, &G::SetAngle}, 0)
        .Property("Balance", IntegerKind, TAccessors{&G::Balance, &G::SetBalance}, 50)
        .Property("Direction", EnumKind(GradientDirectionNames), TAccessors{&G::Direction, &G::SetDirection},
                  TInstanceDefault{&G::DefaultDirection})
        .Property("EndColor", ColorKind, TAccessors{&G::EndColor, &G::SetEndColor},
                  TInstanceDefault{&G::DefaultEndColor})
        .Property("MidColor", ColorKind, TAccessors{&G::MidColor, &G::SetMidColor}, clNone)
        .Property("RadialX", IntegerKind, TAccessors{&G::RadialX, &G::SetRadialX}, 0)
        .Property("RadialY", IntegerKind, TAccessors{&G::RadialY, &G::SetRadialY}, 0)
        .Property("StartColor", ColorKind, TAccessors{&G::StartColor, &G::SetStartColor},
                  TInstanceDefault{&G::DefaultStartColor})
        .Property("Visible", BooleanKind, TAccessors{&G::Visible, &G::SetVisible}, false);
    return b;
}

const TPropertyTable<TCustomPlotGradient>& SubGradientProperties()
{
    static const TPropertyTable<TCustomPlotGradient> table =
        GradientBase().Property(
            "Transparency", IntegerKind,
            TAccessors{[](const TCustomPlotGradient& g) {
                           const auto* s = dynamic_cast<const TSubGradient*>(&g);
                           return s ? s->Transparency() : 50;
                       },
                       [](TCustomPlotGradient& g, int v) {
                           if (auto* s = dynamic_cast<TSubGradient*>(&g))
                               s->SetTransparency(v);
                       }},
            50);
    return table;
}

}  // namespace

const TPropertyTable<TCustomPlotGradient>& PlotGradientProperties()
{
    using G = TCustomPlotGradient;
    static const TPropertyTable<G> table = GradientBase().Object(
        "SubGradient", [](const G& g) -> const G* { return g.SubGradientIfAny(); },
        [](G& g) -> G* { return g.SubGradient(); }, [](G& g) { g.SetSubGradient(nullptr); },
        SubGradientProperties());
    return table;
}

const TPropertyTable<TPlotFont>& PlotFontProperties()
{
    using F = TPlotFont;
    static const TPropertyTable<F> table =
        TPropertyTable<F>::Of()
            .Property("Charset", IntegerKind, TAccessors{&F::Charset, &F::SetCharset}, 1)
            .Property("Color", ColorKind, TAccessors{&F::Color, &F::SetColor}, TInstanceDefault{&F::DefaultColor})
            .Property("Height", IntegerKind, TAccessors{&F::Height, &F::SetHeight}, TStoredWhen{&F::IsHeightStored})
            .Property("Name", StringKind, TAccessors{&F::Name, &F::SetName}, TStoredWhen{&F::IsNameStored})
            .Property("Style", IntegerKind, TAccessors{&F::Style, &F::SetStyle}, TInstanceDefault{&F::DefaultStyle})
            .Property("InterCharSize", IntegerKind, TAccessors{&F::InterCharSize, &F::SetInterCharSize}, 0)
            .Object(
                "OutLine", [](const F& f) -> const TChartPen* { return f.OutLineIfAny(); },
                [](F& f) -> TChartPen* { return f.OutLine(); }, nullptr, ChartPenProperties())
            .Object(
                "Picture", [](const F& f) -> const TPicture* { return f.PictureIfAny(); },
                [](F& f) -> TPicture* { return f.Picture(); }, nullptr, PlotPictureProperties())
            .Object(
                "Shadow", [](const F& f) -> const TPlotShadow* { return f.ShadowIfAny(); },
                [](F& f) -> TPlotShadow* { return f.Shadow(); }, nullptr, PlotShadowProperties())
            .Object(
                "Gradient", [](const F& f) -> const TCustomPlotGradient* { return f.GradientIfAny(); },
                [](F& f) -> TCustomPlotGradient* { return f.Gradient(); }, nullptr, PlotFontGradientProperties());
    return table;
}

const TPropertyTable<TCustomPlotGradient>& PlotFontGradientProperties()
{
    using G = TPlotFontGradient;
    static const TPropertyTable<TCustomPlotGradient> table =
        TPropertyTable<TCustomPlotGradient>::Of<G>(PlotGradientProperties())
            .Property("Outline", BooleanKind, TAccessors{&G::Outline, &G::SetOutline}, false);
    return table;
}

const TPropertyTable<TView3DOptions>& View3DOptionsProperties()
{
    using V = TView3DOptions;
    static const TPropertyTable<V> table =
        TPropertyTable<V>::Of()
            .Add("Elevation", TRoundedIntegerCodec{}, &V::Elevation, &V::SetElevation, 345)
            .Property("FontZoom", IntegerKind, TAccessors{&V::FontZoom, &V::SetFontZoom}, 100)
            .Property("HorizOffset", IntegerKind, TAccessors{&V::HorizOffset, &V::SetHorizOffset}, 0)
            .Property("Orthogonal", BooleanKind, TAccessors{&V::Orthogonal, &V::SetOrthogonal}, true)
            .Property("OrthoAngle", IntegerKind, TAccessors{&V::OrthoAngle, &V::SetOrthoAngle}, 45)
            .Property("Perspective", IntegerKind, TAccessors{&V::Perspective, &V::SetPerspective}, 100)
            .Add("Rotation", TRoundedIntegerCodec{}, &V::Rotation, &V::SetRotation, 345)
            .Property("Tilt", IntegerKind, TAccessors{&V::Tilt, &V::SetTilt}, 0)
            .Property("VertOffset", IntegerKind, TAccessors{&V::VertOffset, &V::SetVertOffset}, 0)
            .Add("Zoom", TRoundedIntegerCodec{}, &V::Zoom, &V::SetZoom, 100)
            .Property("ZoomText", BooleanKind, TAccessors{&V::ZoomText, &V::SetZoomText}, true);
    return table;
}
