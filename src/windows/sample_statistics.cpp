#include "windows/sample_statistics.h"

#include "core/population_model.h"
#include "windows/sample_data_files.h"
#include "widgets/table_editor.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

namespace {

// Where a variable's column is: its kind and index in the model, its sheet column.
struct TColumnPlace {
    int Kind = 2;
    int Index = -1;
    int Col = 0;

    bool Found() const { return Kind != 2; }
};

TColumnPlace PlaceOf(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                     const std::string& Name)
{
    TColumnPlace place;
    if (Name.empty() || Name == "-")
        return place;
    const TVariableRef ref = Model.FindVariable(Name);
    if (ref.Kind == 2 || ref.Index < 0)
        return place;
    // the column the variable was given, whatever its heading reads now
    const auto at = std::find(Columns.begin(), Columns.end(), Name);
    const int c = static_cast<int>(at - Columns.begin()) + 1;
    if (at == Columns.end() || c > Sheet.NrOfColumns())
        return place; // a variable without its column is not analysed
    return {ref.Kind, ref.Index, c};
}

// The rows where every placed column shows a number.
std::vector<int> ValidRows(const TSampleSheetView& View, std::initializer_list<const TColumnPlace*> Places)
{
    std::vector<int> rows;
    for (int r = 1; r <= View.Rows(); ++r)
        if (std::all_of(Places.begin(), Places.end(),
                        [&](const TColumnPlace* p) { return !p->Found() || View.Number(p->Col, r).has_value(); }))
            rows.push_back(r);
    return rows;
}

// The numbers the column shows in the rows given.
TStatColumn ColumnOfRows(const TSampleSheetView& View, const TColumnPlace& Place, const std::vector<int>& Rows)
{
    TStatColumn column;
    if (!Place.Found() || Rows.empty())
        return column;
    column.Kind = Place.Kind;
    column.Index = Place.Index;
    const int count = static_cast<int>(Rows.size());
    auto shown = [&](int i) { return View.Number(Place.Col, Rows[static_cast<std::size_t>(i - 1)])->Value; };
    if (Place.Kind == 1) {
        constexpr double lowest = std::numeric_limits<std::int32_t>::min();
        constexpr double highest = std::numeric_limits<std::int32_t>::max();
        column.Cat = std::make_unique<TIntVector>();
        column.Cat->SetNrOfElem(count);
        for (int i = 1; i <= count; ++i)
            column.Cat->SetElem(i, static_cast<std::int32_t>(std::clamp(std::trunc(shown(i)), lowest, highest)));
    } else {
        column.Num = std::make_unique<TVector>();
        column.Num->SetNrOfElem(count);
        for (int i = 1; i <= count; ++i)
            column.Num->SetElem(i, shown(i));
    }
    return column;
}

} // namespace

TStatColumn StatColumn(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                       const std::string& Name)
{
    const TSampleSheetView view(Sheet);
    const TColumnPlace place = PlaceOf(Model, Sheet, Columns, Name);
    return ColumnOfRows(view, place, ValidRows(view, {&place}));
}

int TSampleStatistics::Run(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                           const std::string& Name1, const std::string& Name2, TStatisticsEntries& Entries)
{
    TColumnPlace one = PlaceOf(Model, Sheet, Columns, Name1);
    TColumnPlace two = PlaceOf(Model, Sheet, Columns, Name2);
    if (!one.Found())
        std::swap(one, two);
    if (!one.Found())
        return 0;
    // two variables are analysed on the records that show both
    const TSampleSheetView view(Sheet);
    const std::vector<int> rows = ValidRows(view, {&one, &two});
    if (rows.empty())
        return 0;
    TStatColumn first = ColumnOfRows(view, one, rows);
    TStatColumn second = ColumnOfRows(view, two, rows);

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
