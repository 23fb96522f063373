#include "chart/series_marks.h"

#include <cmath>

#include "chart/appearance_properties.h"
#include "chart/chart_callout.h"
#include "chart/chart_series.h"
#include "chart/plot_panel.h"

namespace {

const char* const kUnitNames[] = {"maPercentFont", "maPercentSize", "maPixels"};
const char* const kStyleNames[] = {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue",
                                   "smsLegend", "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY",
                                   "smsSeriesTitle", "smsPointIndex", "smsPercentRelative"};
const char* const kAlignNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

}  // namespace

void TSeriesMarkPosition::PlaceAt(int X, int Y)
{
    ArrowTo = {X, Y};
    ArrowFrom = ArrowTo;
    LeftTop = {X - Width / 2, Y - Height + 1};
}

// ---- TMargins ----

TMargins::TMargins(int LeftRight) : m_left(LeftRight), m_right(LeftRight), m_default(LeftRight) {}

void TMargins::Set(int& Field, int Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange();
}

void TMargins::SetUnits(TMarginUnits Value)
{
    if (m_units == Value)
        return;
    m_units = Value;
    if (OnChange)
        OnChange();
}

void TMargins::Calculate(int TextWidth, int TextHeight, int FontHeight)
{
    const int m[4] = {m_left, m_top, m_right, m_bottom};
    for (int k = 0; k < 4; ++k) {
        switch (m_units) {
        case maPercentFont:
            m_size[k] = Nearest(m[k] * 0.02 * FontHeight);
            break;
        case maPercentSize:
            m_size[k] = Nearest(m[k] * 0.01 * (k % 2 == 0 ? TextWidth : TextHeight));
            break;
        case maPixels:
            m_size[k] = m[k];
            break;
        }
    }
}

void TMargins::Assign(const TMargins& Source)
{
    m_left = Source.m_left;
    m_top = Source.m_top;
    m_right = Source.m_right;
    m_bottom = Source.m_bottom;
    m_units = Source.m_units;
    if (OnChange)
        OnChange();
}

const TPropertyTable<TMargins>& TMargins::Properties()
{
    static const TPropertyTable<TMargins> table =
        TPropertyTable<TMargins>::Of()
            .Property("Left", IntegerKind, TAccessors{&TMargins::Left, &TMargins::SetLeft},
                      TInstanceDefault{&TMargins::DefaultLeftRight})
            .Property("Top", IntegerKind, TAccessors{&TMargins::Top, &TMargins::SetTop}, 5)
            .Property("Right", IntegerKind, TAccessors{&TMargins::Right, &TMargins::SetRight},
                      TInstanceDefault{&TMargins::DefaultLeftRight})
            .Property("Bottom", IntegerKind, TAccessors{&TMargins::Bottom, &TMargins::SetBottom}, 5)
            .Property("Units", EnumKind(kUnitNames), TAccessors{&TMargins::Units, &TMargins::SetUnits},
                      maPercentFont);
    return table;
}

// ---- TMarksItem ----

void TMarksItem::SetText(std::vector<std::string> Value)
{
    if (m_text == Value)
        return;
    m_text = std::move(Value);
    Changed();
}

void TMarksItem::SetVisible(bool Value)
{
    if (m_visible == Value)
        return;
    m_visible = Value;
    Changed();
}

void TMarksItem::SetColor(TColor Value)
{
    if (m_color == Value)
        return;
    m_color = Value;
    Changed();
}

void TMarksItem::SetTransparent(bool Value)
{
    if (m_transparent == Value)
        return;
    m_transparent = Value;
    Changed();
}

void TMarksItem::Assign(const TMarksItem& Source)
{
    Properties().Assign(*this, Source);
    SetText(Source.m_text);
}

const TPropertyTable<TMarksItem>& TMarksItem::Properties()
{
    static const TPropertyTable<TMarksItem> table =
        TPropertyTable<TMarksItem>::Of()
            .Property("Color", ColorKind, TAccessors{&TMarksItem::Color, &TMarksItem::SetColor}, clInfoBk)
            .Defined(
                "Text",
                [](const TMarksItem& item, TPropertyWriter& w) {
                    w.WriteListBegin();
                    for (const std::string& line : item.Text())
                        w.WriteString(line);
                    w.WriteListEnd();
                },
                [](TMarksItem& item, TPropertyReader& r) {
                    std::vector<std::string> lines;
                    r.ReadListBegin();
                    while (!r.EndOfList())
                        lines.push_back(StringValue(r.ReadValue()));
                    r.ReadListEnd();
                    item.SetText(std::move(lines));
                },
                [](const TMarksItem& item) { return !item.Text().empty(); })
            .Property("Transparent", BooleanKind, TAccessors{&TMarksItem::Transparent, &TMarksItem::SetTransparent},
                      false)
            .Property("Visible", BooleanKind, TAccessors{&TMarksItem::Visible, &TMarksItem::SetVisible}, true);
    return table;
}

// ---- TSeriesMarks ----

TSeriesMarksGradient::TSeriesMarksGradient()
{
    SetDirection(gdRightLeft);
    SetEndColor(clWhite);
    SetStartColor(clSilver);
}

TSeriesMarks::TSeriesMarks(TChartSeries* Series) : m_series(Series)
{
    m_margins.OnChange = [this] { Repaint(); };
    TPlotCustomShape::SetColor(clInfoBk);
    TPlotCustomShape::SetVisible(false);
    InitShadow(*Shadow());
}

TSeriesMarks::~TSeriesMarks() = default;

std::unique_ptr<TCustomPlotGradient> TSeriesMarks::CreateGradient()
{
    return std::make_unique<TSeriesMarksGradient>();
}

void TSeriesMarks::InitShadow(TPlotShadow& Shadow)
{
    const auto notify = std::move(Shadow.OnChange);
    Shadow.SetDefaults(clGray, 3);
    Shadow.SetColor(clGray);
    Shadow.SetHorizSize(3);
    Shadow.SetVertSize(3);
    Shadow.OnChange = notify;
}

TMarksCallout* TSeriesMarks::Callout()
{
    if (!m_callout) {
        m_callout = std::make_unique<TMarksCallout>(m_series);
        m_callout->SetParentChart(ParentChart());
    }
    return m_callout.get();
}

void TSeriesMarks::SetCallout(const TMarksCallout* Value)
{
    if (!Value)
        m_callout.reset();
    else if (Value != m_callout.get())
        Callout()->Assign(*Value);
    Repaint();
}

TChartPen* TSeriesMarks::Arrow()
{
    return Callout()->Arrow();
}

int TSeriesMarks::ArrowLength() const
{
    return m_callout ? m_callout->Length() : 8;
}

void TSeriesMarks::SetArrowLength(int Value)
{
    Callout()->SetLength(Value);
}

void TSeriesMarks::ApplyArrowLength(TSeriesMarkPosition& Position) const
{
    if (m_callout)
        m_callout->ApplyArrowLength(Position);
}

void TSeriesMarks::SetParentChart(TCustomPlotPanel* Value)
{
    TPlotCustomShape::SetParentChart(Value);
    if (m_callout)
        m_callout->SetParentChart(Value);
}

void TSeriesMarks::Repaint()
{
    if (m_series)
        m_series->Repaint();
}

TSeriesMarkPosition* TSeriesMarks::Position(int i) const
{
    if (i < 0 || i >= PositionCount())
        return nullptr;
    return m_positions[static_cast<std::size_t>(i)].get();
}

TSeriesMarkPosition& TSeriesMarks::PositionAt(int i)
{
    if (i >= PositionCount())
        m_positions.resize(static_cast<std::size_t>(i) + 1);
    auto& slot = m_positions[static_cast<std::size_t>(i)];
    if (!slot)
        slot = std::make_unique<TSeriesMarkPosition>();
    return *slot;
}

void TSeriesMarks::DeletePosition(int i)
{
    if (i >= 0 && i < PositionCount())
        m_positions.erase(m_positions.begin() + i);
}

void TSeriesMarks::DeletePositionsFrom(int Start)
{
    if (Start >= 0 && Start < PositionCount())
        m_positions.resize(static_cast<std::size_t>(Start));
}

bool TSeriesMarks::ExistCustom() const
{
    for (const auto& p : m_positions)
        if (p && p->Custom)
            return true;
    return false;
}

void TSeriesMarks::MarkPosition(int i, TSeriesMarkPosition& Position)
{
    TSeriesMarkPosition& stored = PositionAt(i);
    if (stored.Custom) {
        const TPoint2 from = Position.ArrowFrom;
        const bool keepFrom = Position.ArrowFix;
        Position = stored;
        if (keepFrom)
            Position.ArrowFrom = from;
    } else {
        stored = Position;
    }
}

int TSeriesMarks::Clicked(int X, int Y) const
{
    const int step = DrawStep();
    for (int i = PositionCount() - 1; i >= 0; --i) {
        const TSeriesMarkPosition* p = Position(i);
        if (!p || i % step != 0)
            continue;
        if (X >= p->LeftTop.X && X <= p->Right() && Y >= p->LeftTop.Y && Y <= p->Bottom())
            return i;
    }
    return -1;
}

TMarksItem* TSeriesMarks::ItemOrNull(int i) const
{
    if (i < 0 || i >= ItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(i)].get();
}

TMarksItem& TSeriesMarks::Item(int i)
{
    if (i >= ItemCount())
        m_items.resize(static_cast<std::size_t>(i) + 1);
    auto& slot = m_items[static_cast<std::size_t>(i)];
    if (!slot) {
        slot = std::make_unique<TMarksItem>();
        slot->OnChange = [this] { Repaint(); };
    }
    return *slot;
}

void TSeriesMarks::DeleteItem(int i)
{
    if (i >= 0 && i < ItemCount())
        m_items.erase(m_items.begin() + i);
}

void TSeriesMarks::ClearItems()
{
    m_items.clear();
    Repaint();
}

void TSeriesMarks::Clear()
{
    ClearPositions();
    if (!m_itemsLocked && !m_items.empty())
        ClearItems();
}

void TSeriesMarks::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* m = dynamic_cast<const TSeriesMarks*>(&Source)) {
        m_angle = m->m_angle;
        if (m->m_callout)
            Callout()->Assign(*m->m_callout);
        else
            m_callout.reset();
        m_clip = m->m_clip;
        m_drawEvery = m->m_drawEvery;
        m_style = m->m_style;
        m_margins.Assign(m->m_margins);
        m_multiLine = m->m_multiLine;
        m_textAlign = m->m_textAlign;
        m_items.clear();
        for (int i = 0; i < m->ItemCount(); ++i)
            if (const TMarksItem* item = m->ItemOrNull(i))
                Item(i).Assign(*item);
    }
    TPlotCustomShape::Assign(Source);
    Repaint();
}

std::vector<std::uint8_t> TSeriesMarks::WriteItems() const
{
    TPropertyWriter w;
    const auto n = static_cast<std::uint32_t>(m_items.size());
    const std::uint8_t count[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                   static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    std::vector<std::uint8_t> out(count, count + 4);
    for (const auto& item : m_items) {
        w.WriteListBegin();
        if (item)
            TMarksItem::Properties().Write(*item, w);
        w.WriteListEnd();
    }
    out.insert(out.end(), w.Data().begin(), w.Data().end());
    return out;
}

void TSeriesMarks::ReadItems(std::span<const std::uint8_t> Data)
{
    if (Data.size() < 4)
        throw EReadError("Stream read error");
    const auto n = static_cast<std::int32_t>(Data[0] | (Data[1] << 8) | (Data[2] << 16) |
                                             (static_cast<std::uint32_t>(Data[3]) << 24));
    // every item takes at least its list begin and end
    if (n < 0 || static_cast<std::size_t>(n) > (Data.size() - 4) / 2)
        throw EReadError("Stream read error");
    std::vector<std::unique_ptr<TMarksItem>> items(static_cast<std::size_t>(n));
    TPropertyReader r(Data.subspan(4));
    for (auto& slot : items) {
        r.ReadListBegin();
        if (!r.EndOfList()) {
            slot = std::make_unique<TMarksItem>();
            TMarksItem::Properties().ReadList(*slot, r, "TMarksItem");
        }
        r.ReadListEnd();
    }
    if (!r.AtEnd())
        throw EReadError("Stream read error");
    for (auto& slot : items)
        if (slot)
            slot->OnChange = [this] { Repaint(); };
    m_items = std::move(items);
    if (n != 0)
        m_itemsLocked = true;
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TSeriesMarks::Properties()
{
    using S = TSeriesMarks;
    // The shape's properties the marks publish, with the marks' own defaults.
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>()
            .Property("Angle", IntegerKind, TAccessors{&S::Angle, &S::SetAngle}, 0)
            .Object(
                "Arrow", [](const S& s) -> const TChartPen* { return s.CalloutIfAny() ? s.CalloutIfAny()->Arrow() : nullptr; },
                [](S& s) -> TChartPen* { return s.Arrow(); }, nullptr, ChartPenProperties())
            .NotAssigned()
            .Property("BackColor", ColorKind, TAccessors{&S::Color, &S::SetColor},
                      TStoredWhen{[](const S&) { return false; }})
            .NotAssigned()
            .Object(
                "Brush", [](const S& s) -> const TChartBrush* { return s.Brush(); },
                [](S& s) -> TChartBrush* { return s.Brush(); }, nullptr, ChartBrushProperties())
            .Object(
                "Callout", [](const S& s) -> const TPlotCustomShapeBrushPen* { return s.CalloutIfAny(); },
                [](S& s) -> TPlotCustomShapeBrushPen* { return s.Callout(); }, [](S& s) { s.SetCallout(nullptr); },
                TMarksCallout::Properties())
            .Property("Clip", BooleanKind, TAccessors{&S::Clip, &S::SetClip}, false)
            .Property("Color", ColorKind, TAccessors{&S::Color, &S::SetColor}, clInfoBk)
            .Property("DrawEvery", IntegerKind, TAccessors{&S::DrawEvery, &S::SetDrawEvery}, 1)
            .Object(
                "Font", [](const S& s) -> const TPlotFont* { return s.Font(); },
                [](S& s) -> TPlotFont* { return s.Font(); }, nullptr, PlotFontProperties())
            .Object(
                "Frame", [](const S& s) -> const TChartPen* { return s.Frame(); },
                [](S& s) -> TChartPen* { return s.Frame(); }, nullptr, ChartPenProperties())
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return s.GradientIfAny(); },
                [](S& s) -> TCustomPlotGradient* { return s.Gradient(); }, [](S& s) { s.SetGradient(nullptr); },
                PlotGradientProperties())
            .Object(
                "Margins", [](const S& m) { return &m.Margins(); }, [](S& m) { return &m.Margins(); }, nullptr,
                TMargins::Properties())
            .Property("MultiLine", BooleanKind, TAccessors{&S::MultiLine, &S::SetMultiLine}, false)
            .Object(
                "Shadow", [](const S& s) -> const TPlotShadow* { return s.ShadowIfAny(); },
                [](S& s) -> TPlotShadow* { return s.Shadow(); }, [](S& s) { s.SetShadow(nullptr); },
                PlotShadowProperties())
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, smsLabel)
            .Property("TextAlign", EnumKind(kAlignNames), TAccessors{&S::TextAlign, &S::SetTextAlign}, taCenter)
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency}, 0)
            .Property("Transparent", BooleanKind, TAccessors{&S::Transparent, &S::SetTransparent}, false)
            .Property("Visible", BooleanKind, TAccessors{&S::Visible, &S::SetVisible}, false)
            .Binary("Items", &S::WriteItems, &S::ReadItems, [](const S& m) { return m.ItemCount() > 0; });
    return table;
}
