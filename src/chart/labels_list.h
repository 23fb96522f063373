#pragma once
// Point labels of a series: one entry per point index, possibly shorter than
// the point count; an absent entry reads as an empty label.
#include <functional>
#include <string>
#include <vector>

class TLabelsList {
public:
    int Count() const { return static_cast<int>(m_labels.size()); }
    // Empty beyond the list.
    const std::string& Label(int i) const;
    // Stores a label, padding the list with empty entries up to i; an empty
    // text empties entry i when it exists. Negative indexes change nothing.
    void SetLabel(int i, const std::string& Text);
    // Inserts at i (padding up to i); an empty text into an empty list changes nothing.
    void InsertLabel(int i, const std::string& Text);
    // Out-of-range indexes change nothing.
    void DeleteLabel(int i);
    // Removes Quantity entries from Start (those there are).
    void DeleteRange(int Start, int Quantity);
    void Exchange(int a, int b);
    void Clear() { m_labels.clear(); }
    void Assign(const TLabelsList& Source) { m_labels = Source.m_labels; }
    bool AnyNonEmpty(int Last) const;

    // Runs after SetLabel (the series repaints).
    std::function<void()> OnChange;

private:
    std::vector<std::string> m_labels;
};
