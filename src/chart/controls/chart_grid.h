#pragma once
// A grid over the points of a chart's series, or of one series: one row per
// point index, a label column, a point-colour column and one column per value
// list; edits go straight into the series. The grid follows its chart
// through the chart's listener list.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "platform/custom_grid.h"

enum TChartGridShow { cgsAuto, cgsNo, cgsYes };

class TCustomChartGrid : public platform::TCustomGrid, public IChartEventListener {
public:
    explicit TCustomChartGrid(QWidget* Parent = nullptr);
    ~TCustomChartGrid() override;

    // Whole chart or one series; setting one clears the other.
    TCustomChart* Chart() const { return m_chart; }
    void SetChart(TCustomChart* Value);
    TChartSeries* Series() const { return m_series; }
    void SetSeries(TChartSeries* Value);

    bool ShowColors() const { return m_showColors; }
    void SetShowColors(bool Value);
    bool ShowLabels() const { return m_showLabels; }
    void SetShowLabels(bool Value);
    TChartGridShow ShowXValues() const { return m_showXValues; }
    void SetShowXValues(TChartGridShow Value);

    // ---- column map (rebuilt on every change of the series) ----
    // The series shown, in chart order.
    const std::vector<TChartSeries*>& ShownSeries() const { return m_shown; }
    // The columns of labels and point colours; -1 when not shown.
    int LabelsColumn() const;
    int ColorsColumn() const { return m_showColors ? 1 : -1; }
    // The series and value-list index of a value column; false for any other column.
    bool ColumnSeries(int Col, TChartSeries*& ASeries, int& ListIndex) const;
    // The series shows an X column.
    bool SeriesShowsX(int ShownIndex) const;
    // Row of point index 0.
    static constexpr int FirstDataRow = 2;

    // The text a cell shows (the fields row, labels, formatted values).
    std::string CellText(int Col, int Row) const;
    // Rebuilds the column map, the row and column counts.
    void RecalcDimensions();
    // The colour dialog on the point of the current row; true when it changed.
    bool ChangeColor();
    // The in-place editor may start on the current cell.
    bool EditingAllowed();
    // Layout that a form sets once loading ends (the title row's height).
    void Loaded();

    std::function<void(TCustomChartGrid& Sender)> OnChangeColor;
    std::function<void(TCustomChartGrid& Sender, int ACol, int ARow, bool& Allow)> OnEditingCell;
    std::function<void(TCustomChartGrid& Sender, int ACol, int ARow, const std::string& Value)> OnSetEditText;

    void HandleChartEvent(TPlotEvent& Event) override;

protected:
    bool CanEditShow() override;
    void DrawCell(int Col, int Row, const platform::Rect& Rect, unsigned State) override;
    bool SelectCell(int Col, int Row) override;
    std::string GetEditText(int Col, int Row) override;
    void SetEditText(int Col, int Row, const std::string& Value) override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void DblClick(Qt::KeyboardModifiers Shift, int X, int Y) override;
    // Scrolling repaints the whole grid, the title row with it.
    void TopLeftChanged() override;

private:
    struct TSeriesColumns {
        TChartSeries* Series = nullptr;
        int FirstCol = 0;  // grid column of its first value column
        int Count = 0;     // value columns
        bool ShowX = false;
        // the automatic rule's last answer: X was 0, 1, ... over Checked
        // points while the X list stood at Rewrites
        bool Sequential = true;
        int Checked = 0;
        std::uint64_t Rewrites = 0;
    };
    // Brings the automatic rule's answer up to date, checking only the
    // points appended since when nothing else changed.
    static void CheckSequentialX(TSeriesColumns& Entry);
    // Leaving: a series announced as removed, still in the chart's list.
    void RecalcDimensions(const TCustomChartSeries* Leaving);
    int FirstSeriesColumn() const;
    // Index into m_columns of the series owning Col, or -1.
    int ColumnEntry(int Col) const;
    // The series giving the colour cell of a row: that of the next column.
    TChartSeries* ColorSeries() const;
    TChartSeries* LabelSeries(int Index) const;
    bool OverSeriesIcon(int X, int Y, TChartSeries*& ASeries) const;
    void StartEditing();
    void InsertRow();
    bool RemoveLastRow();
    void ListenTo(TCustomChart* Chart);
    void StopListening(TCustomChart* Chart);
    void ResetCurrentCell();
    void DrawTitleCell(int Col, const platform::Rect& Rect);

    QPointer<TCustomChart> m_chart;
    QPointer<TChartSeries> m_series;
    // the bound series' chart at binding time; may be mid-destruction when the
    // series goes, so it is only reached through SeriesChart()
    QPointer<QObject> m_seriesChart;
    TCustomChart* SeriesChart() const;
    QMetaObject::Connection m_chartGone;
    QMetaObject::Connection m_seriesGone;
    bool m_showColors = false;
    bool m_showLabels = true;
    TChartGridShow m_showXValues = cgsAuto;
    std::vector<TChartSeries*> m_shown;
    std::vector<TSeriesColumns> m_columns;
    bool m_iconClick = true;
    bool m_destroying = false;
};

class TChartGrid : public TCustomChartGrid {
public:
    using TCustomChartGrid::TCustomChartGrid;
};
