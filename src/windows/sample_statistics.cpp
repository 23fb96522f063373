#include "windows/sample_statistics.h"

#include "core/population_model.h"
#include "windows/sample_data_files.h"
#include "widgets/table_editor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

TStatColumn StatColumn(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                       const std::string& Name)
{
    TStatColumn column;
    if (Name.empty() || Name == "-")
        return column;
    const TVariableRef ref = Model.FindVariable(Name);
    if (ref.Kind == 2 || ref.Index < 0)
        return column;
    // the column the variable was given, whatever its heading reads now
    const auto at = std::find(Columns.begin(), Columns.end(), Name);
    const int c = static_cast<int>(at - Columns.begin()) + 1;
    if (at == Columns.end() || c > Sheet.NrOfColumns())
        return column; // a variable without its column is not analysed
    const int rows = Sheet.NrOfRows();
    if (rows < 1)
        return column; // an emptied sheet has nothing to analyse
    column.Kind = ref.Kind;
    column.Index = ref.Index;
    // each value as the sheet shows it and the saved files carry it
    const int decimals = Sheet.GetDecPlaces(c);
    if (ref.Kind == 1) {
        constexpr double lowest = std::numeric_limits<std::int32_t>::min();
        constexpr double highest = std::numeric_limits<std::int32_t>::max();
        column.Cat = std::make_unique<TIntVector>();
        column.Cat->SetNrOfElem(rows);
        for (int r = 1; r <= rows; ++r) {
            const double code = std::trunc(SampleFileValue(Sheet.GetElem(c, r), decimals));
            column.Cat->SetElem(r, std::isnan(code) ? 0 : static_cast<std::int32_t>(std::clamp(code, lowest, highest)));
        }
    } else {
        column.Num = std::make_unique<TVector>();
        column.Num->SetNrOfElem(rows);
        for (int r = 1; r <= rows; ++r)
            column.Num->SetElem(r, SampleFileValue(Sheet.GetElem(c, r), decimals));
    }
    return column;
}

int TSampleStatistics::Run(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                           const std::string& Name1, const std::string& Name2, TStatisticsEntries& Entries)
{
    TStatColumn first = StatColumn(Model, Sheet, Columns, Name1);
    TStatColumn second = StatColumn(Model, Sheet, Columns, Name2);
    if (!first.Found())
        std::swap(first, second);
    if (!first.Found())
        return 0;

    auto num = [&](const TStatColumn& c) -> const tNumVarDef& { return Model.NumVarDefs[static_cast<std::size_t>(c.Index)]; };
    auto cat = [&](const TStatColumn& c) -> const tCatVar& { return Model.CatVars[static_cast<std::size_t>(c.Index)]; };
    // the columns handed over now replace the old ones only after the call
    TStatColumn old[2] = {std::move(m_columns[0]), std::move(m_columns[1])};
    m_columns[0] = std::move(first);
    m_columns[1] = std::move(second);
    const TStatColumn& a = m_columns[0];
    const TStatColumn& b = m_columns[1];
    if (!b.Found()) {
        if (a.Kind == 1)
            Entries.InitC(cat(a), *a.Cat);
        else
            Entries.InitX(num(a), *a.Num);
        return 1;
    }
    if (a.Kind == 1 && b.Kind == 1)
        Entries.InitCC(cat(a), *a.Cat, cat(b), *b.Cat);
    else if (a.Kind == 1)
        Entries.InitCY(cat(a), *a.Cat, num(b), *b.Num);
    else if (b.Kind == 1)
        Entries.InitCY(cat(b), *b.Cat, num(a), *a.Num);
    else
        Entries.InitXY(num(b), *b.Num, num(a), *a.Num); // variable 1 is the response
    return 2;
}
