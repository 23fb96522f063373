#pragma once
// 1-based matrix of doubles addressed as (column, row): a read outside the
// matrix gives 0 and a write there is ignored.
#include "core/numeric_vector.h"

#include <functional>
#include <string>
#include <vector>

// User-defined distance between two rows.
using TOnCalcDistanceEvent = std::function<void(int row1, int row2, double& distance)>;

class TMatrix {
public:
    TMatrix();
    TMatrix(const TMatrix&) = delete;
    TMatrix& operator=(const TMatrix&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& DataID() const { return m_dataID; }
    void SetDataID(std::string id) { m_dataID = std::move(id); }

    // Negative sizes count as 0. The storage keeps at least one column and
    // one row: cells hidden by a size of 0 keep their values and show again
    // when the matrix grows; stored cells keep their values, new ones are 0.
    // Always fires OnChange.
    bool Resize(int columns, int rows);
    int NrOfColumns() const { return m_columns; }
    void SetNrOfColumns(int columns) { Resize(columns, m_rows); }
    int NrOfRows() const { return m_rows; }
    void SetNrOfRows(int rows) { Resize(m_columns, rows); }

    double GetElem(int col, int row) const;
    void SetElem(int col, int row, double v);
    // Every stored cell, hidden ones included.
    void Fill(double v);

    // Two settings of the library, 15 and -1 from creation; this system
    // reads neither.
    int FirstSetting() const { return m_firstSetting; }
    int SecondSetting() const { return m_secondSetting; }

    std::function<void()> OnChange;
    TSortExchgEvent OnSortExchange;
    TOnCalcDistanceEvent OnCalcDistance;

private:
    bool Inside(int col, int row) const
    {
        return col >= 1 && col <= m_columns && row >= 1 && row <= m_rows;
    }
    void Changed();

    std::string m_name;
    std::string m_dataID;
    int m_columns = 1;
    int m_rows = 1;
    int m_firstSetting = 15;
    int m_secondSetting = -1;
    // Columns of rows; at least one cell each way even when a size is 0.
    std::vector<std::vector<double>> m_cells;
};
