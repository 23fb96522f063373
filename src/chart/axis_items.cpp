#include "chart/axis_items.h"

#include "chart/chart_axis.h"

TAxisItem::TAxisItem(TCustomPlotPanel* Owner) : TPlotCustomShape(Owner)
{
    InitTransparent(true);
}

void TAxisItem::SetValue(double Value)
{
    if (Value == m_value)
        return;
    m_value = Value;
    CanvasChanged();
}

void TAxisItem::SetText(const std::string& Value)
{
    if (Value == m_text)
        return;
    m_text = Value;
    CanvasChanged();
}

TAxisItems::TAxisItems(TChartAxis& Axis) : m_axis(Axis), m_format(std::make_unique<TPlotShape>(Panel()))
{
    m_format->InitTransparent(true);
}

TAxisItems::~TAxisItems() = default;

TCustomPlotPanel* TAxisItems::Panel() const
{
    return m_axis.ParentChart() ? m_axis.ParentChart()->AxisPanel() : nullptr;
}

TAxisItem* TAxisItems::Add(double Value)
{
    auto item = std::make_unique<TAxisItem>(Panel());
    item->SetValue(Value);
    m_items.push_back(std::move(item));
    m_automatic = false;
    return m_items.back().get();
}

TAxisItem* TAxisItems::Add(double Value, const std::string& Text)
{
    TAxisItem* item = Add(Value);
    item->SetText(Text);
    return item;
}

void TAxisItems::Clear()
{
    m_items.clear();
    if (m_axis.ParentChart())
        m_axis.ParentChart()->Invalidate();
}

void TAxisItems::Assign(const TAxisItems& Source)
{
    if (&Source == this)
        return;
    m_format->Assign(*Source.m_format);
    Clear();
    // automatic labels follow the copy's own range: its next draw fills them
    if (Source.m_automatic) {
        m_automatic = true;
        return;
    }
    for (const auto& item : Source.m_items)
        Add(item->Value(), item->Text());
    m_automatic = false;
}

void TAxisItems::ClearAutomatic()
{
    m_items.clear();
    m_automatic = true;
}

void TAxisItems::AddAutomatic(double Value, const std::string& Text)
{
    Add(Value, Text);
    m_automatic = true;
}
