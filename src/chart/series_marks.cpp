#include "chart/series_marks.h"

#include "chart/appearance_properties.h"
#include "chart/chart_callout.h"

#include <cmath>
#include <string>

#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"

namespace {

const char* const kUnitNames[] = {"maPercentFont", "maPercentSize", "maPixels"};
const char* const kStyleNames[] = {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue",
                                   "smsLegend", "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY",
                                   "smsSeriesTitle", "smsPointIndex", "smsPercentRelative"};
const char* const kAlignNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

// Items and positions are padded up to an index; a negative one has no slot.
void CheckIndex(int i)
{
    if (i < 0)
        throw ChartException("List index out of bounds (" + std::to_string(i) + ")");
}

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

namespace {

// Grey, 3 pixels: the marks' shadow.
void MarksShadow(TPlotShadow& Shadow)
{
    const auto notify = std::move(Shadow.OnChange);
    Shadow.InitColor(0x808080);
    Shadow.InitSize(3);
    Shadow.SetColor(0x808080);
    Shadow.SetHorizSize(3);
    Shadow.SetVertSize(3);
    Shadow.OnChange = notify;
}

}  // namespace

TMarksItem::TMarksItem(TCustomPlotPanel* Panel) : TPlotCustomShape(Panel)
{
    InitColor(clInfoBk);
    // the base made its shadow before this class existed
    InitShadow(*Shadow());
}

void TMarksItem::InitShadow(TPlotShadow& Shadow)
{
    MarksShadow(Shadow);
}

void TMarksItem::SetText(std::vector<std::string> Value)
{
    if (m_text == Value)
        return;
    m_text = std::move(Value);
    CanvasChanged();
}

void TMarksItem::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (const auto* item = dynamic_cast<const TMarksItem*>(&Source))
        m_text = item->m_text;
    TPlotCustomShape::Assign(Source);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TMarksItem::Properties()
{
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<TMarksItem>(TPlotCustomShape::Properties())
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
                [](const TMarksItem& item) { return !item.Text().empty(); });
    return table;
}

// ---- TSeriesMarksSymbol ----

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomPlotPanel* Panel) : TPlotCustomShape(Panel)
{
    InitVisible(false);
    InitShadow(*Shadow());
}

void TSeriesMarksSymbol::InitShadow(TPlotShadow& Shadow)
{
    const auto notify = std::move(Shadow.OnChange);
    Shadow.InitColor(clBlack);
    Shadow.InitSize(1);
    Shadow.SetHorizSize(1);
    Shadow.SetVertSize(1);
    Shadow.OnChange = notify;
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TSeriesMarksSymbol::Properties()
{
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<TSeriesMarksSymbol>(TPlotCustomShape::Properties())
            // the symbol shows no text: these are only read, from older streams
            .Retire({"Color", "Font", "RoundSize", "TextFormat", "Transparent"})
            .Object(
                "Pen", [](const TSeriesMarksSymbol& s) -> const TChartPen* { return s.Pen(); },
                [](TSeriesMarksSymbol& s) -> TChartPen* { return s.Pen(); }, nullptr, ChartPenProperties());
    return table;
}

// ---- TSeriesMarks ----

TSeriesMarks::TSeriesMarks(TChartSeries* Series) : m_series(Series)
{
    InitColor(clInfoBk);
    // hidden unless the series shows its marks from the start
    InitVisible(false);
    InitShadow(*Shadow());
    m_margins.OnChange = [this] { Repaint(); };
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::CanvasChanged()
{
    if (m_series)
        m_series->Repaint();
    else
        TPlotCustomShape::CanvasChanged();
}

void TSeriesMarks::SetParentChart(TCustomPlotPanel* Value)
{
    TPlotCustomShape::SetParentChart(Value);
    if (m_symbol)
        m_symbol->SetParentChart(Value);
    if (m_callout)
        m_callout->SetParentChart(Value);
    for (auto& item : m_items)
        if (item)
            item->SetParentChart(Value);
}

TMarksCallout* TSeriesMarks::Callout()
{
    if (!m_callout) {
        m_callout = std::make_unique<TMarksCallout>(m_series);
        m_callout->InitLength(m_defaultArrowLength);
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
    CanvasChanged();
}

TChartPen* TSeriesMarks::Arrow()
{
    return Callout()->Arrow();
}

int TSeriesMarks::ArrowLength() const
{
    return m_callout ? m_callout->Length() : m_defaultArrowLength;
}

void TSeriesMarks::InitArrowLength(int Value)
{
    m_defaultArrowLength = Value;
    Callout()->InitLength(Value);
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

TPlotCustomShape& TSeriesMarks::MarkItem(int i)
{
    if (TMarksItem* item = ItemOrNull(i))
        return *item;
    return *this;
}

std::unique_ptr<TCustomPlotGradient> TSeriesMarks::CreateGradient()
{
    // right to left, white to silver, set without a change notice
    auto g = std::make_unique<TPlotGradient>();
    g->InitDirection(gdRightLeft);
    g->InitEndColor(clWhite);
    g->InitStartColor(clSilver);
    return g;
}

void TSeriesMarks::InitShadow(TPlotShadow& Shadow)
{
    MarksShadow(Shadow);
}

TSeriesMarksSymbol* TSeriesMarks::Symbol()
{
    if (!m_symbol)
        m_symbol = std::make_unique<TSeriesMarksSymbol>(ParentChart());
    return m_symbol.get();
}

void TSeriesMarks::SetSymbol(const TSeriesMarksSymbol* Value)
{
    if (!Value)
        m_symbol.reset();
    else if (Value != m_symbol.get())
        Symbol()->Assign(*Value);
}

TSeriesMarkPosition* TSeriesMarks::Position(int i) const
{
    if (i < 0 || i >= PositionCount())
        return nullptr;
    return m_positions[static_cast<std::size_t>(i)].get();
}

TSeriesMarkPosition& TSeriesMarks::PositionAt(int i)
{
    CheckIndex(i);
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

TMarksItem* TSeriesMarks::ItemOrNull(int i) const
{
    if (i < 0 || i >= ItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(i)].get();
}

TMarksItem& TSeriesMarks::Item(int i)
{
    CheckIndex(i);
    if (i >= ItemCount())
        m_items.resize(static_cast<std::size_t>(i) + 1);
    auto& slot = m_items[static_cast<std::size_t>(i)];
    if (!slot)
        slot = std::make_unique<TMarksItem>(ParentChart());
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

void TSeriesMarks::Assign(const TPlotCustomShapeBrushPen& Shape)
{
    const auto* source = dynamic_cast<const TSeriesMarks*>(&Shape);
    if (!source) {
        TPlotCustomShape::Assign(Shape);
        return;
    }
    if (source == this)
        return;
    const TSeriesMarks& Source = *source;
    m_angle = Source.m_angle;
    m_clip = Source.m_clip;
    m_drawEvery = Source.m_drawEvery;
    m_style = Source.m_style;
    m_margins.Assign(Source.m_margins);
    m_multiLine = Source.m_multiLine;
    m_textAlign = Source.m_textAlign;
    m_items.clear();
    for (int i = 0; i < Source.ItemCount(); ++i)
        if (const TMarksItem* item = Source.ItemOrNull(i))
            Item(i).Assign(*item);
    SetSymbol(Source.SymbolIfAny());
    SetCallout(Source.CalloutIfAny());
    TPlotCustomShape::Assign(Source);
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
            slot = std::make_unique<TMarksItem>(ParentChart());
            TMarksItem::Properties().ReadList(*slot, r, "TMarksItem");
        }
        r.ReadListEnd();
    }
    if (!r.AtEnd())
        throw EReadError("Stream read error");
    m_items = std::move(items);
    if (n != 0)
        m_itemsLocked = true;
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TSeriesMarks::Properties()
{
    using M = TSeriesMarks;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<M>(TPlotCustomShape::Properties())
            .Property("Angle", IntegerKind, TAccessors{&M::Angle, &M::SetAngle}, 0)
            .Object(
                "Arrow", [](const M& m) -> const TChartPen* { return m.CalloutIfAny() ? m.CalloutIfAny()->Arrow() : nullptr; },
                [](M& m) -> TChartPen* { return m.Arrow(); }, nullptr, ChartPenProperties())
            .NotAssigned()
            .Object(
                "Callout", [](const M& m) -> const TPlotCustomShapeBrushPen* { return m.CalloutIfAny(); },
                [](M& m) -> TPlotCustomShapeBrushPen* { return m.Callout(); }, [](M& m) { m.SetCallout(nullptr); },
                TMarksCallout::Properties())
            // the colour under a second name, never written
            .Obsolete("BackColor", [](M& m, const TPropertyValue& v) { m.SetColor(ColorValue(v)); })
            .Property("Clip", BooleanKind, TAccessors{&M::Clip, &M::SetClip}, false)
            .Property("DrawEvery", IntegerKind, TAccessors{&M::DrawEvery, &M::SetDrawEvery}, 1)
            .Object(
                "Margins", [](const M& m) { return &m.Margins(); }, [](M& m) { return &m.Margins(); }, nullptr,
                TMargins::Properties())
            .Property("MultiLine", BooleanKind, TAccessors{&M::MultiLine, &M::SetMultiLine}, false)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&M::Style, &M::SetStyle}, smsLabel)
            .Object(
                "Symbol", [](const M& m) { return m.SymbolIfAny(); }, [](M& m) { return m.Symbol(); },
                [](M& m) { m.SetSymbol(nullptr); }, TSeriesMarksSymbol::Properties())
            .Property("TextAlign", EnumKind(kAlignNames), TAccessors{&M::TextAlign, &M::SetTextAlign}, taCenter)
            .Binary("Items", &M::WriteItems, &M::ReadItems, [](const M& m) { return m.ItemCount() > 0; });
    return table;
}
