#include "chart/series/candle_series.h"

#include <algorithm>

#include "chart/appearance_properties.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_gradient.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"

namespace {

constexpr const char* kCandleStyleNames[] = {"csCandleStick", "csCandleBar", "csOpenClose", "csLine"};
constexpr const char* kColorStyleNames[] = {"cssRelativeToOpen", "cssRelativeToClose"};

}  // namespace

TCandleLegendShape CandleLegendShape(const TRect& R)
{
    TCandleLegendShape s;
    const int dx = (R.Right - R.Left) / 5 - 1;
    const int dy = (R.Bottom - R.Top) / 5;
    s.Body = TRect{R.Left + dx, R.Top + dy, R.Right - dx, R.Bottom - dy};
    s.Mid = (R.Left + R.Right) / 2;
    if ((R.Right - R.Left) % 2 == 0)
        --s.Mid;
    s.UpperTop = R.Top - 1;
    s.UpperBottom = R.Top + dy;
    s.LowerTop = R.Bottom;
    s.LowerBottom = R.Bottom - dy - 2;
    return s;
}

TCandleSeries::TCandleSeries(QObject* Owner)
    : TOHLCSeries(Owner), m_upGradient(std::make_unique<TPlotGradient>([this] { Repaint(); })),
      m_downGradient(std::make_unique<TPlotGradient>([this] { Repaint(); })),
      m_highLowPen(std::make_unique<TChartPen>([this] { Repaint(); }))
{
    m_upGradient->InitStartColor(0xFFFFFF);
    m_downGradient->InitStartColor(255);
    m_highLowPen->InitColor(clDefault);
    Pointer().SetVisible(true);
    Pointer().InitDraw3D(false);
    Pointer().SetDark3D(true);
}

TCandleSeries::~TCandleSeries() = default;

void TCandleSeries::SetCandleStyle(TCandleStyle Value)
{
    if (m_candleStyle == Value)
        return;
    m_candleStyle = Value;
    Pointer().SetVisible(Value != csLine);
    Repaint();
}

TColor TCandleSeries::UpCloseColor() const
{
    return m_upGradient->StartColor();
}

void TCandleSeries::SetUpCloseColor(TColor Value)
{
    m_upGradient->SetStartColor(Value);
}

TColor TCandleSeries::DownCloseColor() const
{
    return m_downGradient->StartColor();
}

void TCandleSeries::SetDownCloseColor(TColor Value)
{
    m_downGradient->SetStartColor(Value);
}

bool TCandleSeries::IsUpCandle(int Index) const
{
    const TChartValueList& close = CloseValues();
    const TChartValueList& open = OpenValues();
    // walk back over equal closes to the last decided point (up for point 0)
    for (int i = Index; i >= 0; --i) {
        if (m_colorStyle == cssRelativeToClose && i > 0) {
            if (close.Value(i) < close.Value(i - 1))
                return false;
            if (close.Value(i) > close.Value(i - 1))
                return true;
            continue;
        }
        if (close.Value(i) > open.Value(i))
            return true;
        if (close.Value(i) < open.Value(i))
            return false;
        if (i == 0)
            return true;
        if (close.Value(i) < close.Value(i - 1))
            return false;
        if (close.Value(i) > close.Value(i - 1))
            return true;
    }
    return true;
}

TColor TCandleSeries::CandleColor(int Index) const
{
    const TColor own = ValueColor(Index);
    if (own != clDefault)
        return own;
    return IsUpCandle(Index) ? UpCloseColor() : DownCloseColor();
}

void TCandleSeries::DrawValue(int ValueIndex)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return;
    TCanvas3D& c = *panel->Canvas();
    const bool view3D = chart->View3D();
    const TColor color = CandleColor(ValueIndex);
    const int x = CalcXPos(ValueIndex);
    const int yOpen = CalcYPosValue(OpenValues().Value(ValueIndex));
    int yClose = CalcYPosValue(CloseValues().Value(ValueIndex));
    // open = close, before a flat 2D body is given its one pixel
    const bool flat = yOpen == yClose;
    const int yHigh = CalcYPosValue(HighValues().Value(ValueIndex));
    const int yLow = CalcYPosValue(LowValues().Value(ValueIndex));
    const int wl = CandleLeftWidth(m_candleWidth);
    const int wr = CandleRightWidth(m_candleWidth);
    TChartPen& pen = Pen();
    const auto line = [&](int X0, int Y0, int X1, int Y1) {
        if (view3D)
            c.LineWithZ(X0, Y0, X1, Y1, MiddleZ());
        else
            c.Line(X0, Y0, X1, Y1);
    };

    if (m_candleStyle == csLine) {
        if (ValueIndex != FirstDrawIndex() && !IsNull(ValueIndex)) {
            c.AssignPenColor(&pen, color);
            line(m_previousClose.X, m_previousClose.Y, x, yClose);
        }
        m_previousClose = TPoint{x, yClose};
        return;
    }
    if (m_candleStyle == csCandleBar) {
        c.AssignPenColor(&pen, color);
        c.SetBackMode(cbmTransparent);
        line(x, yLow, x, yHigh);
        if (m_showOpenTick)
            line(x, yOpen, x - wl - 1, yOpen);
        if (m_showCloseTick)
            line(x, yClose, x + wr + 1, yClose);
        return;
    }

    TChartPen& highLow = *m_highLowPen;
    const auto drawWick = [&](int Y0, int Y1) {
        c.AssignPenColor(&highLow, highLow.Color() == clDefault ? pen.Color() : highLow.Color());
        line(x, Y0, x, Y1);
    };
    const auto bodyPen = [&] {
        if (!pen.Visible())
            c.Pen()->SetStyle(psClear);
        else
            c.AssignPenColor(&pen, flat ? color : pen.Color());
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(color);
    };
    TPlotGradient* gradient = nullptr;
    if (m_upGradient->Visible() || m_downGradient->Visible()) {
        TPlotGradient* chosen = IsUpCandle(ValueIndex) ? m_upGradient.get() : m_downGradient.get();
        if (chosen->Visible())
            gradient = chosen;
    }
    if (view3D && Draw3D()) {
        const int top = std::min(yOpen, yClose);
        const int bottom = std::max(yOpen, yClose);
        if (m_candleStyle == csCandleStick)
            drawWick(bottom, yLow);
        bodyPen();
        c.Cube(x - wl, x + wr, top, bottom, StartZ(), EndZ(), Dark3D());
        if (gradient) {
            TPoint corners[4];
            c.ProjectRectCorners(TRect{x - wl, top, x + wr, bottom}, StartZ(), corners);
            gradient->DrawPolygon(c, corners);
        }
        if (m_candleStyle == csCandleStick)
            drawWick(top, yHigh);
        return;
    }
    if (m_candleStyle == csCandleStick)
        drawWick(yLow, yHigh);
    if (flat)
        --yClose;
    TRect body{x - wl, yOpen, x + wr + (view3D ? 0 : 1), yClose};
    // without an outline the 2D body gives up its lowest column
    if (!view3D && !pen.Visible())
        ++body.Left;
    const TRect normal{body.Left, std::min(body.Top, body.Bottom), body.Right, std::max(body.Top, body.Bottom)};
    if (gradient) {
        if (view3D) {
            TPoint corners[4];
            c.ProjectRectCorners(normal, StartZ(), corners);
            gradient->DrawPolygon(c, corners);
        } else {
            gradient->Draw(c, normal);
        }
    }
    bodyPen();
    if (gradient)
        c.Brush()->SetStyle(bsClear);
    if (view3D)
        c.RectangleWithZ(body, StartZ());
    else
        c.RectangleRect(body);
}

void TCandleSeries::DrawValueAlone(int ValueIndex, const TChartPen& Pen)
{
    if (m_candleStyle == csLine)
        TOHLCSeries::DrawValueAlone(ValueIndex, Pen);
    else
        TChartSeries::DrawValueAlone(ValueIndex, Pen);
}

int TCandleSeries::Clicked(int X, int Y) const
{
    if (FirstValueIndex() < 0 || LastValueIndex() < 0)
        return -1;
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (panel && panel->Canvas() && chart->View3D())
        panel->Canvas()->Unproject(X, Y, MiddleZ());
    const TPoint p{X, Y};
    const int wl = CandleLeftWidth(m_candleWidth);
    const int wr = CandleRightWidth(m_candleWidth);
    for (int i = FirstValueIndex(); i <= std::min(LastValueIndex(), Count() - 1); ++i) {
        const int x = CalcXPos(i);
        const int yOpen = CalcYPosValue(OpenValues().Value(i));
        const int yClose = CalcYPosValue(CloseValues().Value(i));
        const int yHigh = CalcYPosValue(HighValues().Value(i));
        const int yLow = CalcYPosValue(LowValues().Value(i));
        switch (m_candleStyle) {
        case csLine:
            if (i > FirstValueIndex()
                && PointNearLine(p, CalcXPos(i - 1), CalcYPosValue(CloseValues().Value(i - 1)), x, yClose, 0))
                return i;
            break;
        case csCandleBar:
            if (PointNearLine(p, x, yLow, x, yHigh, 0)
                || (m_showOpenTick && PointNearLine(p, x, yOpen, x - wl - 1, yOpen, 0))
                || (m_showCloseTick && PointNearLine(p, x, yClose, x + wr + 1, yClose, 0)))
                return i;
            break;
        default:
            if (m_candleStyle == csCandleStick && PointNearLine(p, x, yLow, x, yHigh, 0))
                return i;
            if (X >= x - wl && X <= x + wr && Y >= std::min(yOpen, yClose) && Y <= std::max(yOpen, yClose))
                return i;
        }
    }
    return -1;
}

void TCandleSeries::DrawLegendShape(int, const TRect& Rect)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return;
    TCanvas3D& c = *panel->Canvas();
    const TCandleLegendShape s = CandleLegendShape(Rect);
    c.RectangleRect(s.Body);
    c.Line(s.Mid, s.UpperTop, s.Mid, s.UpperBottom);
    c.Line(s.Mid, s.LowerTop, s.Mid, s.LowerBottom);
}

double TCandleSeries::MaxYValue() const
{
    return m_candleStyle == csLine ? CloseValues().MaxValue() : TOHLCSeries::MaxYValue();
}

double TCandleSeries::MinYValue() const
{
    return m_candleStyle == csLine ? CloseValues().MinValue() : TOHLCSeries::MinYValue();
}

void TCandleSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TOHLCSeries::CreateSubGallery(Captions);
    Captions.push_back(PlotMsgStyleBar);
    Captions.push_back(ProMsgStyleNoOpen);
    Captions.push_back(ProMsgStyleNoClose);
    Captions.push_back(PlotMsgStyleNoBorder);
    Captions.push_back(PlotMsgStyleLine);
}

void TCandleSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1:
        SetCandleStyle(csCandleBar);
        break;
    case 2:
        Pointer().Pen()->Show();
        SetCandleStyle(csCandleBar);
        SetShowOpenTick(false);
        break;
    case 3:
        Pointer().Pen()->Show();
        SetCandleStyle(csCandleBar);
        SetShowCloseTick(false);
        break;
    case 4:
        SetCandleStyle(csCandleStick);
        Pointer().Pen()->Hide();
        break;
    case 5:
        SetCandleStyle(csLine);
        break;
    default:
        TOHLCSeries::SetSubGallery(Index);
    }
}

void TCandleSeries::Assign(const TCustomChartElement& Source)
{
    if (auto* s = qobject_cast<const TCandleSeries*>(&Source)) {
        m_candleStyle = s->m_candleStyle;
        m_candleWidth = s->m_candleWidth;
        m_colorStyle = s->m_colorStyle;
        m_upGradient->Assign(*s->m_upGradient);
        m_downGradient->Assign(*s->m_downGradient);
        m_highLowPen->Assign(*s->m_highLowPen);
        m_showOpenTick = s->m_showOpenTick;
        m_showCloseTick = s->m_showCloseTick;
    }
    TOHLCSeries::Assign(Source);
}

void TCandleSeries::PrepareForGallery(bool IsEnabled)
{
    TOHLCSeries::PrepareForGallery(IsEnabled);
    FillSampleValues(4);
    Pointer().Pen()->SetWidth(2);
    SetCandleWidth(12);
    if (!IsEnabled) {
        SetUpCloseColor(clSilver);
        SetDownCloseColor(clGray);
        Pointer().Pen()->SetColor(clGray);
    }
}

void TCandleSeries::SetChartView3D(bool Value)
{
    TOHLCSeries::SetChartView3D(Value);
    if (TSeriesParent* chart = ParentChart()) {
        SetDownCloseColor(chart->GetDefaultColor(0));
        SetUpCloseColor(chart->GetDefaultColor(4));
    }
}

const TPropertyTable<TCustomChartElement>& TCandleSeries::Properties()
{
    using S = TCandleSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TOHLCSeries::Properties())
            .Property("CandleStyle", EnumKind(kCandleStyleNames), TAccessors{&S::CandleStyle, &S::SetCandleStyle},
                      csCandleStick)
            .Property("CandleWidth", IntegerKind, TAccessors{&S::CandleWidth, &S::SetCandleWidth}, 4)
            .Property("ColorStyle", EnumKind(kColorStyleNames), TAccessors{&S::ColorStyle, &S::SetColorStyle},
                      cssRelativeToOpen)
            .Property("UpCloseColor", ColorKind, TAccessors{&S::UpCloseColor, &S::SetUpCloseColor},
                      TColor{0xFFFFFF})
            .Property("DownCloseColor", ColorKind, TAccessors{&S::DownCloseColor, &S::SetDownCloseColor},
                      TColor{255})
            .Object(
                "UpCloseGradient", [](const S& s) -> const TCustomPlotGradient* { return &s.UpCloseGradient(); },
                [](S& s) -> TCustomPlotGradient* { return &s.UpCloseGradient(); }, nullptr, PlotGradientProperties())
            .Object(
                "DownCloseGradient", [](const S& s) -> const TCustomPlotGradient* { return &s.DownCloseGradient(); },
                [](S& s) -> TCustomPlotGradient* { return &s.DownCloseGradient(); }, nullptr,
                PlotGradientProperties())
            .Object(
                "HighLowPen", [](const S& s) { return &s.HighLowPen(); }, [](S& s) { return &s.HighLowPen(); },
                nullptr, ChartPenProperties())
            .Property("Draw3D", BooleanKind, TAccessors{&S::Draw3D, &S::SetDraw3D}, false)
            .Property("ShowOpenTick", BooleanKind, TAccessors{&S::ShowOpenTick, &S::SetShowOpenTick}, true)
            .Property("ShowCloseTick", BooleanKind, TAccessors{&S::ShowCloseTick, &S::SetShowCloseTick}, true);
    return table;
}
