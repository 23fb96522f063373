#include "chart/labels_list.h"

#include <algorithm>

const std::string& TLabelsList::Label(int i) const
{
    static const std::string empty;
    if (i < 0 || i >= Count())
        return empty;
    return m_labels[static_cast<std::size_t>(i)];
}

void TLabelsList::SetLabel(int i, const std::string& Text)
{
    if (i < 0)
        return;
    if (!Text.empty()) {
        if (i >= Count())
            m_labels.resize(static_cast<std::size_t>(i) + 1);
        m_labels[static_cast<std::size_t>(i)] = Text;
    } else if (i < Count()) {
        m_labels[static_cast<std::size_t>(i)].clear();
    }
    if (OnChange)
        OnChange();
}

void TLabelsList::InsertLabel(int i, const std::string& Text)
{
    if (i < 0 || (Text.empty() && m_labels.empty()))
        return;
    if (i > Count())
        m_labels.resize(static_cast<std::size_t>(i));
    m_labels.insert(m_labels.begin() + i, Text);
}

void TLabelsList::DeleteLabel(int i)
{
    if (i >= 0 && i < Count())
        m_labels.erase(m_labels.begin() + i);
}

void TLabelsList::DeleteRange(int Start, int Quantity)
{
    if (Start < 0 || Start >= Count() || Quantity <= 0)
        return;
    const int n = std::min(Quantity, Count() - Start);
    m_labels.erase(m_labels.begin() + Start, m_labels.begin() + Start + n);
}

void TLabelsList::Exchange(int a, int b)
{
    if (a < 0 || b < 0 || (a >= Count() && b >= Count()))
        return;
    const int high = std::max(a, b);
    if (high >= Count())
        m_labels.resize(static_cast<std::size_t>(high) + 1);
    std::swap(m_labels[static_cast<std::size_t>(a)], m_labels[static_cast<std::size_t>(b)]);
}

bool TLabelsList::AnyNonEmpty(int Last) const
{
    const int high = std::min(Last, Count() - 1);
    for (int i = 0; i <= high; ++i)
        if (!m_labels[static_cast<std::size_t>(i)].empty())
            return true;
    return false;
}
