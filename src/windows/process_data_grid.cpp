#include "windows/process_data_grid.h"

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "core/number_format.h"

#include <QAbstractTableModel>
#include <QHeaderView>

#include <algorithm>
#include <vector>

// One column of the grid: a series and the value list it shows (-1: labels).
struct TGridColumn {
    QPointer<TChartSeries> Series;
    int List = 0;
};

class TProcessGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Rebuild(std::vector<TGridColumn> Columns)
    {
        beginResetModel();
        m_columns = std::move(Columns);
        m_rows = 1;
        for (const TGridColumn& c : m_columns)
            if (c.Series)
                m_rows = std::max(m_rows, c.Series->Count());
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }

    QString Header(int column) const
    {
        if (column < 0 || column >= columnCount())
            return {};
        const TGridColumn& c = m_columns[static_cast<std::size_t>(column)];
        if (c.List < 0)
            return QStringLiteral("Text");
        if (!c.Series)
            return {};
        return QString::fromStdString(c.Series->TitleOrName() + "\n" + c.Series->ValuesList(c.List).Name());
    }

    QString Cell(int column, int row) const
    {
        if (column < 0 || column >= columnCount())
            return {};
        const TGridColumn& c = m_columns[static_cast<std::size_t>(column)];
        if (!c.Series || row < 0 || row >= c.Series->Count())
            return {};
        if (c.List < 0)
            return QString::fromStdString(c.Series->Labels().Label(row));
        return QString::fromStdString(
            FormatFloat(c.Series->ValueFormat(), c.Series->ValuesList(c.List).Value(row)));
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return Cell(index.column(), index.row());
        if (role == Qt::TextAlignmentRole && index.column() < columnCount() &&
            m_columns[static_cast<std::size_t>(index.column())].List >= 0)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return Header(section);
        return section;
    }

private:
    std::vector<TGridColumn> m_columns;
    int m_rows = 1;
};

TProcessDataGrid::TProcessDataGrid(QWidget* parent) : QTableView(parent)
{
    m_model = new TProcessGridModel(this);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(16);
    verticalHeader()->setMinimumWidth(30);
    setFrameShape(QFrame::NoFrame);
}

TProcessDataGrid::~TProcessDataGrid() = default;

TChart* TProcessDataGrid::Chart() const
{
    return m_chart.data();
}

TChartSeries* TProcessDataGrid::Series() const
{
    return m_series.data();
}

void TProcessDataGrid::SetChart(TChart* Chart)
{
    if (m_chart == Chart && !m_series)
        return;
    m_chart = Chart;
    m_series = nullptr;
    Update();
}

void TProcessDataGrid::SetSeries(TChartSeries* Series)
{
    m_series = Series;
    Update();
}

void TProcessDataGrid::SetShowLabels(bool Value)
{
    if (m_showLabels == Value)
        return;
    m_showLabels = Value;
    Update();
}

void TProcessDataGrid::SetShowXValues(bool Value)
{
    if (m_showXValues == Value)
        return;
    m_showXValues = Value;
    Update();
}

void TProcessDataGrid::Update()
{
    std::vector<TChartSeries*> shown;
    if (m_series)
        shown.push_back(m_series.data());
    else if (m_chart)
        for (int i = 0; i < m_chart->SeriesCount(); ++i)
            shown.push_back(m_chart->Series(i));
    std::vector<TGridColumn> columns;
    if (m_showLabels && !shown.empty())
        columns.push_back({shown.front(), -1});
    for (TChartSeries* s : shown) {
        if (m_showXValues)
            columns.push_back({s, 0});
        for (int list = 1; list < s->ValuesListCount(); ++list)
            columns.push_back({s, list});
    }
    m_model->Rebuild(std::move(columns));
    viewport()->update();
}

int TProcessDataGrid::ColumnCount() const
{
    return m_model->columnCount();
}

int TProcessDataGrid::RowCount() const
{
    return m_model->rowCount();
}

QString TProcessDataGrid::HeaderText(int column) const
{
    return m_model->Header(column);
}

QString TProcessDataGrid::CellText(int column, int row) const
{
    return m_model->Cell(column, row);
}
