#include "chart/legend_items.h"

#include "chart/plot_shape.h"

void TLegendItem::SetTextOf(std::string& Field, const std::string& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (m_owner) {
        m_owner->Custom = true;
        m_owner->Changed();
    }
}

void TLegendItem::SetText(const std::string& Value)
{
    SetTextOf(m_text, Value);
}

void TLegendItem::SetText2(const std::string& Value)
{
    SetTextOf(m_text2, Value);
}

TLegendItem* TLegendItems::Item(int Index)
{
    if (Index < 0)
        return nullptr;
    const auto i = static_cast<std::size_t>(Index);
    if (i >= m_items.size())
        m_items.resize(i + 1);
    if (!m_items[i])
        m_items[i] = std::make_unique<TLegendItem>(this);
    return m_items[i].get();
}

TLegendItem* TLegendItems::Existing(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return m_items[static_cast<std::size_t>(Index)].get();
}

void TLegendItems::Clear()
{
    m_items.clear();
    Changed();
}

void TLegendItems::Changed()
{
    if (m_legend)
        m_legend->Repaint();
}
