// The chart data grid against Qt's table view over a table model, both
// offscreen: a series of 10^5 points, one 800 x 600 viewport painted after a
// jump to row 50,000 and then page by page; and 10^4 points appended one at
// a time to a series a grid listens to, beside a model that announces each
// row with beginInsertRows / endInsertRows to a shown view.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench_ratio.h"
#include "chart/chart.h"
#include "chart/controls/chart_grid.h"
#include "chart/series/line_series.h"
#include "core/number_format.h"

namespace {

constexpr int kPoints = 100000;
constexpr int kJumpRow = 50000;
constexpr int kAppends = 10000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

double PointX(int i) { return i * 0.5; }
double PointY(int i) { return (i * 7919 % 1000003) / 97.0 - 500.0; }

// Point index, X and Y as the grid writes them.
class TPointsModel : public QAbstractTableModel {
public:
    explicit TPointsModel(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const double v = index.column() == 0 ? PointX(index.row()) : PointY(index.row());
        return QString::fromStdString(FormatFloat("#,##0.###", v));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return orientation == Qt::Horizontal ? QString(section == 0 ? "X" : "Y") : QString::number(section);
    }
    void Append()
    {
        beginInsertRows({}, m_rows, m_rows);
        ++m_rows;
        endInsertRows();
    }
    void Reset()
    {
        beginResetModel();
        m_rows = 0;
        endResetModel();
    }

private:
    int m_rows;
};

struct TGridSetup {
    QObject owner;
    TChart chart;
    TChartGrid grid;
    TLineSeries* series = new TLineSeries(&owner);
    TGridSetup()
    {
        chart.AddSeries(series);
        grid.resize(kWidth, kHeight);
        grid.SetShowLabels(false);
        grid.SetChart(&chart);
        grid.show();
    }
    ~TGridSetup()
    {
        grid.SetChart(nullptr);
        chart.RemoveSeries(series);
    }
};

void BM_ChartGridPaintPageDownRatio(benchmark::State& state)
{
    TGridSetup g;
    g.series->BeginUpdate();
    for (int i = 0; i < kPoints; ++i)
        g.series->AddXY(PointX(i), PointY(i));
    g.series->EndUpdate();
    g.grid.FocusCell(1, kJumpRow + TCustomChartGrid::FirstDataRow, true);
    g.grid.PaintNow();

    TPointsModel model(kPoints);
    QTableView view;
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.verticalHeader()->setDefaultSectionSize(16);
    view.show();
    view.scrollTo(model.index(kJumpRow, 0), QAbstractItemView::PositionAtTop);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    QScrollBar* bar = view.verticalScrollBar();

    bench::TimeBoth(
        state,
        [&] {
            g.grid.HandleKeyDown(Qt::Key_PageDown, {});
            if (g.grid.Row() >= g.grid.RowCount() - 1)
                g.grid.FocusCell(1, kJumpRow + TCustomChartGrid::FirstDataRow, true);
            g.grid.PaintNow();
        },
        [&] {
            bar->setValue(bar->value() + bar->pageStep());
            if (bar->value() >= bar->maximum())
                bar->setValue(kJumpRow);
            view.viewport()->render(&image);
        });
}
BENCHMARK(BM_ChartGridPaintPageDownRatio)->Unit(benchmark::kMicrosecond);

// Arg: the grid's X-column rule (0 automatic, 2 always).
void BM_ChartGridAppendRatio(benchmark::State& state)
{
    TGridSetup g;
    g.grid.SetShowXValues(static_cast<TChartGridShow>(state.range(0)));
    TPointsModel model(0);
    QTableView view;
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.show();

    bench::TimeBoth(
        state,
        [&] {
            g.series->Clear();
            g.series->RefreshSeries();
            for (int i = 0; i < kAppends; ++i) {
                g.series->AddXY(i, PointY(i));
                g.series->RefreshSeries();
            }
        },
        [&] {
            model.Reset();
            for (int i = 0; i < kAppends; ++i)
                model.Append();
        });
}
BENCHMARK(BM_ChartGridAppendRatio)->Arg(cgsAuto)->Arg(cgsYes)->Unit(benchmark::kMillisecond);

}  // namespace
