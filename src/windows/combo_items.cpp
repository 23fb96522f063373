#include "windows/combo_items.h"

#include "base/name_matching.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>
#include <vector>

namespace {

const char* const kSortedProperty = "vexaSorted";

QString ToQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

bool ComboTextLess(const std::string& a, const std::string& b)
{
    const std::string la = LowerAscii(a);
    const std::string lb = LowerAscii(b);
    if (la != lb)
        return la < lb;
    return a < b;
}

bool TComboItems::IsSorted(const QComboBox* combo)
{
    return combo && combo->property(kSortedProperty).toBool();
}

void TComboItems::Clear()
{
    m_combo->clear();
}

void TComboItems::Add(const std::string& text)
{
    int at = m_combo->count();
    if (IsSorted(m_combo)) {
        at = 0;
        while (at < m_combo->count() && !ComboTextLess(text, Item(at)))
            ++at;
    }
    m_combo->insertItem(at, ToQString(text));
}

void TComboItems::SetSorted(bool sorted)
{
    m_combo->setProperty(kSortedProperty, sorted);
    if (!sorted)
        return;
    std::vector<std::string> items;
    for (int i = 0; i < m_combo->count(); ++i)
        items.push_back(Item(i));
    std::stable_sort(items.begin(), items.end(), ComboTextLess);
    const std::string current = m_combo->currentIndex() >= 0 ? Item(m_combo->currentIndex()) : std::string();
    const bool selected = m_combo->currentIndex() >= 0;
    m_combo->clear();
    for (const std::string& item : items)
        m_combo->addItem(ToQString(item));
    m_combo->setCurrentIndex(-1);
    if (selected)
        m_combo->setCurrentIndex(m_combo->findText(ToQString(current)));
}

int TComboItems::Count() const
{
    return m_combo->count();
}

std::string TComboItems::Item(int index) const
{
    return m_combo->itemText(index).toStdString();
}

void TComboItems::SetItemIndex(int index)
{
    m_combo->setCurrentIndex(index);
}
