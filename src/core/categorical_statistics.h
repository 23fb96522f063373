#pragma once
// Frequencies of one categorical column by level code, proportions with their
// intervals, and the texts of the categorical result grid. Shared by the
// group comparison and the contingency table.
#include <string>
#include <vector>

class TIntVector;
class TStatGrid;
struct tCatVar;

struct TProportionEstimate {
    int count = 0;
    int total = 0;
    double p = 0.0;          // NaN for total 0
    double precision = 0.0;  // NaN unless count > 5 and total - count > 5
    double lower = 0.0;
    double upper = 0.0;
};

// Normal interval with continuity correction, z x sqrt(p q / n) + 1 / (2 n),
// defined when both count and total - count exceed 5.
TProportionEstimate ProportionCI(int x, int n, double z);

// Distinct codes of the column in ascending order with how often each occurs.
struct TFrequencies {
    std::vector<int> values;
    std::vector<int> counts;
};
TFrequencies FrequencyTable(const TIntVector& data);

// One category of a table: a level code with its count.
struct TCategorySlot {
    int code = 0;
    int count = 0;
    bool known = false;  // the definition has a level at this code
};

// Categories by code: every code from the smallest to the largest occurring
// code that names a level of the definition (codes without individuals
// included), and each occurring code that names no level, by itself. A code
// far beyond the levels so adds one category, not the whole range up to it.
std::vector<TCategorySlot> CategorySlots(const TIntVector& data, const tCatVar& def);

// Label of a code: the label of the level at that code, else the code's number.
std::string CategoryLabel(const tCatVar& def, int code);
// Number shown for a code: the level's own number, else the code.
int CategoryNumber(const tCatVar& def, int code);

// Writes the categorical page's grid; its row count is the rows written.
void WriteCategoricalGrid(TStatGrid& grid, const tCatVar& def, const std::vector<TCategorySlot>& slots, int n);
