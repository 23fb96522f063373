#pragma once
// A QComboBox seen as the model's item list. A sorted list keeps its items
// in the order of ComboTextLess, the one order every sorted combo box of the
// population window uses, so that two lists of the same names line up index
// for index.
#include "core/population_model.h"

#include <string>

class QComboBox;

// ASCII letters compared without case, then byte by byte.
bool ComboTextLess(const std::string& a, const std::string& b);

class TComboItems : public IComboItems {
public:
    // The combo box is not taken over.
    explicit TComboItems(QComboBox* combo) : m_combo(combo) {}

    void Clear() override;
    // A sorted list puts the item at its place, after equal ones.
    void Add(const std::string& text) override;
    void SetSorted(bool sorted) override;
    int Count() const override;
    std::string Item(int index) const override;
    void SetItemIndex(int index) override;

    // The sorted flag lives on the combo box, so that later adds keep it.
    static bool IsSorted(const QComboBox* combo);

private:
    QComboBox* m_combo = nullptr;
};
