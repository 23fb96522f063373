#include "chart/legend_symbol.h"

#include "chart/appearance_properties.h"
#include "chart/plot_canvas.h"

TChartLegendGradient::TChartLegendGradient(std::function<void()> OnChange)
{
    SetDirection(gdRightLeft);
    SetEndColor(clWhite);
    SetStartColor(clSilver);
    this->OnChange = std::move(OnChange);
}

const TPropertyTable<TCustomPlotGradient>& TChartLegendGradient::Properties()
{
    // The gradient's properties with this class's defaults of Direction and colours.
    using G = TCustomPlotGradient;
    static const TPropertyTable<G> table =
        TPropertyTable<G>::Of()
            .Property("Angle", IntegerKind, TAccessors{&G::Angle, &G::SetAngle}, 0)
            .Property("Balance", IntegerKind, TAccessors{&G::Balance, &G::SetBalance}, 50)
            .Property("Direction", EnumKind(GradientDirectionNames), TAccessors{&G::Direction, &G::SetDirection},
                      gdRightLeft)
            .Property("EndColor", ColorKind, TAccessors{&G::EndColor, &G::SetEndColor}, clWhite)
            .Property("MidColor", ColorKind, TAccessors{&G::MidColor, &G::SetMidColor}, clNone)
            .Property("RadialX", IntegerKind, TAccessors{&G::RadialX, &G::SetRadialX}, 0)
            .Property("RadialY", IntegerKind, TAccessors{&G::RadialY, &G::SetRadialY}, 0)
            .Property("StartColor", ColorKind, TAccessors{&G::StartColor, &G::SetStartColor}, clSilver)
            .Property("Visible", BooleanKind, TAccessors{&G::Visible, &G::SetVisible}, false);
    return table;
}

TLegendSymbol::TLegendSymbol(std::function<void()> OnChange, std::function<int()> ItemHeight)
    : m_onChange(std::move(OnChange)), m_itemHeight(std::move(ItemHeight))
{
    m_gradient = std::make_unique<TChartLegendGradient>([this] { Changed(); });
    m_pen = std::make_unique<TChartPen>([this] { Changed(); });
    m_shadow = std::make_unique<TPlotShadow>();
    // the shadow keeps its own colour (silver); only its size differs
    m_shadow->InitSize(3);
    m_shadow->OnChange = [this] { Changed(); };
}

TLegendSymbol::~TLegendSymbol() = default;

const TPropertyTable<TLegendSymbol>& TLegendSymbol::Properties()
{
    using S = TLegendSymbol;
    static const TPropertyTable<S> table =
        TPropertyTable<S>::Of()
            .Property("Continuous", BooleanKind, TAccessors{&S::Continuous, &S::SetContinuous}, false)
            .Property("DefaultPen", BooleanKind, TAccessors{&S::DefaultPen, &S::SetDefaultPen}, true)
            .NotAssigned()
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return s.Gradient(); },
                [](S& s) -> TCustomPlotGradient* { return s.Gradient(); }, nullptr, TChartLegendGradient::Properties())
            .Object(
                "Pen", [](const S& s) -> const TChartPen* { return s.Pen(); },
                [](S& s) -> TChartPen* { return s.Pen(); }, nullptr, ChartPenProperties())
            .Property("Position", EnumKind(LegendSymbolPositionNames), TAccessors{&S::Position, &S::SetPosition}, spLeft)
            .Object(
                "Shadow", [](const S& s) -> const TPlotShadow* { return s.Shadow(); },
                [](S& s) -> TPlotShadow* { return s.Shadow(); }, nullptr, PlotShadowProperties())
            .Property("Squared", BooleanKind, TAccessors{&S::Squared, &S::SetSquared}, false)
            .Property("Visible", BooleanKind, TAccessors{&S::Visible, &S::SetVisible}, true)
            .Property("Width", IntegerKind, TAccessors{&S::Width, &S::SetWidth}, 20)
            .Property("WidthUnits", EnumKind(LegendSymbolSizeNames), TAccessors{&S::WidthUnits, &S::SetWidthUnits},
                      lcsPercent);
    return table;
}

void TLegendSymbol::SetGradient(const TCustomPlotGradient* Value)
{
    if (Value && Value != m_gradient.get())
        m_gradient->Assign(*Value);
}

void TLegendSymbol::SetPen(const TChartPen* Value)
{
    if (Value && Value != m_pen.get())
        m_pen->Assign(*Value);
}

void TLegendSymbol::SetShadow(const TPlotShadow* Value)
{
    m_shadow->Assign(Value);
}

void TLegendSymbol::Assign(const TLegendSymbol& Source)
{
    if (&Source != this)
        Properties().Assign(*this, Source);
}

void TLegendSymbol::DrawSymbol(TCanvas3D& Canvas, const TRect& R, TColor Color)
{
    if (m_shadow->Visible() && m_shadow->GetSize() != 0) {
        // the shadow draws with pens and brushes of its own: the symbol keeps
        // its frame and the brush pattern a series prepared
        TPen frame;
        frame.Assign(*Canvas.Pen());
        TBitmap* pattern = Canvas.Brush()->Bitmap();
        m_shadow->DrawRect(Canvas, R);
        Canvas.Pen()->Assign(frame);
        Canvas.Brush()->SetBitmap(pattern);
    }
    if (!m_defaultPen)
        Canvas.AssignPen(m_pen.get());
    if (m_gradient->Visible()) {
        // ends in the item's colour for this drawing only
        const TColor end = m_gradient->EndColor();
        auto notify = std::move(m_gradient->OnChange);
        m_gradient->SetEndColor(Color);
        m_gradient->Draw(Canvas, R);
        m_gradient->SetEndColor(end);
        m_gradient->OnChange = std::move(notify);
        Canvas.Brush()->SetStyle(bsClear);
    } else {
        // in the item's colour, or the pattern a series prepared
        TBitmap* pattern = Canvas.Brush()->Bitmap();
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Color);
        Canvas.Brush()->SetBitmap(pattern);
    }
    if (m_pen->Visible())
        Canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
}
