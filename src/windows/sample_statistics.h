#pragma once
// The statistics page's columns: one or two variables of the data sheet,
// each as its model record and a vector of its column, handed to the
// analysis entry their kinds choose. The columns stay alive until the next
// run has handed over new ones, so the analysis never reads freed vectors.
#include "core/numeric_vector.h"
#include "core/variable_records.h"

#include <memory>
#include <string>
#include <vector>

class TNTabEd;
class tPopulation;

// The entries of the statistics frame, by the kinds of the variables.
class TStatisticsEntries {
public:
    virtual ~TStatisticsEntries() = default;
    virtual void InitX(const tNumVarDef& Var, const TVector& Data) = 0;
    virtual void InitC(const tCatVar& Var, const TIntVector& Data) = 0;
    // X explanatory, Y response.
    virtual void InitXY(const tNumVarDef& VarX, const TVector& DataX, const tNumVarDef& VarY, const TVector& DataY) = 0;
    virtual void InitCY(const tCatVar& VarC, const TIntVector& DataC, const tNumVarDef& VarY, const TVector& DataY) = 0;
    virtual void InitCC(const tCatVar& VarA, const TIntVector& DataA, const tCatVar& VarB, const TIntVector& DataB) = 0;
};

// One variable's column: the numbers its cells show, as the saved files
// carry them (Trunc of those for a categorical variable); empty and "-nan-"
// cells are missing values and left out.
struct TStatColumn {
    int Kind = 2;  // 1 categorical, 0 quantitative, 2 none
    int Index = -1;
    std::unique_ptr<TVector> Num;
    std::unique_ptr<TIntVector> Cat;

    bool Found() const { return Kind != 2; }
};

// The column of the variable Name, its valid cells in row order. Columns
// names the variable of each sheet column in order, as the sheet was built;
// the headings, which the user may rename, are not read. None when the name
// is empty or "-", names no variable, or is not in Columns, or the column has
// no valid cell.
TStatColumn StatColumn(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
                       const std::string& Name);

class TSampleStatistics {
public:
    // Analysis of Name1 (the response Y when there are two) and Name2 (X, or
    // the grouping variable), their columns found in Columns as StatColumn
    // does; an empty or "-" name, or one without column, takes no part. Two
    // variables are taken on the records valid in both. Returns the number of
    // variables analysed; with none, or no record to analyse, the entries are
    // not called (0) and the last columns stay.
    int Run(const tPopulation& Model, const TNTabEd& Sheet, const std::vector<std::string>& Columns,
            const std::string& Name1, const std::string& Name2, TStatisticsEntries& Entries);

    const TStatColumn& Column(int I) const { return m_columns[I == 2 ? 1 : 0]; }

private:
    TStatColumn m_columns[2];
};
