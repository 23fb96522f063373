#pragma once
// A read-only table of a chart's points: one row per point index, for each
// shown series an optional X column and its Y column, the labels in front.
// It shows every series of its chart, or one bound series. The table is
// rebuilt when told (binding, Update), not on every added point.
#include <QPointer>
#include <QTableView>

class TChart;
class TChartSeries;
class TProcessGridModel;

class TProcessDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TProcessDataGrid(QWidget* parent = nullptr);
    ~TProcessDataGrid() override;

    TChart* Chart() const;
    // Shows every series of the chart; clears the bound series.
    void SetChart(TChart* Chart);
    TChartSeries* Series() const;
    // Shows the series alone (null: the chart again, when there is one).
    void SetSeries(TChartSeries* Series);
    bool ShowLabels() const { return m_showLabels; }
    void SetShowLabels(bool Value);
    bool ShowXValues() const { return m_showXValues; }
    void SetShowXValues(bool Value);

    // Rebuilds the rows and columns from the series' current points.
    void Update();

    // Texts as shown: the header of a column and the text of a cell (row
    // from 0, the point index).
    int ColumnCount() const;
    int RowCount() const;
    QString HeaderText(int column) const;
    QString CellText(int column, int row) const;

private:
    TProcessGridModel* m_model = nullptr;
    QPointer<TChart> m_chart;
    QPointer<TChartSeries> m_series;
    bool m_showLabels = false;
    bool m_showXValues = true;
};
