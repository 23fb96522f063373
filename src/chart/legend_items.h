#pragma once
// The lines of a drawn legend: where each text and symbol went, and texts the
// user replaced (custom items).
#include <memory>
#include <string>
#include <vector>

#include "chart/plot_geometry.h"

class TPlotCustomShape;
class TLegendItems;

class TLegendItem {
public:
    explicit TLegendItem(TLegendItems* Owner) : m_owner(Owner) {}

    // The text alignment used (a canvas alignment).
    int Align = 0;
    // x of the first text.
    int Left = 0;
    TRect SymbolRect;
    // y of the line.
    int Top = 0;

    const std::string& Text() const { return m_text; }
    // A different text marks the legend's items as custom and repaints.
    void SetText(const std::string& Value);
    const std::string& Text2() const { return m_text2; }
    void SetText2(const std::string& Value);

private:
    void SetTextOf(std::string& Field, const std::string& Value);
    TLegendItems* m_owner;
    std::string m_text;
    std::string m_text2;
};

class TLegendItems {
public:
    // Legend: repainted when an item text changes (not owned; may be nullptr).
    explicit TLegendItems(TPlotCustomShape* Legend = nullptr) : m_legend(Legend) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    // Grows the list up to Index and creates the item when its slot is empty;
    // nullptr for a negative index.
    TLegendItem* Item(int Index);
    // The item when it exists, else nullptr.
    TLegendItem* Existing(int Index) const;
    // Frees every item; the public clear also repaints.
    void Clear();
    void ClearItems() { m_items.clear(); }

    // Item texts were set by the user: the legend keeps them.
    bool Custom = false;
    void Changed();

private:
    TPlotCustomShape* m_legend;
    std::vector<std::unique_ptr<TLegendItem>> m_items;
};
